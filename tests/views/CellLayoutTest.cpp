#include "views/CellLayout.h"

#include <gtest/gtest.h>

namespace xelo {
namespace {

const CellMetrics kNormal3D{60, 45, 3, 12};
constexpr int kBar = 16;

TEST(CellLayout, ColumnsGapAndMarginOfThumbnailGrids) {
    struct Case {
        const char* name;
        int count, width, height;
        CellMetrics m;
        int columns, gap, margin, cellHeight;
    };
    const Case cases[] = {
        // 240 / (60 + 6 + 6) = 3 columns of 70, spare 30: gap 10, no margin; rows
        // 45 + 6 + 6 + 12 = 69 high.
        {"handheld, fits", 6, 240, 320, kNormal3D, 3, 10, 0, 69},
        // More rows than fit: 224 wide after the bar, still 3 columns, spare 14: gap 4, margin 1.
        {"handheld, scrolls", 40, 240, 320, kNormal3D, 3, 4, 1, 69},
        // Tiny, no frame, no label: cells 36 × 30; 100 / 38 = 2 columns, spare 28: gap 14.
        {"tiny none", 2, 100, 100, {32, 24, 0, 0}, 2, 14, 0, 30},
        // Large with a flat frame: 300 / 106 = 2 columns of 104, spare 92: gap 46.
        {"large flat", 4, 300, 400, {96, 72, 2, 12}, 2, 46, 0, 94},
        // 217 wide: 3 columns of 70, spare 7: gap 2, margin 217 − 216 = 1 → 1.
        {"odd margin", 3, 217, 320, kNormal3D, 3, 2, 1, 69},
    };
    for (const Case& c : cases) {
        const GridLayout g = ComputeLayout(c.count, c.width, c.height, kBar, c.m, false);
        EXPECT_EQ(g.columns, c.columns) << c.name;
        EXPECT_EQ(g.gap, c.gap) << c.name;
        EXPECT_EQ(g.margin, c.margin) << c.name;
        EXPECT_EQ(g.cellHeight, c.cellHeight) << c.name;
    }
    // Nothing to lay out.
    EXPECT_TRUE(ComputeLayout(0, 240, 320, kBar, kNormal3D, false).Empty());
    EXPECT_TRUE(ComputeLayout(5, 50, 320, kBar, kNormal3D, false).Empty());  // no column fits
    EXPECT_TRUE(ComputeLayout(5, 240, 0, kBar, kNormal3D, false).Empty());
    EXPECT_EQ(FirstVisibleIndex(GridLayout{}, 0), -1);
}

TEST(CellLayout, HitTestFindsIndexAndPart) {
    const GridLayout g = ComputeLayout(5, 240, 320, kBar, kNormal3D, false);
    struct Case {
        int x, y, index, part;
    };
    const Case cases[] = {
        {100, 100, 4, kPartImage},    // inside cell 4's image box
        {88, 86, kPartFrame, 0},      // frame ring of cell 4 (index checked below)
        {86, 84, 4, kPartSelection},  // between selection and frame rectangles
        {100, 130, 4, kPartLabel},    // the label
        {158, 120, 4, kPartNone},     // the gap owned by cell 4
        {200, 100, 5, kPartNone},     // past the last entry: the count
        {100, 300, 5, kPartNone},     // below the last row: the count
    };
    for (const Case& c : cases) {
        const HitResult hit = HitTestCell(g, kNormal3D, false, 5, 0, c.x, c.y);
        if (c.index == kPartFrame) {
            EXPECT_EQ(hit.index, 4);
            EXPECT_EQ(hit.part, kPartFrame) << c.x << "," << c.y;
            continue;
        }
        EXPECT_EQ(hit.index, c.index) << c.x << "," << c.y;
        EXPECT_EQ(hit.part, c.part) << c.x << "," << c.y;
    }
    EXPECT_EQ(HitTestCell(g, kNormal3D, false, 5, 0, 10, -5).index, -1);  // above the first row
    // Left of the margin is the cell before: row 1 column 0 − 1.
    const GridLayout margin = ComputeLayout(40, 240, 320, kBar, kNormal3D, false);
    ASSERT_EQ(margin.margin, 1);
    EXPECT_EQ(HitTestCell(margin, kNormal3D, false, 40, 0, 0, 90).index, 2);
}

TEST(CellLayout, EnsureVisibleScrollsTheLeastNumberOfRows) {
    const GridLayout g = ComputeLayout(40, 240, 320, kBar, kNormal3D, false);
    // 4 whole rows show (320 / 69); index 13 is row 4: one row down from the top.
    EXPECT_EQ(EnsureVisibleScroll(g, 0, 13, true), 69);
    EXPECT_EQ(EnsureVisibleScroll(g, 0, 8, true), 0);        // row 2 already shows
    EXPECT_EQ(EnsureVisibleScroll(g, 5 * 69, 3, true), 69);  // row 1 above: up by 4 rows
    // Counting the partly visible row, row 4 shows without scrolling.
    EXPECT_EQ(EnsureVisibleScroll(g, 0, 14, false), 0);
}

}  // namespace
}  // namespace xelo
