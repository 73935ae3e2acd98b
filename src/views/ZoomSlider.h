// The zoom slider of the image view: a narrow vertical track on the view's right edge whose
// positions 0 (top, the largest zoom) … 100 map to the zoom percents.
#pragma once

#include <QSlider>

namespace xelo {

constexpr int kZoomSliderWidth = 11;
// In Full Screen the slider leaves most of the edge to the picture.
constexpr int kZoomSliderFullScreenHeight = 200;

class CZoomSlider : public QSlider {
    Q_OBJECT

  public:
    explicit CZoomSlider(QWidget* parent);

    // Moves the thumb to the position of `percent` without reporting a move.
    void ShowPercent(int percent);
    // The slider's place in a view of `viewSize` in mode `mode`.
    static QRect Placement(QSize viewSize, int mode);

  signals:
    // The user moved the slider to the position of `percent`.
    void percentChosen(int percent);
};

}  // namespace xelo
