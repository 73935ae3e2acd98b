// The zoom percentages of the image view: the slider's scale and the zoom commands' steps.
#pragma once

#include <optional>

namespace xelo {

constexpr int kMinZoomPercent = 5;
constexpr int kMaxZoomPercent = 1200;
constexpr int kSliderPositions = 100;  // 0 is the largest zoom
// Zoom In stops when a displayed side reaches this; Zoom Out when one is down to this.
constexpr int kMaxDisplayedSide = 58000;
constexpr int kMinDisplayedSide = 1;

// Slider position 0 … 100 → percent 5 … 1200 (position 50 is 100 %).
int SliderPositionToPercent(int position);
// Percent → the slider position that shows it.
int PercentToSliderPosition(int percent);

// The percent of a zoom factor as the view shows it.
int PercentOfFactor(double factor);

// The generic Zoom In / Zoom Out: five slider positions towards the larger / smaller end.
// Empty when the command must beep: the displayed picture is already at its limit, or the
// percent would not change.
std::optional<int> GenericZoomIn(int percent, int displayedWidth, int displayedHeight);
std::optional<int> GenericZoomOut(int percent, int displayedWidth, int displayedHeight);

// The step commands' percents: Zoom In 33001 … 33011, Zoom Out 33101 … 33112.
constexpr int kZoomInStepFirst = 33001;
constexpr int kZoomInStepLast = 33011;
constexpr int kZoomOutStepFirst = 33101;
constexpr int kZoomOutStepLast = 33112;
// The percent of step command `command`, or 0 when it is none.
int ZoomStepPercent(int command);

}  // namespace xelo
