// Loading and saving the preference blocks and strings.
#include "settings/Preferences.h"

#include <algorithm>

#include "album/FolderEnum.h"
#include "album/RecentFolders.h"
#include "album/WideName.h"
#include "codec/DecodeSettings.h"
#include "settings/PluginCatalog.h"
#include "base/Registry.h"
#include "base/StringTable.h"
#include "base/ViewModes.h"

namespace xelo {

namespace {

constexpr uint32_t kStrSnapName = 2422;
constexpr int kStartSlideShow = 5;

// Thumbnail cell sizes by misc flag bits 8-9: Large, Normal, Small, Tiny.
struct CellSize {
    int width;
    int height;
};
constexpr CellSize kCellSizes[] = {{96, 72}, {60, 45}, {44, 33}, {32, 24}};
constexpr CellSize kDesktopCellSizes[] = {{160, 120}, {256, 192}};
constexpr std::string_view kDesktopThumbnailSize = "Desktop Thumbnail Size";

constexpr int kFrameStyleNone = 0;
constexpr int kFrameStyle3D = 4;

std::string ReadText(const Registry& registry, std::string_view name) {
    return registry.ReadString(reg::kStrings, name).value_or(std::string());
}

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

}  // namespace

UiInfoBlock DefaultUiInfo(int screenWidth, int screenHeight) {
    UiInfoBlock b;
    // A portrait screen gives the tree two fifths of its height, a landscape one a quarter of
    // its width.
    const int pane = screenWidth < screenHeight ? screenHeight * 2 / 5 : screenWidth / 4;
    b.Set(ui::kTreePane1, static_cast<uint16_t>(std::max(pane, 0)));
    b.Set(ui::kTreePane2, static_cast<uint16_t>(std::max(pane, 0)));
    b.SetSigned(ui::kZoomRatio, 75);
    b.Set(ui::kCaptureDpi, 96);
    b.Set(ui::kInkColour, 0xFF0000);
    b.Set(ui::kInkWidth, 3);
    b.Set(ui::kCaptureTrigger, 1);
    b.Set(ui::kFlags, ui::kDefaultFlags);
    return b;
}

PreferencesBlock DefaultPreferences() {
    PreferencesBlock b;
    b.Set(pref::kBackground1, 0x666666);
    b.Set(pref::kBackground2, 0x999999);
    b.Set(pref::kImageBackground, 0x999999);
    b.Set(pref::kSlideBackground, 0);
    b.Set(pref::kSlideTextColour, 0xFFFFFF);
    b.Set(pref::kSlideTextShadow, 0);
    b.Set(pref::kSlideTextBackground, 0);
    b.Set(pref::kSlideDelay, 2);
    b.Set(pref::kTransition, 1);
    b.Set(pref::kSlideTextSize, 16);
    b.Set(pref::kColourOptimisation, 0);
    b.Set(pref::kGamma, 100);
    b.Set(pref::kStartMode, 0);
    b.Set(pref::kOpenImageMode, 3);
    b.Set(pref::kViewFlags, pref::kDefaultViewFlags);
    b.Set(pref::kMiscFlags, pref::kDefaultMiscFlags);
    return b;
}

VgaOutBlock DefaultVgaOut() {
    VgaOutBlock b;
    b.SetSigned(vga::kPlugin, 0);
    b.Set(vga::kOutputType, 1);
    b.Set(vga::kWidth, 640);
    b.Set(vga::kHeight, 480);
    b.Set(vga::kDepth, 8);
    b.Set(vga::kRefresh, 60);
    b.Set(vga::kMode1, 1);
    b.Set(vga::kMode2, 4);
    b.Set(vga::kFlags, 0x98);
    return b;
}

std::string VgaPluginName(const VgaOutBlock& block) {
    std::u16string wide;
    for (size_t i = 0; i < vga::kNameUnits; ++i) {
        const uint8_t* p = block.Data() + vga::kNameOffset + 2 * i;
        const char16_t u = static_cast<char16_t>(p[0] | (p[1] << 8));
        if (u == 0) break;
        wide += u;
    }
    return NameFromUtf16(wide);
}

void SetVgaPluginName(VgaOutBlock& block, const std::string& name) {
    std::u16string wide = NameToUtf16(name);
    wide.resize(std::min(wide.size(), vga::kNameUnits - 1));  // room for the terminator
    uint8_t* p = block.Data() + vga::kNameOffset;
    std::fill(p, p + 2 * vga::kNameUnits, uint8_t{0});
    for (size_t i = 0; i < wide.size(); ++i) {
        p[2 * i] = static_cast<uint8_t>(wide[i]);
        p[2 * i + 1] = static_cast<uint8_t>(wide[i] >> 8);
    }
}

CPreferences::CPreferences()
    : uiInfo(DefaultUiInfo(240, 320)),
      preferences(DefaultPreferences()),
      vgaOut(DefaultVgaOut()),
      extensions(kImageExtensions) {
    Derive();
}

void CPreferences::Load(const Registry& registry, const PreferenceContext& context) {
    extensions = std::string(kImageExtensions);
    layout.fixedValue = 26;
    layout.scrollBarWidth = context.scrollBarWidth;
    layout.scrollArrowHeight = context.scrollArrowHeight;

    uiInfo = DefaultUiInfo(context.screenWidth, context.screenHeight);
    if (const auto stored = registry.ReadBinary(reg::kUiInfo, reg::kValues)) uiInfo.Assign(*stored);
    preferences = DefaultPreferences();
    if (context.screenWidth > kDesktopScreenWidth) preferences.Set(pref::kThumbnailSize, 0);
    desktopSize = 0;
    if (context.screenWidth > kDesktopScreenWidth) {
        const std::string size = ReadText(registry, kDesktopThumbnailSize);
        if (size == "1" || size == "2") desktopSize = size[0] - '0';
    }
    if (const auto stored = registry.ReadBinary(reg::kPreferences, reg::kValues)) {
        preferences.Assign(*stored);
    }
    albumForEveryFolder =
        registry.ReadString(reg::kPreferences, reg::kAlbumEveryFolder).value_or("0") == "1";
    cameraOrientation =
        registry.ReadString(reg::kPreferences, reg::kCameraOrientation).value_or("1") != "0";
    Derive();
    const NoPlugins none;
    LoadVgaOut(registry, context.plugins ? *context.plugins : none);

    path = ReadText(registry, reg::kPath);
    if (path.empty()) path = context.documentsFolder.empty() ? "/" : context.documentsFolder;
    home = ReadText(registry, reg::kHome);
    if (home.empty()) home = WithoutTrailingSlash(path);
    snapPath = ReadText(registry, reg::kSnapPath);
    if (snapPath.empty()) snapPath = home;
    snapName = ReadText(registry, reg::kSnapName);
    if (snapName.empty()) snapName = LoadString(kStrSnapName);
    framePath = ReadText(registry, reg::kFramePath);
    if (framePath.empty()) framePath = JoinPath(context.programFolder, "Frames");
    frameFile = ReadText(registry, reg::kFrameFile);
    if (frameFile.empty()) preferences.Set(pref::kSingleFrameFile, 0);
    editTool = ReadText(registry, reg::kEditTool);

    CRecentFolders recentFolders;
    recentFolders.Load(registry);
    recent = recentFolders.Folders();

    buttons.assign(context.buttons.begin(), context.buttons.end());
    buttonList = CaptureKeyList(buttons);
    CheckCaptureButton();
}

void CPreferences::LoadVgaOut(const Registry& registry, const PluginCatalog& plugins) {
    vgaOut = DefaultVgaOut();
    if (const auto stored = registry.ReadBinary(reg::kVgaOut, reg::kValues)) vgaOut.Assign(*stored);
    if (plugins.OutputCount() <= 0) {
        vgaOut.SetSigned(vga::kPlugin, -1);
        vgaOut.SetSigned(vga::kRemote, -1);
        return;
    }
    const std::string stored = VgaPluginName(vgaOut);
    int index = stored.empty() ? 0 : plugins.FindOutput(stored);
    if (index < 0 || index >= plugins.OutputCount()) index = 0;
    const std::string name = plugins.OutputName(index);
    vgaOut.SetSigned(vga::kPlugin, index);
    SetVgaPluginName(vgaOut, name);
    uint32_t type = vgaOut.Get(vga::kOutputType);
    uint32_t width = vgaOut.Get(vga::kWidth);
    plugins.CorrectOutput(index, type, width);
    vgaOut.Set(vga::kOutputType, type);
    vgaOut.Set(vga::kWidth, width);
    vgaOut.SetSigned(vga::kRemote, plugins.RemoteIndexFor(name));
}

void CPreferences::CheckCaptureButton() {
    if (!uiInfo.IsSet(ui::kCaptureEnabled)) return;
    const uint32_t trigger = uiInfo.Get(ui::kCaptureTrigger);
    if (trigger >= ui::kKeyCombinationTrigger) return;
    if (buttons.empty()) {
        uiInfo.Set(ui::kCaptureEnabled, 0);
        return;
    }
    const bool found = std::any_of(buttons.begin(), buttons.end(), [trigger](const CaptureKey& k) {
        return static_cast<uint32_t>(k.button) == trigger;
    });
    if (!found) uiInfo.Set(ui::kCaptureTrigger, static_cast<uint32_t>(buttons.front().button));
}

void CPreferences::Derive() {
    const auto& cell = desktopSize == 1 || desktopSize == 2
                           ? kDesktopCellSizes[desktopSize - 1]
                           : kCellSizes[preferences.Get(pref::kThumbnailSize)];
    layout.cellWidth = cell.width;
    layout.cellHeight = cell.height;
    const uint32_t style = preferences.Get(pref::kFrameStyle);
    layout.borderWidth = style == kFrameStyleNone ? 0 : (style == kFrameStyle3D ? 3 : 2);
    layout.labelHeight = preferences.IsSet(pref::kShowFileNames) ? 12 : 0;
}

int CPreferences::StartCommand() const {
    const int mode = preferences.Get(pref::kStartMode);
    if (mode == kStartSlideShow) return kCmdSlideShow;
    // Values past the list start in Thumbnail mode.
    return (mode >= 0 && mode < kStartSlideShow) ? kModeThumbnail + mode : kModeThumbnail;
}

void CPreferences::SaveAtExit(Registry& registry, const std::string& currentFolder) const {
    SaveUiInfo(registry);
    SavePreferences(registry);
    registry.WriteString(reg::kStrings, reg::kPath, currentFolder);
    registry.WriteString(reg::kStrings, reg::kHome, home);
    registry.WriteString(reg::kStrings, reg::kSnapPath, snapPath);
    registry.WriteString(reg::kStrings, reg::kSnapName, snapName);
    registry.WriteString(reg::kStrings, reg::kEditTool, editTool);
}

void CPreferences::SaveUiInfo(Registry& registry) const {
    registry.WriteBinary(reg::kUiInfo, reg::kValues, uiInfo.Bytes());
}

void CPreferences::SavePreferences(Registry& registry) const {
    registry.WriteBinary(reg::kPreferences, reg::kValues, preferences.Bytes());
    registry.WriteString(reg::kPreferences, reg::kAlbumEveryFolder,
                         albumForEveryFolder ? "1" : "0");
    registry.WriteString(reg::kStrings, kDesktopThumbnailSize, std::to_string(desktopSize));
    registry.WriteString(reg::kStrings, reg::kThumbnailCache, thumbnailCache ? "1" : "0");
    registry.WriteString(reg::kPreferences, reg::kCameraOrientation, cameraOrientation ? "1" : "0");
}

void CPreferences::ApplyDecodeSettings() const {
    SetCameraOrientationEnabled(cameraOrientation);
    SetAlphaBackground(preferences.Get(pref::kImageBackground));
}

void CPreferences::SaveVgaOut(Registry& registry) const {
    registry.WriteBinary(reg::kVgaOut, reg::kValues, vgaOut.Bytes());
}

void CPreferences::SaveFrameStrings(Registry& registry) const {
    registry.WriteString(reg::kStrings, reg::kFramePath, framePath);
    registry.WriteString(reg::kStrings, reg::kFrameFile, frameFile);
}

}  // namespace xelo
