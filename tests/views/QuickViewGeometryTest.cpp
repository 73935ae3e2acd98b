// Quick View's overview arithmetic: the fitted picture, the mark, and the offsets a moved mark
// gives back.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "views/ImageViewGeometry.h"
#include "views/QuickViewGeometry.h"

namespace xelo {
namespace {

struct Layout {
    Size displayed;
    Size window;
    Size area;
};

// Pictures larger than the window on one or both axes, reduced a little or a lot, reduced by
// awkward ratios, and not reduced at all; each also turned a quarter (sides exchanged).
std::vector<Layout> Layouts() {
    const std::vector<Layout> base = {
        {{800, 600}, {240, 320}, {240, 320}},     {{1600, 1200}, {240, 320}, {240, 320}},
        {{241, 321}, {240, 320}, {240, 320}},     {{997, 331}, {240, 320}, {240, 320}},
        {{5000, 70}, {240, 320}, {640, 480}},     {{333, 2999}, {240, 320}, {320, 240}},
        {{58000, 43500}, {240, 320}, {240, 320}}, {{500, 400}, {240, 320}, {1024, 768}},
        {{1201, 899}, {640, 480}, {800, 600}},    {{300, 100}, {299, 320}, {240, 320}},
    };
    std::vector<Layout> all;
    for (const Layout& l : base) {
        all.push_back(l);
        all.push_back({{l.displayed.height, l.displayed.width}, l.window, l.area});
    }
    return all;
}

// Every offset the view can hold on an axis: all of them for short ranges, else a spread
// including both ends.
std::vector<int> Offsets(int displayed, int window) {
    if (displayed <= window) return {CentredOffset(displayed, window)};
    const int last = displayed - window;
    const int step = last <= 1000 ? 1 : last / 500;
    std::vector<int> offsets;
    for (int o = 0; o < last; o += step)
        offsets.push_back(o);
    offsets.push_back(last);
    return offsets;
}

std::string Describe(const Layout& l) {
    std::string s;
    for (const Size& z : {l.displayed, l.window, l.area})
        s += std::to_string(z.width) + "x" + std::to_string(z.height) + " ";
    return s;
}

TEST(QuickViewGeometry, OffsetsMarksAndDragsAgreeInEveryLayout) {
    for (const Layout& l : Layouts()) {
        const QuickViewGeometry g(l.displayed, l.window, l.area);
        for (const int x : Offsets(l.displayed.width, l.window.width)) {
            for (const int y : Offsets(l.displayed.height, l.window.height)) {
                const Rect mark = g.Mark({x, y});
                ASSERT_EQ(g.OffsetAt({mark.left, mark.top}, {x, y}), (Point{x, y}))
                    << Describe(l) << " at " << x << "," << y;
                // The mark lies wholly inside the picture.
                ASSERT_EQ(Intersect(mark, g.Picture()), mark) << Describe(l);
            }
        }
        // Dragging to the edges reaches the edges exactly.
        const Point third{ClampOffset(l.displayed.width / 3, l.displayed.width, l.window.width),
                          ClampOffset(l.displayed.height / 3, l.displayed.height, l.window.height)};
        const Point first = g.ClampMark({-100000, -100000});
        const Point last = g.ClampMark({100000, 100000});
        const Point lowest{ClampOffset(0, l.displayed.width, l.window.width),
                           ClampOffset(0, l.displayed.height, l.window.height)};
        const Point highest{ClampOffset(l.displayed.width, l.displayed.width, l.window.width),
                            ClampOffset(l.displayed.height, l.displayed.height, l.window.height)};
        EXPECT_EQ(g.OffsetAt(first, third), lowest) << Describe(l);
        EXPECT_EQ(g.OffsetAt(last, third), highest) << Describe(l);
        // The marks of the end offsets touch the picture's edges.
        EXPECT_EQ(g.Mark(lowest).left, g.Picture().left) << Describe(l);
        EXPECT_EQ(g.Mark(lowest).top, g.Picture().top) << Describe(l);
        EXPECT_EQ(g.Mark(highest).right, g.Picture().right) << Describe(l);
        EXPECT_EQ(g.Mark(highest).bottom, g.Picture().bottom) << Describe(l);
        // A mark dropped anywhere reopens where it was left.
        const Point start = g.ClampMark({0, 0});
        const Point end = g.ClampMark({100000, 100000});
        Point previous{std::numeric_limits<int>::min(), 0};
        for (int x = start.x; x <= end.x; ++x) {
            const Point dropped{x, end.y - (x - start.x) % (end.y - start.y + 1)};
            const Point offset = g.OffsetAt(dropped, {0, 0});
            const Rect reopened = g.Mark(offset);
            ASSERT_EQ((Point{reopened.left, reopened.top}), dropped) << Describe(l) << " x " << x;
            // Moving the mark right never moves the view left.
            ASSERT_GE(offset.x, previous.x) << Describe(l);
            previous = offset;
        }
    }
}

TEST(QuickViewGeometry, CentredAxesAndScaledMarks) {
    // 200 wide in a 240-wide window: the mark spans the picture's width and cannot move across.
    const QuickViewGeometry g({200, 1000}, {240, 320}, {240, 320});
    EXPECT_EQ(g.Picture(), (Rect{88, 0, 152, 320}));  // 64 × 320, centred
    const Rect mark = g.Mark({-20, 100});
    EXPECT_EQ(mark.left, 88);
    EXPECT_EQ(mark.right, 152);
    EXPECT_EQ(g.ClampMark({0, 50}).x, 88);
    EXPECT_EQ(g.OffsetAt({130, 50}, {-20, 100}).x, -20);
    // 800 × 600 reduced to 240 × 180 (0.3) and centred in 240 × 320, so 70 pixels above.
    const QuickViewGeometry h({800, 600}, {240, 320}, {240, 320});
    EXPECT_EQ(h.Picture(), (Rect{0, 70, 240, 250}));
    // The window 240 × 320 is 72 × 96 at 0.3; offset (100, 200) is (30, 60) at 0.3.
    EXPECT_EQ(h.Mark({100, 200}), (Rect{30, 130, 102, 226}));
    // Moved by (20, 10): (50, 70) overview pixels from the picture's corner, 166.7 and 233.3.
    EXPECT_EQ(h.OffsetAt({50, 140}, {100, 200}), (Point{167, 233}));
}

}  // namespace
}  // namespace xelo
