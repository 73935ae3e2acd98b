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

std::vector<uint8_t> Slice(const std::vector<uint8_t>& b, size_t from, size_t n) {
    return {b.begin() + long(from), b.begin() + long(from + n)};
}

TEST(Preferences, FirstStartWithAnEmptyStoreUsesTheDefaults) {
    CMemoryRegistry registry;
    CPreferences p;
    p.Load(registry, Context());
    EXPECT_EQ(p.StartCommand(), kModeThumbnail);
    EXPECT_EQ(p.layout.cellWidth, 60);  // Normal thumbnails
    EXPECT_EQ(p.layout.cellHeight, 45);
    EXPECT_EQ(p.layout.borderWidth, 3);  // 3D border
    EXPECT_EQ(p.layout.labelHeight, 12);
    EXPECT_TRUE(p.preferences.IsSet(pref::kShowIndexNumbers));
    EXPECT_EQ(p.path, "/home/u/Pictures/");
    EXPECT_EQ(p.home, "/home/u/Pictures");
    EXPECT_EQ(p.snapPath, "/home/u/Pictures");
    EXPECT_EQ(p.snapName, "xelosnap");
    EXPECT_EQ(p.framePath, "/opt/xelo/Frames");
    EXPECT_FALSE(p.preferences.IsSet(pref::kSingleFrameFile)) << "no frame file stored";
    EXPECT_EQ(p.vgaOut.GetSigned(vga::kPlugin), -1) << "no output plug-in installed";
    EXPECT_EQ(p.vgaOut.GetSigned(vga::kRemote), -1);
    EXPECT_EQ(p.extensions, "2bp|bmp|jpg|jpeg|jpe|gif|giff|");

    // The stored layout, byte for byte where it matters to other readers.
    const std::vector<uint8_t> prefs = p.preferences.Bytes();
    ASSERT_EQ(prefs.size(), 60u);
    EXPECT_EQ(Slice(prefs, 0, 4), (std::vector<uint8_t>{0x66, 0x66, 0x66, 0}));
    EXPECT_EQ(Slice(prefs, 28, 2), (std::vector<uint8_t>{2, 0}));
    EXPECT_EQ(Slice(prefs, 48, 2), (std::vector<uint8_t>{0, 3}));
    EXPECT_EQ(Slice(prefs, 56, 4), (std::vector<uint8_t>{0x41, 0x19, 0, 0}));
    const std::vector<uint8_t> uiBytes = p.uiInfo.Bytes();
    ASSERT_EQ(uiBytes.size(), 156u);
    EXPECT_EQ(Slice(uiBytes, 0, 8), (std::vector<uint8_t>{128, 0, 128, 0, 75, 0, 0, 0}));
    EXPECT_EQ(Slice(uiBytes, 140, 4), (std::vector<uint8_t>{0, 0, 0xFF, 0}));  // blue ink
    EXPECT_EQ(p.uiInfo.Get(ui::kFlags), 0x1082Fu);
    EXPECT_EQ(p.vgaOut.Bytes().size(), 112u);
    EXPECT_EQ(p.vgaOut.Get(vga::kFlags), 0x98u);
}

TEST(Preferences, TheTreePaneDefaultFollowsTheScreenShape) {
    EXPECT_EQ(DefaultUiInfo(240, 320).Get(ui::kTreePane1), 128);  // 2/5 of the height
    EXPECT_EQ(DefaultUiInfo(640, 480).Get(ui::kTreePane2), 160);  // 1/4 of the width
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

TEST(Preferences, StartCommandMapsSlideShowToItsOwnCommand) {
    CPreferences p;
    const std::pair<uint8_t, int> cases[] = {
        {0, kModeThumbnail}, {2, kModeFilename}, {4, kModeFullScreen}, {5, kCmdSlideShow}};
    for (const auto& [mode, command] : cases) {
        p.preferences.Set(pref::kStartMode, mode);
        EXPECT_EQ(p.StartCommand(), command) << int(mode);
    }
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

TEST(Preferences, PluginNamesAreCutToFitTheirField) {
    VgaOutBlock b = DefaultVgaOut();
    SetVgaPluginName(b, std::string(50, 'n'));
    EXPECT_EQ(VgaPluginName(b), std::string(35, 'n'));
    EXPECT_EQ(b.Get(vga::kRemote), 0u) << "the name never runs into the next field";
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
}

TEST(Registry, ValuesKeepTheirTypeAndExactSize) {
    CMemoryRegistry r;
    r.WriteBinary("S", "b", {1, 2, 3});
    r.WriteString("S", "t", "text");
    EXPECT_EQ(r.ReadBinary("S", "b"), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(r.ReadString("S", "b"), std::nullopt);
    EXPECT_EQ(r.ReadBinary("S", "t"), std::nullopt);
    EXPECT_EQ(r.ReadString("S", "t"), "text");
    EXPECT_EQ(r.ReadString("T", "t"), std::nullopt);
}

}  // namespace
}  // namespace xelo
