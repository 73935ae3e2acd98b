#include "views/QuickViewGeometry.h"

#include <algorithm>
#include <cstdint>

#include "image/FitSize.h"
#include "views/ImageViewGeometry.h"

namespace xelo {

namespace {

// a × b / c rounded half up, for a >= 0 and b, c > 0.
int MulDivRound(int64_t a, int64_t b, int64_t c) {
    return static_cast<int>((2 * a * b + c) / (2 * c));
}

}  // namespace

QuickViewGeometry::QuickViewGeometry(Size displayed, Size window, Size area) {
    x_.displayed = displayed.width;
    x_.window = window.width;
    y_.displayed = displayed.height;
    y_.window = window.height;
    const Size fitted = FitSize(area.width, area.height, displayed.width, displayed.height, false);
    if (fitted.width <= 0 || fitted.height <= 0 || window.width <= 0 || window.height <= 0) return;
    picture_ = {(area.width - fitted.width) / 2, (area.height - fitted.height) / 2, 0, 0};
    picture_.right = picture_.left + fitted.width;
    picture_.bottom = picture_.top + fitted.height;
    x_.start = picture_.left;
    x_.extent = fitted.width;
    y_.start = picture_.top;
    y_.extent = fitted.height;
    for (Axis* axis : {&x_, &y_}) {
        // The mark keeps one size while it moves; a window wider than the picture sees all of it.
        axis->mark = axis->Scrolls()
                         ? std::clamp(MulDivRound(axis->window, axis->extent, axis->displayed), 1,
                                      axis->extent)
                         : axis->extent;
    }
}

int QuickViewGeometry::Axis::MarkStart(int offset) const {
    if (!Scrolls()) return start;
    const int clamped = std::clamp(offset, 0, displayed - window);
    // Both ends of the mark rounded separately can overshoot the picture by one pixel.
    return start + std::min(MulDivRound(clamped, extent, displayed), extent - mark);
}

int QuickViewGeometry::Axis::ClampMark(int position) const {
    if (!Scrolls()) return start;
    return std::clamp(position, start, start + extent - mark);
}

int QuickViewGeometry::Axis::OffsetAt(int position, int startOffset) const {
    if (!Scrolls()) return ClampOffset(startOffset, displayed, window);
    if (position == MarkStart(startOffset)) return ClampOffset(startOffset, displayed, window);
    // The mark at an end of its range shows that end of the picture exactly.
    if (position <= start) return 0;
    if (position >= start + extent - mark) return displayed - window;
    return ClampOffset(MulDivRound(position - start, displayed, extent), displayed, window);
}

Rect QuickViewGeometry::Mark(Point offset) const {
    if (picture_.IsEmpty()) return {};
    const int left = x_.MarkStart(offset.x);
    const int top = y_.MarkStart(offset.y);
    return {left, top, left + x_.mark, top + y_.mark};
}

Point QuickViewGeometry::ClampMark(Point topLeft) const {
    return {x_.ClampMark(topLeft.x), y_.ClampMark(topLeft.y)};
}

Point QuickViewGeometry::OffsetAt(Point topLeft, Point start) const {
    return {x_.OffsetAt(topLeft.x, start.x), y_.OffsetAt(topLeft.y, start.y)};
}

}  // namespace xelo
