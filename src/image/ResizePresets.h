// The resize presets of the save sheet and the tool: a list position turned into a target size
// for an image of a given size.
#pragma once

#include <optional>
#include <string_view>

#include "image/Geometry.h"

namespace xelo {

enum ResizePreset : int {
    kPresetFitScreen = 0,
    kPreset240Wide = 1,
    kPreset320Wide = 2,
    kPreset240x320 = 3,
    kPreset640x480 = 4,
    kPreset800x600 = 5,
    kPreset1024x768 = 6,
    kPreset80Percent = 7,
    kPreset75Percent = 8,
    kPreset50Percent = 9,
    kPresetUserDefined = 10,
};
constexpr int kPresetCount = 11;

// The target size of `preset` for an image of `image`, on a screen of `screen`; `user` is the
// user-defined size. Fractions are rounded half up; no side drops below 1.
Size PresetTargetSize(int preset, Size image, Size screen, Size user);

// The preset a tool name stands for ("fit-screen", "240", "320", "240x320", "640x480", "800x600",
// "1024x768", "80%", "75%", "50%").
std::optional<int> PresetByName(std::string_view name);

}  // namespace xelo
