// Stroke capture and ink drawing over a picture shown in a window. The owner passes the window
// points of the pointer and the picture's current geometry; strokes are kept in picture pixels,
// so they land on the same pixels at any zoom, scroll position, turn or mirror. The image view
// uses it for the picture layer; a slide show can use it for its own layer the same way.
#pragma once

#include <QRect>
#include <memory>

#include "ink/LtFreeHand.h"
#include "ink/LtManager.h"
#include "views/PictureMapping.h"

class QPainter;

namespace xelo {

class CInkCapture {
  public:
    // Starts a stroke when window point `at` shows the picture; false (nothing started) when it
    // does not. `kind` is the new object's kind: the target layer's object count.
    bool Press(Point at, const PictureGeometry& g, const LtPen& pen, uint32_t kind);
    // Adds the picture pixel under `at` (clamped to the picture); the window rectangle the new
    // segment covers, empty when the point adds nothing.
    QRect Move(Point at, const PictureGeometry& g);
    // Ends the stroke at `at`. A stroke of two or more distinct points is appended to `layer`
    // (true); a tap leaves nothing.
    bool Release(Point at, const PictureGeometry& g, CXeloLtManager& layer);
    // Drops the stroke being drawn.
    void Cancel() { stroke_.reset(); }

    bool Active() const { return stroke_ != nullptr; }
    // The stroke being drawn, or null.
    const CXeloLtFreeHand* Stroke() const { return stroke_.get(); }

  private:
    // Adds a point unless it repeats the last one; true when added.
    bool Add(Point picturePixel);

    std::unique_ptr<CXeloLtFreeHand> stroke_;
    Point last_;
};

// Draws `layer`, then `stroke` when given, over the picture as `g` places it in the window:
// round, antialiased pens whose width is in picture pixels.
void PaintInk(QPainter& painter, const PictureGeometry& g, const CXeloLtManager& layer,
              const CXeloLtFreeHand* stroke);

}  // namespace xelo
