// Where the image view's picture lies in its window: the mapping between window pixels and
// picture pixels through the zoom, the scroll position, the quarter turns and the mirrors. Ink
// is captured and drawn in picture pixels through it, whatever the view shows.
#pragma once

#include "image/Geometry.h"

namespace xelo {

struct PictureGeometry {
    Size natural;     // the picture's own pixels
    Size displayed;   // its size on screen, after orientation and zoom
    Point offset;     // the window's position inside the displayed picture
    int orientation = 0;  // 0 … 7, as RenderTransformed counts them

    bool IsEmpty() const {
        return natural.width <= 0 || natural.height <= 0 || displayed.width <= 0 ||
               displayed.height <= 0;
    }
};

// The picture pixel under the centre of window pixel `at`, clamped to the picture; `inside`
// (when given) tells whether the window pixel shows the picture at all.
Point PicturePixelAt(const PictureGeometry& g, Point at, bool* inside = nullptr);

struct WindowPointF {
    double x = 0;
    double y = 0;
};

// Where the picture coordinate (x, y) lands in the window; pixel edges are at whole numbers on
// both sides, so a pixel's centre is at +0.5. The mapping is affine.
WindowPointF WindowPointOf(const PictureGeometry& g, double x, double y);

}  // namespace xelo
