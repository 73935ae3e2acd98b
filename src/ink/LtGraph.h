// CXeloLtGraph, the base of every annotation layer object, and CXeloLtShape, which adds the pen
// and fill attributes. Coordinates are picture pixels.
#pragma once

#include <cstdint>
#include <memory>

#include "image/Geometry.h"
#include "ink/LtPainter.h"
#include "ink/LtViewParams.h"

namespace xelo {

class CInkArchiveIn;
class CInkArchiveOut;

class CXeloLtGraph {
  public:
    explicit CXeloLtGraph(uint32_t kind = 0, Point origin = {});
    virtual ~CXeloLtGraph() = default;

    // The class name stored in ink files.
    virtual const char* ClassName() const = 0;
    // The object's data, base parts first.
    virtual void Store(CInkArchiveOut& out) const;
    virtual void Load(CInkArchiveIn& in);

    // Eight squares of the handle half-size around the bounds.
    void DrawHandles(LtPainter& painter, const LtViewParams& view, bool highlight) const;
    virtual void SetBounds(const Rect& bounds) { bounds_ = bounds; }
    virtual std::unique_ptr<CXeloLtGraph> Clone() const = 0;
    // Same class and same strokes.
    virtual bool IsEqual(const CXeloLtGraph& other) const = 0;
    virtual void Draw(LtPainter& painter, const LtViewParams& view) const = 0;
    // `point` is in picture pixels.
    virtual bool HitTest(Point point, const LtViewParams& view) const = 0;
    bool PointInBounds(Point point) const;
    virtual void Move(int32_t dx, int32_t dy);
    // The layer's scale changed: objects may prepare their view geometry.
    virtual void Scale(double factor) = 0;
    bool Intersects(const Rect& rect) const;
    // The bounds in view pixels.
    Rect ViewBounds(const LtViewParams& view) const;

    uint32_t Kind() const { return kind_; }
    const Rect& Bounds() const { return bounds_; }
    Point Origin() const { return origin_; }

  protected:
    CXeloLtGraph(const CXeloLtGraph&) = default;
    CXeloLtGraph& operator=(const CXeloLtGraph&) = default;

    uint32_t kind_;
    Rect bounds_;
    Point origin_;
};

class CXeloLtShape : public CXeloLtGraph {
  public:
    using CXeloLtGraph::CXeloLtGraph;

    void Store(CInkArchiveOut& out) const override;
    void Load(CInkArchiveIn& in) override;

    LtPen Pen() const { return {penStyle_, penWidth_, penColor_}; }
    void SetPen(const LtPen& pen);
    int32_t FillStyle() const { return fillStyle_; }
    int32_t FillHatch() const { return fillHatch_; }
    uint32_t FillColor() const { return fillColor_; }

  protected:
    CXeloLtShape(const CXeloLtShape&) = default;
    CXeloLtShape& operator=(const CXeloLtShape&) = default;

    int32_t penStyle_ = 0;
    int32_t penWidth_ = 1;
    uint32_t penColor_ = 0;
    int32_t fillStyle_ = 0;
    int32_t fillHatch_ = -1;  // no fill
    uint32_t fillColor_ = 0xFFFFFF;
};

}  // namespace xelo
