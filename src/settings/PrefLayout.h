// The layouts of the three preference blocks: "UI Info" (156 bytes), "Preferences" (60 bytes)
// and "VGAOut" (112 bytes), little-endian, colours 0x00BBGGRR.
#pragma once

#include <string>

#include "settings/PrefBlock.h"

namespace xelo {

using UiInfoBlock = PrefBlock<156>;
using PreferencesBlock = PrefBlock<60>;
using VgaOutBlock = PrefBlock<112>;

namespace ui {
constexpr Field16 kTreePane1{0};  // directory-tree pane size, first and second value
constexpr Field16 kTreePane2{2};
constexpr Field32 kZoomRatio{4};          // percent, zoom / quick-view dialog
constexpr size_t kDialogStateOffset = 8;  // 8..135: kept for dialogs, written back as read
constexpr size_t kDialogStateBytes = 128;
constexpr Field32 kCaptureDpi{136};
constexpr Field32 kInkColour{140};
constexpr Field32 kInkWidth{144};
constexpr Field32 kCaptureTrigger{148};  // button 1..15, or 1000+ for a key combination
constexpr Field32 kFlags{152};
constexpr BitField kToolBarShown{152, 0x1};
constexpr BitField kCaptureEnabled{152, 0x2};
constexpr BitField kCaptureConfirm{152, 0x4};
constexpr BitField kCaptureFormat{152, 0x18};  // 0 BMP, 1 JPEG, 2 GIF
constexpr BitField kCaptureSound{152, 0x20};
constexpr BitField kToolMode{152, 0x6000};  // 0 Pan, 1 Zoom, 2 Annotation
constexpr BitField kMultipleSelection{152, 0x8000};
constexpr uint32_t kDefaultFlags = 0x1082F;
constexpr uint32_t kKeyCombinationTrigger = 1000;
constexpr uint32_t kCaptureDpiChoices[] = {60,  72,  75,  80,  90,  96,  100,
                                           110, 120, 125, 150, 200, 250, 300};
}  // namespace ui

namespace pref {
constexpr Field32 kBackground1{0};
constexpr Field32 kBackground2{4};
constexpr Field32 kImageBackground{8};
constexpr Field32 kSlideBackground{12};
constexpr Field32 kSlideTextColour{16};
constexpr Field32 kSlideTextShadow{20};
constexpr Field32 kSlideTextBackground{24};
constexpr Field16 kSlideDelay{28};  // seconds, 0..300
constexpr Field32 kTransition{32};
constexpr Field32 kSlideTextSize{36};  // points: 8, 12, 16, 20, 28 or 36
constexpr Field32 kColourOptimisation{40};
constexpr Field32 kGamma{44};         // × 100, 1..300
constexpr Field8 kStartMode{48};      // 0 Thumbnail .. 4 Full Screen, 5 Slide Show
constexpr Field8 kOpenImageMode{49};  // 3 Filmstrip, 4 Full Screen
constexpr Field32 kViewFlags{52};
constexpr Field32 kMiscFlags{56};

// View flag word.
constexpr BitField kFrameStyle{52, 0x7};  // 0 None, 1 Flat, 2 Raised, 3 Sunken, 4 3D border
constexpr BitField kSlideOrientation{52, 0x18};
constexpr BitField kSlideSize{52, 0xE0};
constexpr BitField kSlideTextWeight{52, 0x300};
constexpr BitField kShowSlideText{52, 1u << 11};
constexpr BitField kSlideTextIsNote{52, 1u << 12};
constexpr BitField kSlideTextPosition{52, 0xE000};
constexpr BitField kRepeatSlideShow{52, 1u << 16};
constexpr BitField kPlayAudioNotes{52, 1u << 17};
constexpr BitField kInkOnSlides{52, 1u << 18};
constexpr BitField kAutoRotateLeft{52, 1u << 20};
constexpr BitField kTextShadow{52, 1u << 21};
constexpr BitField kGifSpeed{52, 0xC00000};
constexpr BitField kDefaultZoom{52, 0x3000000};
constexpr BitField kRepeatAudio{52, 1u << 26};
constexpr BitField kUpDownBrowse{52, 1u << 27};
constexpr BitField kHideToolBarFullScreen{52, 1u << 28};
constexpr BitField kFramesFullScreen{52, 1u << 29};
constexpr BitField kFramesSlideShow{52, 1u << 30};
constexpr BitField kSingleFrameFile{52, 1u << 31};

// Misc flag word.
constexpr BitField kRandomFrames{56, 0x1};
constexpr BitField kClipboardSize{56, 0xE};
constexpr BitField kTransitionSpeed{56, 0x30};
constexpr BitField kTransitions{56, 0x40};
constexpr BitField kApplyGamma{56, 0x80};
constexpr BitField kThumbnailSize{56, 0x300};  // 0 Large, 1 Normal, 2 Small, 3 Tiny
constexpr BitField kFitPreview{56, 0x400};
constexpr BitField kShowFileNames{56, 0x800};
constexpr BitField kShowIndexNumbers{56, 0x1000};
constexpr BitField kSlideTextBox{56, 0x2000};
constexpr BitField kRandomOrder{56, 0x4000};

constexpr uint32_t kDefaultViewFlags = 0x647F4A44;
constexpr uint32_t kDefaultMiscFlags = 0x1941;
}  // namespace pref

namespace vga {
constexpr Field32 kPlugin{0};  // signed; -1 when no output plug-in is installed
constexpr Field32 kOutputType{4};
constexpr Field32 kWidth{8};
constexpr Field32 kHeight{12};
constexpr Field32 kDepth{16};
constexpr Field32 kRefresh{20};
constexpr Field32 kMode1{24};
constexpr Field32 kMode2{28};
constexpr Field32 kFlags{32};
constexpr BitField kDither{32, 0x8};
constexpr BitField kOrientation{32, 0x30};
constexpr BitField kTransitions{32, 0x40};
constexpr BitField kCleanOnSwitch{32, 0x80};
constexpr size_t kNameOffset = 36;  // zero-terminated UTF-16, up to offset 108
constexpr size_t kNameUnits = 36;
constexpr Field32 kRemote{108};  // signed; -1 when no plug-in
}  // namespace vga

UiInfoBlock DefaultUiInfo(int screenWidth, int screenHeight);
PreferencesBlock DefaultPreferences();
VgaOutBlock DefaultVgaOut();

// The plug-in name kept in the VGAOut block (at most 35 characters are stored).
std::string VgaPluginName(const VgaOutBlock& block);
void SetVgaPluginName(VgaOutBlock& block, const std::string& name);

}  // namespace xelo
