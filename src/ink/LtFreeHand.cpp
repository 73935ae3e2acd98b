// Freehand strokes: stroke bookkeeping, stored data, drawing through the painter, hit testing.
#include "ink/LtFreeHand.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "image/TavoException.h"
#include "ink/InkArchive.h"
#include "ink/InkOrigin.h"

namespace xelo {

namespace {

constexpr uint32_t kUnit = 301;

constexpr int32_t kEmptyLow = std::numeric_limits<int32_t>::max();
constexpr int32_t kEmptyHigh = std::numeric_limits<int32_t>::min();

int32_t Plus(int32_t a, int64_t b) {
    return static_cast<int32_t>(std::clamp<int64_t>(a + b, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int ScaleCoordinate(int32_t v, double factor) {
    const double s = v * factor;
    if (!(s > std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    if (!(s < std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    return static_cast<int>(std::lround(s));
}

// Squared distance from p to the segment a-b.
double DistanceSquared(Point p, Point a, Point b) {
    const double dx = static_cast<double>(b.x) - a.x, dy = static_cast<double>(b.y) - a.y;
    const double px = static_cast<double>(p.x) - a.x, py = static_cast<double>(p.y) - a.y;
    const double length = dx * dx + dy * dy;
    double t = length > 0 ? (px * dx + py * dy) / length : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = px - t * dx, ey = py - t * dy;
    return ex * ex + ey * ey;
}

}  // namespace

CXeloLtFreeHand::CXeloLtFreeHand(uint32_t kind, Point origin) : CXeloLtShape(kind, origin) {
    bounds_ = {kEmptyLow, kEmptyLow, kEmptyHigh, kEmptyHigh};
}

void CXeloLtFreeHand::GrowBounds(Point p) {
    bounds_.left = std::min(bounds_.left, Plus(p.x, -1));
    bounds_.top = std::min(bounds_.top, Plus(p.y, -1));
    bounds_.right = std::max(bounds_.right, Plus(p.x, 1));
    bounds_.bottom = std::max(bounds_.bottom, Plus(p.y, 1));
}

void CXeloLtFreeHand::TakeStrokes(const std::vector<Point>& points,
                                  const std::vector<uint32_t>& lengths) {
    points_.clear();
    strokeLengths_.clear();
    scaledFor_ = 0.0;
    bounds_ = {kEmptyLow, kEmptyLow, kEmptyHigh, kEmptyHigh};
    size_t start = 0;
    for (uint32_t length : lengths) {
        if (length > 1) {
            strokeLengths_.push_back(length);
            for (size_t i = start; i < start + length; ++i) {
                points_.push_back(points[i]);
                GrowBounds(points[i]);
            }
        }
        start += length;
    }
}

void CXeloLtFreeHand::SetStrokes(const std::vector<std::vector<Point>>& strokes) {
    std::vector<Point> flat;
    std::vector<uint32_t> lengths;
    for (const auto& stroke : strokes) {
        flat.insert(flat.end(), stroke.begin(), stroke.end());
        lengths.push_back(static_cast<uint32_t>(stroke.size()));
    }
    TakeStrokes(flat, lengths);
}

void CXeloLtFreeHand::AddPoint(Point point) {
    if (strokeLengths_.empty()) strokeLengths_.push_back(0);
    points_.push_back(point);
    ++strokeLengths_.back();
    scaledFor_ = 0.0;
    GrowBounds(point);
}

void CXeloLtFreeHand::Store(CInkArchiveOut& out) const {
    CXeloLtShape::Store(out);
    out.I32(StrokeCount());
    for (uint32_t length : strokeLengths_)
        out.Le32(length);
    for (const Point& p : points_) {
        out.I32(p.x);
        out.I32(p.y);
    }
}

void CXeloLtFreeHand::Load(CInkArchiveIn& in) {
    CXeloLtShape::Load(in);
    const Rect stored = bounds_;
    const int32_t strokeCount = in.I32();
    if (strokeCount < 0) ThrowError(kErrFormatInvalid, {kComponentInk, kUnit, __LINE__});
    // Counts are checked against the bytes that remain before anything is reserved for them.
    in.Need(uint64_t{static_cast<uint32_t>(strokeCount)} * 4);
    std::vector<uint32_t> lengths(static_cast<size_t>(strokeCount));
    uint64_t total = 0;
    for (uint32_t& length : lengths) {
        length = in.Le32();
        total += length;
    }
    in.Need(total * 8);
    std::vector<Point> points(static_cast<size_t>(total));
    for (Point& p : points) {
        p.x = in.I32();
        p.y = in.I32();
    }
    TakeStrokes(points, lengths);
    SetBounds(stored);
}

std::unique_ptr<CXeloLtGraph> CXeloLtFreeHand::Clone() const {
    return std::unique_ptr<CXeloLtGraph>(new CXeloLtFreeHand(*this));
}

bool CXeloLtFreeHand::IsEqual(const CXeloLtGraph& other) const {
    const auto* o = dynamic_cast<const CXeloLtFreeHand*>(&other);
    return o && strokeLengths_ == o->strokeLengths_ && points_ == o->points_;
}

void CXeloLtFreeHand::Draw(LtPainter& painter, const LtViewParams& view) const {
    LtPen pen = Pen();
    pen.width = std::max(1, ScaleCoordinate(pen.width, view.scale));
    const bool cached = scaledFor_ == view.scale && scaledPoints_.size() == points_.size();
    std::vector<Point> line;
    size_t start = 0;
    for (uint32_t length : strokeLengths_) {
        line.clear();
        for (size_t i = start; i < start + length; ++i) {
            if (cached) {
                line.push_back({Plus(scaledPoints_[i].x, -int64_t{view.xOffset}),
                                Plus(scaledPoints_[i].y, -int64_t{view.yOffset})});
            } else {
                line.push_back(ToView(points_[i], view));
            }
        }
        start += length;
        if (line.size() > 1) painter.Polyline(line.data(), line.size(), pen);
    }
}

bool CXeloLtFreeHand::HitTest(Point point, const LtViewParams& view) const {
    const int64_t limit =
        std::max<int64_t>(0, int64_t{std::max(0, view.hitTolerance)} + penWidth_ / 2);
    const double limitSquared = static_cast<double>(limit) * static_cast<double>(limit);
    size_t start = 0;
    for (uint32_t length : strokeLengths_) {
        if (length == 1 && DistanceSquared(point, points_[start], points_[start]) <= limitSquared)
            return true;
        for (size_t i = start + 1; i < start + length; ++i) {
            if (DistanceSquared(point, points_[i - 1], points_[i]) <= limitSquared) return true;
        }
        start += length;
    }
    return false;
}

void CXeloLtFreeHand::Move(int32_t dx, int32_t dy) {
    CXeloLtGraph::Move(dx, dy);
    for (Point& p : points_)
        p = {Plus(p.x, dx), Plus(p.y, dy)};
    scaledFor_ = 0.0;
}

void CXeloLtFreeHand::Scale(double factor) {
    scaledPoints_.resize(points_.size());
    for (size_t i = 0; i < points_.size(); ++i) {
        scaledPoints_[i] = {ScaleCoordinate(points_[i].x, factor),
                            ScaleCoordinate(points_[i].y, factor)};
    }
    scaledFor_ = factor;
}

}  // namespace xelo
