// The base annotation object: bounds, kind, origin; the shape's pen and fill; view mapping.
#include "ink/LtGraph.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "ink/InkArchive.h"

namespace xelo {

namespace {

int Saturate(double v) {
    if (!(v > std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    if (!(v < std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    return static_cast<int>(std::lround(v));
}

int32_t AddSaturated(int32_t a, int32_t b) {
    const int64_t sum = int64_t{a} + b;
    return static_cast<int32_t>(std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

}  // namespace

int ToViewX(int32_t x, const LtViewParams& view) {
    return Saturate(x * view.scale - view.xOffset);
}

int ToViewY(int32_t y, const LtViewParams& view) {
    return Saturate(y * view.scale - view.yOffset);
}

Point ToView(Point p, const LtViewParams& view) {
    return {ToViewX(p.x, view), ToViewY(p.y, view)};
}

CXeloLtGraph::CXeloLtGraph(uint32_t kind, Point origin) : kind_(kind), origin_(origin) {}

void CXeloLtGraph::Store(CInkArchiveOut& out) const {
    out.I32(bounds_.left);
    out.I32(bounds_.top);
    out.I32(bounds_.right);
    out.I32(bounds_.bottom);
    out.Le32(kind_);
    out.I32(origin_.x);
    out.I32(origin_.y);
}

void CXeloLtGraph::Load(CInkArchiveIn& in) {
    bounds_.left = in.I32();
    bounds_.top = in.I32();
    bounds_.right = in.I32();
    bounds_.bottom = in.I32();
    kind_ = in.Le32();
    origin_.x = in.I32();
    origin_.y = in.I32();
}

void CXeloLtGraph::DrawHandles(LtPainter& painter, const LtViewParams& view, bool highlight) const {
    if (bounds_.left > bounds_.right || bounds_.top > bounds_.bottom) return;
    const Rect b = ViewBounds(view);
    const int h = std::max(1, view.handleHalfSize);
    const int xs[3] = {b.left, static_cast<int>((int64_t{b.left} + b.right) / 2), b.right};
    const int ys[3] = {b.top, static_cast<int>((int64_t{b.top} + b.bottom) / 2), b.bottom};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            if (row == 1 && col == 1) continue;
            const int x = xs[col], y = ys[row];
            painter.Handle(Rect{AddSaturated(x, -h), AddSaturated(y, -h), AddSaturated(x, h),
                                AddSaturated(y, h)},
                           highlight);
        }
    }
}

bool CXeloLtGraph::PointInBounds(Point p) const {
    return p.x >= bounds_.left && p.x <= bounds_.right && p.y >= bounds_.top &&
           p.y <= bounds_.bottom;
}

void CXeloLtGraph::Move(int32_t dx, int32_t dy) {
    if (bounds_.left <= bounds_.right) {
        bounds_ = {AddSaturated(bounds_.left, dx), AddSaturated(bounds_.top, dy),
                   AddSaturated(bounds_.right, dx), AddSaturated(bounds_.bottom, dy)};
    }
    origin_ = {AddSaturated(origin_.x, dx), AddSaturated(origin_.y, dy)};
}

bool CXeloLtGraph::Intersects(const Rect& r) const {
    // The bounds include their right and bottom edges; the rectangle does not.
    return int64_t{bounds_.left} < r.right && int64_t{bounds_.right} >= r.left &&
           int64_t{bounds_.top} < r.bottom && int64_t{bounds_.bottom} >= r.top;
}

Rect CXeloLtGraph::ViewBounds(const LtViewParams& view) const {
    if (bounds_.left > bounds_.right || bounds_.top > bounds_.bottom) return Rect{};
    return {ToViewX(bounds_.left, view), ToViewY(bounds_.top, view), ToViewX(bounds_.right, view),
            ToViewY(bounds_.bottom, view)};
}

void CXeloLtShape::Store(CInkArchiveOut& out) const {
    CXeloLtGraph::Store(out);
    out.I32(penStyle_);
    out.I32(penWidth_);
    out.Le32(penColor_);
    out.I32(fillStyle_);
    out.I32(fillHatch_);
    out.Le32(fillColor_);
}

void CXeloLtShape::Load(CInkArchiveIn& in) {
    CXeloLtGraph::Load(in);
    penStyle_ = in.I32();
    penWidth_ = in.I32();
    penColor_ = in.Le32();
    fillStyle_ = in.I32();
    fillHatch_ = in.I32();
    fillColor_ = in.Le32();
}

void CXeloLtShape::SetPen(const LtPen& pen) {
    penStyle_ = pen.style;
    penWidth_ = pen.width;
    penColor_ = pen.color;
}

}  // namespace xelo
