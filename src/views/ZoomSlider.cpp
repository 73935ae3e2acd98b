#include "views/ZoomSlider.h"

#include <QSignalBlocker>
#include <algorithm>

#include "base/ViewModes.h"
#include "views/ZoomScale.h"

namespace xelo {

CZoomSlider::CZoomSlider(QWidget* parent) : QSlider(Qt::Vertical, parent) {
    setRange(0, kSliderPositions);
    // Position 0 is the largest zoom and sits at the top.
    setInvertedAppearance(true);
    setInvertedControls(true);
    setSingleStep(1);
    setPageStep(5);
    // The view keeps the keyboard for browsing and panning.
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    connect(this, &QSlider::valueChanged, this,
            [this](int position) { emit percentChosen(SliderPositionToPercent(position)); });
}

void CZoomSlider::ShowPercent(int percent) {
    const QSignalBlocker quiet(this);
    setValue(PercentToSliderPosition(percent));
}

QRect CZoomSlider::Placement(QSize viewSize, int mode) {
    const int height = mode == kModeFullScreen
                           ? std::min(kZoomSliderFullScreenHeight, viewSize.height())
                           : viewSize.height();
    return {std::max(0, viewSize.width() - kZoomSliderWidth), 0, kZoomSliderWidth, height};
}

}  // namespace xelo
