// Between the preference blocks and the "Thumbnails and Colors" dialog.
#include "settings/ThumbnailOptions.h"

#include <algorithm>

#include "settings/Preferences.h"

namespace xelo {

ThumbnailOptions ThumbnailOptions::Read(const CPreferences& prefs) {
    const PreferencesBlock& p = prefs.preferences;
    ThumbnailOptions o;
    o.size = static_cast<int>(p.Get(pref::kThumbnailSize));
    o.frame = static_cast<int>(std::min<uint32_t>(p.Get(pref::kFrameStyle), 4));
    o.showFileName = p.IsSet(pref::kShowFileNames);
    o.showIndex = p.IsSet(pref::kShowIndexNumbers);
    o.fitPreview = p.IsSet(pref::kFitPreview);
    o.previewColour = p.Get(pref::kBackground1);
    o.thumbnailColour = p.Get(pref::kBackground2);
    o.imageColour = p.Get(pref::kImageBackground);
    o.diskCache = prefs.thumbnailCache;
    return o;
}

void ThumbnailOptions::Store(CPreferences& prefs) const {
    PreferencesBlock& p = prefs.preferences;
    p.Set(pref::kThumbnailSize, static_cast<uint32_t>(std::clamp(size, 0, 3)));
    p.Set(pref::kFrameStyle, static_cast<uint32_t>(std::clamp(frame, 0, 4)));
    p.Set(pref::kShowFileNames, showFileName ? 1 : 0);
    p.Set(pref::kShowIndexNumbers, showIndex ? 1 : 0);
    p.Set(pref::kFitPreview, fitPreview ? 1 : 0);
    p.Set(pref::kBackground1, previewColour);
    p.Set(pref::kBackground2, thumbnailColour);
    p.Set(pref::kImageBackground, imageColour);
    prefs.thumbnailCache = diskCache;
    prefs.Derive();
}

}  // namespace xelo
