// What the annotation layer needs from a drawing surface; the window layer implements it over
// the picture it shows, tests record the calls.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/Geometry.h"

namespace xelo {

struct LtPen {
    int32_t style = 0;
    int32_t width = 1;
    uint32_t color = 0;  // 0x00BBGGRR
};

class LtPainter {
  public:
    virtual ~LtPainter() = default;
    // The part of the surface that needs drawing, in view pixels.
    virtual Rect VisibleRect() const = 0;
    // A connected line through `count` view points.
    virtual void Polyline(const Point* points, size_t count, const LtPen& pen) = 0;
    // A selection handle: a filled square, inverted when highlighting.
    virtual void Handle(const Rect& square, bool invert) = 0;
};

}  // namespace xelo
