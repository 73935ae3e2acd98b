#include "views/ImageViewGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "image/FitSize.h"
#include "image/RenderTransformed.h"

namespace xelo {

namespace {

int ScaleSide(int side, double factor) {
    if (factor == 1.0) return side;
    const double scaled = side * factor;
    // Screens cannot show more than this; keeps the int conversion defined.
    constexpr double kLimit = 1 << 30;
    if (factor > 1.0) return static_cast<int>(std::min(std::round(scaled), kLimit));
    return static_cast<int>(std::min(scaled, kLimit));
}

Size Oriented(Size size, int orientation) {
    if (SwapsAxes(orientation)) std::swap(size.width, size.height);
    return size;
}

int ReducedSide(int side, int percent) {
    return std::max(1, static_cast<int>((int64_t{side} * percent + 99) / 100));
}

// The other side in proportion when `side` becomes exactly `target`.
int Proportional(int other, int side, int target) {
    return std::max(1, static_cast<int>((int64_t{other} * target + side / 2) / side));
}

}  // namespace

Size DisplayedSize(Size natural, double factor, int orientation) {
    return Oriented({ScaleSide(natural.width, factor), ScaleSide(natural.height, factor)},
                    orientation);
}

Size DecodeSize(Size natural, int percent, int orientation) {
    const int w = natural.width;
    const int h = natural.height;
    Size size;
    if (percent == 100) {
        size = natural;
    } else if (percent > 100) {
        size = {static_cast<int>((int64_t{w} * percent + 50) / 100),
                static_cast<int>((int64_t{h} * percent + 50) / 100)};
    } else {
        size = {ReducedSide(w, percent), ReducedSide(h, percent)};
        for (const int target : {240, 320}) {
            if (w > target && percent == target * 100 / w) {
                size = {target, Proportional(h, w, target)};
                break;
            }
            if (h > target && percent == target * 100 / h) {
                size = {Proportional(w, h, target), target};
                break;
            }
        }
    }
    return Oriented(size, orientation);
}

int ChooseDecodePercent(Size natural, Size displayed, int orientation) {
    auto smaller = [&](int percent) {
        const Size s = DecodeSize(natural, percent, orientation);
        return s.width < displayed.width || s.height < displayed.height;
    };
    if (smaller(60)) return 100;
    if (smaller(30)) return 50;
    if (!smaller(15)) return 13;
    return 25;
}

int LowerDecodePercent(int percent) {
    if (percent < 9) return 0;
    if (percent < 14) return 8;
    if (percent < 26) return 13;
    if (percent <= 50) return 25;
    return 50;
}

double FitFactor(Size natural, Size window, int orientation) {
    if (natural.width <= 0 || natural.height <= 0 || window.width <= 0 || window.height <= 0)
        return 1.0;
    const Size box = Oriented(window, orientation);
    const Size fit = FitSize(box.width, box.height, natural.width, natural.height, true);
    if (fit.width == box.width) return static_cast<double>(fit.width) / natural.width;
    return static_cast<double>(fit.height) / natural.height;
}

double DefaultZoomFactor(DefaultZoom mode, Size natural, Size window, int orientation) {
    switch (mode) {
        case DefaultZoom::kOriginalSize:
            return 1.0;
        case DefaultZoom::kFitInWindow:
            return FitFactor(natural, window, orientation);
        case DefaultZoom::kSmart:
            break;
    }
    const Size oriented = Oriented(natural, orientation);
    if (oriented.width <= 0 || oriented.height <= 0) return 1.0;
    if (oriented.width < window.width || oriented.height < window.height) return 1.0;
    return std::min(static_cast<double>(window.width) / oriented.width,
                    static_cast<double>(window.height) / oriented.height);
}

int ZoomedOffset(int offset, int oldExtent, int extent, int window) {
    if (extent <= window) return CentredOffset(extent, window);
    double kept = offset + window / 2.0;
    if (oldExtent > 0) kept = static_cast<double>(extent) / oldExtent * kept;
    const double moved = std::trunc(kept - window / 2.0);
    return static_cast<int>(std::clamp(moved, 0.0, static_cast<double>(extent - window)));
}

int CentredOffset(int extent, int window) {
    return (extent - window) / 2;
}

int ClampOffset(int offset, int extent, int window) {
    if (extent <= window) return CentredOffset(extent, window);
    return std::clamp(offset, 0, extent - window);
}

int AutoRotateOrientation(Size natural, Size screen, bool turnLeft) {
    const bool screenLandscape = screen.width > screen.height;
    const bool screenPortrait = screen.height > screen.width;
    const bool pictureLandscape = natural.width > natural.height;
    const bool picturePortrait = natural.height > natural.width;
    if ((screenLandscape && picturePortrait) || (screenPortrait && pictureLandscape))
        return turnLeft ? kOrientRotate270 : kOrientRotate90;
    return kOrientNormal;
}

}  // namespace xelo
