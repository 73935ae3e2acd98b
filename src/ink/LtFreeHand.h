// CXeloLtFreeHand: a set of polylines drawn with the stylus, the one kind of object the program
// creates in an annotation layer.
#pragma once

#include <cstdint>
#include <vector>

#include "ink/LtGraph.h"

namespace xelo {

class CXeloLtFreeHand : public CXeloLtShape {
  public:
    static constexpr const char* kClassName = "CXeloLtFreeHand";
    static constexpr uint16_t kSchema = 10;

    // Empty bounds (left = top = INT32_MAX, right = bottom = INT32_MIN) so the first point sets
    // them.
    explicit CXeloLtFreeHand(uint32_t kind = 0, Point origin = {});

    const char* ClassName() const override { return kClassName; }
    void Store(CInkArchiveOut& out) const override;
    // A negative stroke count is refused; strokes of fewer than two points are dropped; the
    // bounds become the stored rectangle.
    void Load(CInkArchiveIn& in) override;

    // Replaces the strokes, keeping only those of more than one point; the bounds grow to
    // include (x - 1, y - 1) and (x + 1, y + 1) for every kept point.
    void SetStrokes(const std::vector<std::vector<Point>>& strokes);
    // Adds a point to the stroke being drawn (a new object starts one stroke with its first
    // point); the bounds grow as above.
    void AddPoint(Point point);

    int32_t StrokeCount() const { return static_cast<int32_t>(strokeLengths_.size()); }
    int32_t PointCount() const { return static_cast<int32_t>(points_.size()); }
    // All points, stroke after stroke, and the number of points of each stroke.
    const std::vector<Point>& Points() const { return points_; }
    const std::vector<uint32_t>& StrokeLengths() const { return strokeLengths_; }

    std::unique_ptr<CXeloLtGraph> Clone() const override;
    bool IsEqual(const CXeloLtGraph& other) const override;
    void Draw(LtPainter& painter, const LtViewParams& view) const override;
    // True within hit tolerance + penWidth / 2 (picture pixels) of a stroke segment.
    bool HitTest(Point point, const LtViewParams& view) const override;
    void Move(int32_t dx, int32_t dy) override;
    // Keeps the points multiplied by `factor`, so drawing at that scale only subtracts offsets.
    void Scale(double factor) override;

  private:
    CXeloLtFreeHand(const CXeloLtFreeHand&) = default;
    // Keeps the strokes of more than one point out of a flat list and grows the bounds.
    void TakeStrokes(const std::vector<Point>& points, const std::vector<uint32_t>& lengths);
    void GrowBounds(Point p);

    std::vector<Point> points_;
    std::vector<uint32_t> strokeLengths_;
    double scaledFor_ = 0.0;           // the factor of scaledPoints_, 0 when not prepared
    std::vector<Point> scaledPoints_;  // points × scaledFor_
};

}  // namespace xelo
