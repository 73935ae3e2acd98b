// The user's preferences: the three blocks, the derived layout values and the path strings, with
// their load at start-up and their saves.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "settings/CaptureKeys.h"
#include "settings/PrefLayout.h"

namespace xelo {

class Registry;
class PluginCatalog;

// Screens wider than this are desktops: Large thumbnails by default, and Huge and Giant.
constexpr int kDesktopScreenWidth = 640;

// What loading needs from the machine.
struct PreferenceContext {
    int screenWidth = 240;
    int screenHeight = 320;
    std::string programFolder;    // the executable's folder
    std::string documentsFolder;  // the default current folder
    int scrollBarWidth = 16;
    int scrollArrowHeight = 16;
    const PluginCatalog* plugins = nullptr;  // not owned; null: none installed
    std::span<const CaptureKey> buttons = CaptureKeys();
};

// Values computed from the blocks for the views; not stored.
struct DerivedLayout {
    int cellWidth = 60;
    int cellHeight = 45;
    int borderWidth = 3;
    int labelHeight = 12;
    int fixedValue = 26;
    int scrollBarWidth = 16;
    int scrollArrowHeight = 16;
};

class CPreferences {
  public:
    CPreferences();

    // Reads every block and string, replacing missing or wrongly sized blocks by defaults.
    void Load(const Registry& registry, const PreferenceContext& context);
    // "UI Info", "Preferences", then "Path" (the current folder), "Home", "Snap Path",
    // "Snap Name", "Edit Tool".
    void SaveAtExit(Registry& registry, const std::string& currentFolder) const;
    void SaveUiInfo(Registry& registry) const;
    void SavePreferences(Registry& registry) const;
    // After the options sheet: the VGAOut block and the frame strings.
    void SaveVgaOut(Registry& registry) const;
    void SaveFrameStrings(Registry& registry) const;

    // Recomputes the thumbnail cell, border width and label height.
    void Derive();
    // The command the start-up mode preference switches to.
    int StartCommand() const;

    UiInfoBlock uiInfo;
    PreferencesBlock preferences;
    VgaOutBlock vgaOut;
    DerivedLayout layout;
    // The desktop's thumbnail sizes beyond Large, kept outside the blocks so that the blocks'
    // size bits mean what they always meant: 0 none (the block's size holds), 1 Huge, 2 Giant.
    int desktopSize = 0;

    std::string path;  // the current folder at start-up
    std::string home;
    std::string snapPath;
    std::string snapName;
    std::string editTool;
    std::string framePath;
    std::string frameFile;
    std::vector<std::string> recent;  // most recent first
    std::vector<CaptureKey> buttons;  // hardware buttons found
    std::string buttonList;           // their names, each followed by "|"
    std::string extensions;
    bool albumForEveryFolder = false;  // the album file for every folder left, not only arranged
    // Thumbnails are kept in and read from the desktop's shared thumbnail folders; a string
    // value beside the blocks, whose sizes stay fixed.
    bool thumbnailCache = true;
    // "Turn pictures as the camera recorded them": on for new users; a string value beside the
    // blocks.
    bool cameraOrientation = true;

    // Hands the choices every decode follows (orientation, the colour transparent pixels are laid
    // over) to the codecs.
    void ApplyDecodeSettings() const;

  private:
    void LoadVgaOut(const Registry& registry, const PluginCatalog& plugins);
    void CheckCaptureButton();
};

}  // namespace xelo
