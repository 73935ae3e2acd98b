// Resize presets.
#include "image/ResizePresets.h"

#include <algorithm>
#include <cmath>

namespace xelo {

namespace {

int Round(double value) {
    return std::max(1, static_cast<int>(value + 0.5));
}

Size Percent(Size image, int percent) {
    return {Round(image.width * percent * 0.01), Round(image.height * percent * 0.01)};
}

Size FixedWidth(Size image, int width) {
    if (image.width <= 0) return {width, 1};
    return {width, Round(static_cast<double>(image.height) * width / image.width)};
}

constexpr const char* kNames[] = {"fit-screen", "240",     "320", "240x320", "640x480", "800x600",
                                  "1024x768",   "80%",     "75%", "50%"};

}  // namespace

Size PresetTargetSize(int preset, Size image, Size screen, Size user) {
    switch (preset) {
        case kPresetFitScreen: {
            if (image.width <= 0 || image.height <= 0) return screen;
            // The side that meets the screen first takes the screen's length.
            if (static_cast<double>(image.width) * screen.height >=
                static_cast<double>(image.height) * screen.width) {
                return FixedWidth(image, screen.width);
            }
            return {Round(static_cast<double>(image.width) * screen.height / image.height),
                    screen.height};
        }
        case kPreset240Wide:
            return FixedWidth(image, 240);
        case kPreset320Wide:
            return FixedWidth(image, 320);
        case kPreset240x320:
            return {240, 320};
        case kPreset640x480:
            return {640, 480};
        case kPreset800x600:
            return {800, 600};
        case kPreset1024x768:
            return {1024, 768};
        case kPreset80Percent:
            return Percent(image, 80);
        case kPreset75Percent:
            return Percent(image, 75);
        case kPreset50Percent:
            return Percent(image, 50);
        default:
            return user;
    }
}

std::optional<int> PresetByName(std::string_view name) {
    for (int i = 0; i < static_cast<int>(std::size(kNames)); ++i) {
        if (name == kNames[i]) return i;
    }
    return std::nullopt;
}

}  // namespace xelo
