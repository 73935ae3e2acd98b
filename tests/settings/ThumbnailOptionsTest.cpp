#include "settings/ThumbnailOptions.h"

#include <gtest/gtest.h>

#include "settings/Preferences.h"
#include "base/Registry.h"

namespace xelo {
namespace {

CPreferences Loaded() {
    CMemoryRegistry registry;
    CPreferences prefs;
    prefs.Load(registry, PreferenceContext{});
    return prefs;
}

TEST(ThumbnailOptions, StoringDerivesTheCellGeometry) {
    struct Case {
        int size, frame;
        bool label;
        int w, h, border, labelHeight;
    };
    const Case cases[] = {
        {0, 1, true, 96, 72, 2, 12},  // Large, Flat
        {1, 4, true, 60, 45, 3, 12},  // Normal, 3D border
        {2, 3, false, 44, 33, 2, 0},  // Small, Sunken, no names
        {3, 0, false, 32, 24, 0, 0},  // Tiny, None: cells 30 high
        {1, 7, true, 60, 45, 3, 12},  // a style above 4 is stored as 3D border
    };
    for (const Case& c : cases) {
        CPreferences prefs = Loaded();
        ThumbnailOptions o;
        o.size = c.size;
        o.frame = c.frame;
        o.showFileName = c.label;
        o.Store(prefs);
        EXPECT_EQ(prefs.layout.cellWidth, c.w);
        EXPECT_EQ(prefs.layout.cellHeight, c.h);
        EXPECT_EQ(prefs.layout.borderWidth, c.border);
        EXPECT_EQ(prefs.layout.labelHeight, c.labelHeight);
        EXPECT_LE(ThumbnailOptions::Read(prefs).frame, 4);
    }
}

TEST(ThumbnailOptions, ColoursAndFlagsRoundTrip) {
    CPreferences prefs = Loaded();
    ThumbnailOptions o;
    o.showIndex = false;
    o.fitPreview = true;
    o.previewColour = 0xFFFFFF;
    o.thumbnailColour = 0x123456;
    o.imageColour = 0x010203;
    o.Store(prefs);
    EXPECT_EQ(ThumbnailOptions::Read(prefs), o);
    EXPECT_EQ(prefs.preferences.Get(pref::kImageBackground), 0x010203u);
}

}  // namespace
}  // namespace xelo
