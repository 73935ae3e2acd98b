// Window pixels to picture pixels and back, in exact integer steps where a pixel is picked.
#include "views/PictureMapping.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "image/RenderTransformed.h"

namespace xelo {

namespace {

// How an orientation lays the picture's axes on the screen: whether the screen's x runs along
// the picture's rows (a quarter turn) and whether each screen axis runs backwards.
struct AxisLayout {
    bool swap;
    bool flipX;  // screen x runs against its picture axis
    bool flipY;
};

AxisLayout LayoutOf(int orientation) {
    switch (orientation & 7) {
        case kOrientRotate90:
            return {true, true, false};
        case kOrientRotate180:
            return {false, true, true};
        case kOrientRotate270:
            return {true, false, true};
        case kOrientMirrorLeftRight:
            return {false, true, false};
        case kOrientTranspose:
            return {true, false, false};
        case kOrientMirrorTopBottom:
            return {false, false, true};
        case kOrientTransverse:
            return {true, true, true};
        default:
            return {false, false, false};
    }
}

int64_t FloorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// The picture index (0 … n − 1, clamped) under the centre of screen pixel `d` of an axis that is
// `extent` pixels long on screen and `n` pixels in the picture.
int PictureIndex(int64_t d, int64_t extent, int64_t n, bool flip, bool& inside) {
    inside = inside && d >= 0 && d < extent;
    const int64_t centreTimes2 = flip ? 2 * extent - 2 * d - 1 : 2 * d + 1;
    const int64_t index = FloorDiv(centreTimes2 * n, 2 * extent);
    return static_cast<int>(std::clamp<int64_t>(index, 0, n - 1));
}

}  // namespace

Point PicturePixelAt(const PictureGeometry& g, Point at, bool* inside) {
    bool in = !g.IsEmpty();
    if (!in) {
        if (inside) *inside = false;
        return {};
    }
    const AxisLayout a = LayoutOf(g.orientation);
    const int64_t X = int64_t{at.x} + g.offset.x;
    const int64_t Y = int64_t{at.y} + g.offset.y;
    Point p;
    if (a.swap) {
        p.y = PictureIndex(X, g.displayed.width, g.natural.height, a.flipX, in);
        p.x = PictureIndex(Y, g.displayed.height, g.natural.width, a.flipY, in);
    } else {
        p.x = PictureIndex(X, g.displayed.width, g.natural.width, a.flipX, in);
        p.y = PictureIndex(Y, g.displayed.height, g.natural.height, a.flipY, in);
    }
    if (inside) *inside = in;
    return p;
}

WindowPointF WindowPointOf(const PictureGeometry& g, double x, double y) {
    if (g.IsEmpty()) return {};
    const AxisLayout a = LayoutOf(g.orientation);
    // Along the screen's x: the picture axis, its length in the picture and on screen.
    const double alongX = a.swap ? y : x, alongY = a.swap ? x : y;
    const double nx = a.swap ? g.natural.height : g.natural.width;
    const double ny = a.swap ? g.natural.width : g.natural.height;
    double sx = alongX * g.displayed.width / nx;
    double sy = alongY * g.displayed.height / ny;
    if (a.flipX) sx = g.displayed.width - sx;
    if (a.flipY) sy = g.displayed.height - sy;
    return {sx - g.offset.x, sy - g.offset.y};
}

}  // namespace xelo
