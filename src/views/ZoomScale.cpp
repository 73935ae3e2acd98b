#include "views/ZoomScale.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace xelo {

namespace {

constexpr std::array<int, 11> kZoomInSteps{125, 150, 200, 300, 400, 500, 600, 750, 800, 1000, 1200};
constexpr std::array<int, 12> kZoomOutSteps{90, 80, 75, 70, 60, 50, 40, 30, 25, 20, 10, 5};
constexpr int kGenericStep = 5;

bool AtLargestSide(int w, int h) {
    return w >= kMaxDisplayedSide || h >= kMaxDisplayedSide;
}

bool AtSmallestSide(int w, int h) {
    return w <= kMinDisplayedSide || h <= kMinDisplayedSide;
}

}  // namespace

int SliderPositionToPercent(int position) {
    const double t = kSliderPositions - std::clamp(position, 0, kSliderPositions);
    const double percent = 5 + t / (0.6738 - 0.00005901794145420208 * t * t);
    return std::clamp(static_cast<int>(percent), kMinZoomPercent, kMaxZoomPercent);
}

int PercentToSliderPosition(int percent) {
    // The two ends of the small zooms where the curve's inverse is too coarse.
    if (percent <= 5) return 100;
    if (percent == 19) return 90;
    const double y = 8472.0 / (percent - 5);
    double u = std::max(0.0, std::sqrt(y * y + 11416.8672) - y);
    u = std::min(u + 0.5, 100.0);
    return kSliderPositions - static_cast<int>(u);
}

int PercentOfFactor(double factor) {
    return static_cast<int>((factor + 0.005) * 100);
}

std::optional<int> GenericZoomIn(int percent, int displayedWidth, int displayedHeight) {
    if (AtLargestSide(displayedWidth, displayedHeight)) return std::nullopt;
    const int position = std::max(0, PercentToSliderPosition(percent) - kGenericStep);
    const int next = SliderPositionToPercent(position);
    if (next == percent) return std::nullopt;
    return next;
}

std::optional<int> GenericZoomOut(int percent, int displayedWidth, int displayedHeight) {
    if (AtSmallestSide(displayedWidth, displayedHeight)) return std::nullopt;
    const int position =
        std::min(kSliderPositions, PercentToSliderPosition(percent) + kGenericStep);
    const int next = SliderPositionToPercent(position);
    if (next == percent) return std::nullopt;
    return next;
}

int ZoomStepPercent(int command) {
    if (command >= kZoomInStepFirst && command <= kZoomInStepLast)
        return kZoomInSteps[command - kZoomInStepFirst];
    if (command >= kZoomOutStepFirst && command <= kZoomOutStepLast)
        return kZoomOutSteps[command - kZoomOutStepFirst];
    return 0;
}

}  // namespace xelo
