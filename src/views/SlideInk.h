// The ink of the current slide of a slide show: drawn with the pen when "Enable ink annotation"
// is on, never saved, emptied when the next slide shows. A press on a playing show only stops it.
#pragma once

#include "views/InkCapture.h"

namespace xelo {

class CSlideInk {
  public:
    enum class PressResult {
        kStopShow,  // the show plays: the press stops it and draws nothing
        kIgnored,   // an animation steps, ink on slides is off, or the press missed the picture
        kDrawing,   // a stroke started
    };

    PressResult Press(Point at, const PictureGeometry& g, const LtPen& pen, bool showPlaying,
                      bool gifAnimating, bool inkOnSlides);
    // The window rectangle to repaint, empty when nothing changed.
    QRect Move(Point at, const PictureGeometry& g) { return capture_.Move(at, g); }
    // True when the stroke was kept (a tap keeps nothing).
    bool Release(Point at, const PictureGeometry& g) { return capture_.Release(at, g, layer_); }
    // Undo Last Stroke: false when there was none.
    bool UndoLastStroke() { return layer_.RemoveCurrent(); }
    // A new slide shows: its ink starts empty.
    void NewSlide() {
        capture_.Cancel();
        layer_.RemoveAll();
    }
    void Paint(QPainter& painter, const PictureGeometry& g) const {
        PaintInk(painter, g, layer_, capture_.Stroke());
    }

    const CXeloLtManager& Layer() const { return layer_; }
    bool Drawing() const { return capture_.Active(); }

  private:
    CXeloLtManager layer_;
    CInkCapture capture_;
};

}  // namespace xelo
