// The preference blocks: defaults, sizes, derived values, plug-in and capture-button checks,
// and what is written at exit.
#include "settings/Preferences.h"

#include <gtest/gtest.h>

#include "settings/PluginCatalog.h"
#include "base/Registry.h"
#include "base/ViewModes.h"

namespace xelo {
namespace {

PreferenceContext Context() {
    PreferenceContext c;
    c.programFolder = "/opt/xelo";
    c.documentsFolder = "/home/u/Pictures/";
    return c;
}

TEST(Preferences, ABlockOfTheWrongSizeIsIgnoredWhole) {
    CMemoryRegistry registry;
    PreferencesBlock stored = DefaultPreferences();
    stored.Set(pref::kStartMode, 4);
    stored.Set(pref::kThumbnailSize, 0);
    std::vector<uint8_t> bytes = stored.Bytes();
    bytes.pop_back();  // 59 bytes
    registry.WriteBinary("Preferences", "Values", bytes);
    CPreferences p;
    p.Load(registry, Context());
    EXPECT_EQ(p.StartCommand(), kModeThumbnail);
    EXPECT_EQ(p.layout.cellWidth, 60);

    registry.WriteBinary("Preferences", "Values", stored.Bytes());
    p.Load(registry, Context());
    EXPECT_EQ(p.StartCommand(), kModeFullScreen);
    EXPECT_EQ(p.layout.cellWidth, 96);  // Large
    EXPECT_EQ(p.layout.cellHeight, 72);
}

TEST(Preferences, BitFieldsChangeOnlyTheirBits) {
    PreferencesBlock b = DefaultPreferences();
    b.Set(pref::kThumbnailSize, 3);
    EXPECT_EQ(b.Get(pref::kMiscFlags), (pref::kDefaultMiscFlags & ~0x300u) | 0x300u);
    b.Set(pref::kSlideTextPosition, 9);  // wider than its 3 bits: cut to them
    EXPECT_EQ(b.Get(pref::kSlideTextPosition), 1u);
    EXPECT_EQ(b.Get(pref::kFrameStyle), 4u);
    b.Set(pref::kSingleFrameFile, 1);
    EXPECT_EQ(b.Get(pref::kViewFlags) >> 31, 1u);
}

class TwoOutputs : public NoPlugins {
  public:
    int OutputCount() const override { return 2; }
    std::string OutputName(int i) const override { return i == 0 ? "TV Out" : "Projector"; }
    int FindOutput(const std::string& name) const override {
        return name == "TV Out" ? 0 : (name == "Projector" ? 1 : -1);
    }
    void CorrectOutput(int, uint32_t& type, uint32_t&) const override { type = 2; }
    int RemoteIndexFor(const std::string& name) const override { return name == "Projector"; }
};

TEST(Preferences, AStoredOutputPluginIsLookedUpByName) {
    const TwoOutputs plugins;
    PreferenceContext context = Context();
    context.plugins = &plugins;
    CMemoryRegistry registry;
    VgaOutBlock stored = DefaultVgaOut();
    SetVgaPluginName(stored, "Projector");
    registry.WriteBinary("VGAOut", "Values", stored.Bytes());
    CPreferences p;
    p.Load(registry, context);
    EXPECT_EQ(p.vgaOut.GetSigned(vga::kPlugin), 1);
    EXPECT_EQ(p.vgaOut.GetSigned(vga::kRemote), 1);
    EXPECT_EQ(p.vgaOut.Get(vga::kOutputType), 2u);

    SetVgaPluginName(stored, "Gone");
    registry.WriteBinary("VGAOut", "Values", stored.Bytes());
    p.Load(registry, context);
    EXPECT_EQ(p.vgaOut.GetSigned(vga::kPlugin), 0);
    EXPECT_EQ(VgaPluginName(p.vgaOut), "TV Out");
    EXPECT_EQ(p.vgaOut.GetSigned(vga::kRemote), 0);
}

TEST(Preferences, AMissingCaptureButtonIsReplacedOrCaptureTurnedOff) {
    CMemoryRegistry registry;
    UiInfoBlock stored = DefaultUiInfo(240, 320);
    stored.Set(ui::kCaptureTrigger, 9);
    registry.WriteBinary("UI Info", "Values", stored.Bytes());
    const CaptureKey keys[] = {{3, "F11"}, {4, "F12"}};
    PreferenceContext context = Context();
    context.buttons = keys;
    CPreferences p;
    p.Load(registry, context);
    EXPECT_EQ(p.uiInfo.Get(ui::kCaptureTrigger), 3u);
    EXPECT_TRUE(p.uiInfo.IsSet(ui::kCaptureEnabled));
    EXPECT_EQ(p.buttonList, "F11|F12|");

    context.buttons = {};
    p.Load(registry, context);
    EXPECT_FALSE(p.uiInfo.IsSet(ui::kCaptureEnabled));

    stored.Set(ui::kCaptureTrigger, 1234);  // a key combination is kept as it is
    registry.WriteBinary("UI Info", "Values", stored.Bytes());
    p.Load(registry, context);
    EXPECT_EQ(p.uiInfo.Get(ui::kCaptureTrigger), 1234u);
    EXPECT_TRUE(p.uiInfo.IsSet(ui::kCaptureEnabled));
}

TEST(Preferences, SaveAtExitWritesBlocksAndStringsThatLoadBackTheSame) {
    CMemoryRegistry registry;
    CPreferences p;
    p.Load(registry, Context());
    p.uiInfo.Data()[ui::kDialogStateOffset + 5] = 0xAB;  // a dialog's private state
    p.preferences.Set(pref::kGamma, 150);
    p.editTool = "/usr/bin/gimp";
    p.SaveAtExit(registry, "/photos");
    EXPECT_FALSE(registry.Has("VGAOut", "Values")) << "VGAOut is saved by the options sheet";
    EXPECT_EQ(registry.ReadString("Strings", "Path"), "/photos");

    CPreferences again;
    again.Load(registry, Context());
    EXPECT_EQ(again.uiInfo.Bytes(), p.uiInfo.Bytes());
    EXPECT_EQ(again.preferences.Bytes(), p.preferences.Bytes());
    EXPECT_EQ(again.path, "/photos");
    EXPECT_EQ(again.home, p.home);
    EXPECT_EQ(again.editTool, "/usr/bin/gimp");
    // The store keeps each value's type and exact size.
    CMemoryRegistry r;
    r.WriteBinary("S", "b", {1, 2, 3});
    r.WriteString("S", "t", "text");
    EXPECT_EQ(r.ReadBinary("S", "b"), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(r.ReadString("S", "b"), std::nullopt);
    EXPECT_EQ(r.ReadBinary("S", "t"), std::nullopt);
    EXPECT_EQ(r.ReadString("S", "t"), "text");
    EXPECT_EQ(r.ReadString("T", "t"), std::nullopt);
}

TEST(Preferences, ADesktopStartsLargeAndKeepsItsLargerSizesBesideTheBlock) {
    CMemoryRegistry registry;
    PreferenceContext desktop = Context();
    desktop.screenWidth = 1280;
    desktop.screenHeight = 800;
    CPreferences p;
    p.Load(registry, desktop);
    EXPECT_EQ(p.layout.cellWidth, 96);  // Large
    p.desktopSize = 2;                  // Giant
    p.SaveAtExit(registry, "/photos");
    CPreferences again;
    again.Load(registry, desktop);
    EXPECT_EQ(again.layout.cellWidth, 256);
    EXPECT_EQ(again.preferences.Get(pref::kThumbnailSize), 0u);  // the block's bits unchanged
    again.Load(registry, Context());                             // the handheld has no Giant
    EXPECT_EQ(again.layout.cellWidth, 96);
}

}  // namespace
}  // namespace xelo
