// The annotation layer: freehand bounds and taps, insertion and removal, copies, hit testing,
// drawing only what is visible, and scale changes.
#include "ink/LtManager.h"

#include <gtest/gtest.h>

#include "ink/LtFreeHand.h"

namespace xelo {
namespace {

std::unique_ptr<CXeloLtFreeHand> Line(Point a, Point b, int width = 1) {
    auto f = std::make_unique<CXeloLtFreeHand>();
    f->SetPen({0, width, 0});
    f->SetStrokes({{a, b}});
    return f;
}

class RecordingPainter : public LtPainter {
  public:
    explicit RecordingPainter(Rect visible) : visible(visible) {}
    Rect VisibleRect() const override { return visible; }
    void Polyline(const Point* points, size_t count, const LtPen& pen) override {
        lines.emplace_back(points, points + count);
        widths.push_back(pen.width);
    }
    void Handle(const Rect& square, bool) override { handles.push_back(square); }
    Rect visible;
    std::vector<std::vector<Point>> lines;
    std::vector<int> widths;
    std::vector<Rect> handles;
};

TEST(LtFreeHand, ATapLeavesNoStroke) {
    CXeloLtFreeHand f;
    f.SetStrokes({{{5, 5}}, {}});
    EXPECT_EQ(f.StrokeCount(), 0);
    EXPECT_EQ(f.PointCount(), 0);
    EXPECT_GT(f.Bounds().left, f.Bounds().right);
    f.SetStrokes({{{5, 5}}, {{1, 1}, {2, 2}}, {{9, 9}}});
    EXPECT_EQ(f.StrokeLengths(), std::vector<uint32_t>{2});
}

struct HitCase {
    Point at;
    int penWidth;
    int tolerance;
    bool hit;
};

// A horizontal segment (0,0)-(100,0): hit within tolerance + penWidth / 2 of it.
TEST(LtFreeHand, HitWithinToleranceAndHalfThePenOfASegment) {
    const HitCase cases[] = {
        {{50, 2}, 1, 2, true},   {{50, 3}, 1, 2, false}, {{50, -3}, 2, 2, true},  // 2 + 2/2
        {{50, 4}, 3, 2, false},                                                   // 2 + 3/2 = 3
        {{102, 0}, 1, 2, true},   // past the end point
        {{102, 2}, 1, 2, false},  // diagonal distance 2.83
        {{-2, 0}, 1, 2, true},   {{50, 0}, 1, 0, true},  {{50, 1}, 1, 0, false}};
    for (const HitCase& c : cases) {
        LtViewParams view;
        view.hitTolerance = c.tolerance;
        EXPECT_EQ(Line({0, 0}, {100, 0}, c.penWidth)->HitTest(c.at, view), c.hit)
            << c.at.x << "," << c.at.y;
    }
}

TEST(LtManager, RemoveCurrentTakesTheLastStrokesOneByOneUntilEmpty) {
    CXeloLtManager layer;
    for (int i = 0; i < 3; ++i)
        layer.Append(Line({i, 0}, {i, 5}));
    layer.SetCurrent(0);
    EXPECT_TRUE(layer.RemoveCurrent());
    EXPECT_EQ(layer.Count(), 2);
    EXPECT_EQ(layer.Current(), 1);  // the last object becomes current
    EXPECT_EQ(layer.GetAt(0)->Bounds().left, 0);
    EXPECT_TRUE(layer.RemoveCurrent());
    EXPECT_TRUE(layer.RemoveCurrent());
    EXPECT_EQ(layer.Count(), 0);
    EXPECT_EQ(layer.Current(), -1);
    EXPECT_FALSE(layer.RemoveCurrent());
    layer.Append(Line({0, 0}, {1, 1}));
    layer.SetCurrent(5);
    EXPECT_FALSE(layer.RemoveCurrent());
    layer.RemoveAll();
    EXPECT_EQ(layer.Count(), 0);
    EXPECT_EQ(layer.Current(), -1);
}

TEST(LtManager, HitTestReturnsTheTopmostObject) {
    CXeloLtManager layer;
    layer.Append(Line({0, 0}, {100, 0}));
    layer.Append(Line({50, -50}, {50, 50}));
    layer.Append(Line({0, 80}, {10, 80}));
    EXPECT_EQ(layer.HitTest({50, 0}), 1);
    EXPECT_EQ(layer.HitTest({20, 1}), 0);
    EXPECT_EQ(layer.HitTest({20, 40}), -1);
}

TEST(LtManager, DrawsOnlyVisibleObjectsAtTheLayersScaleAndOffsetAndTheirHandles) {
    CXeloLtManager layer;
    layer.Append(Line({10, 10}, {20, 10}, 2));
    layer.Append(Line({500, 500}, {600, 500}));
    LtViewParams view;
    view.xOffset = 5;
    view.yOffset = -5;
    layer.SetView(view);
    layer.SetScale(2.0);
    RecordingPainter painter(Rect{0, 0, 240, 320});
    layer.Draw(painter);
    ASSERT_EQ(painter.lines.size(), 1u);
    EXPECT_EQ(painter.lines[0], (std::vector<Point>{{15, 25}, {35, 25}}));
    EXPECT_EQ(painter.widths[0], 4);
    layer.SetScale(0.5);
    RecordingPainter small(Rect{0, 0, 400, 400});
    layer.Draw(small);
    ASSERT_EQ(small.lines.size(), 2u);
    EXPECT_EQ(small.lines[1], (std::vector<Point>{{245, 255}, {295, 255}}));
    // Handles sit on the corners and edge middles of the bounds (0,0 - 10,6 here).
    auto f = Line({1, 1}, {9, 5});
    RecordingPainter handles(Rect{0, 0, 100, 100});
    f->DrawHandles(handles, LtViewParams{}, false);
    ASSERT_EQ(handles.handles.size(), 8u);
    EXPECT_EQ(handles.handles[0], (Rect{-3, -3, 3, 3}));
    EXPECT_EQ(handles.handles[7], (Rect{7, 3, 13, 9}));
}

}  // namespace
}  // namespace xelo
