// The image view's zoom, decode-scale, orientation and frame-timer arithmetic.
#include <gtest/gtest.h>

#include <utility>

#include "views/FrameDelay.h"
#include "views/ImageViewGeometry.h"
#include "views/ViewOrientation.h"
#include "views/ZoomScale.h"

namespace xelo {
namespace {

const Size kPhoto{1600, 1200};
const Size kSmallScreen{240, 320};

TEST(ImageViewZoom, SmartShrinksALargePhotoFitAlsoEnlarges) {
    const double factor = DefaultZoomFactor(DefaultZoom::kSmart, kPhoto, kSmallScreen, 0);
    EXPECT_DOUBLE_EQ(factor, 0.15);
    EXPECT_EQ(PercentOfFactor(factor), 15);
    const Size displayed = DisplayedSize(kPhoto, factor, 0);
    EXPECT_EQ(displayed, (Size{240, 180}));
    EXPECT_EQ(ChooseDecodePercent(kPhoto, displayed, 0), 13);
    // Pictures smaller than the window on an axis are kept.
    EXPECT_EQ(DefaultZoomFactor(DefaultZoom::kSmart, {200, 1000}, kSmallScreen, 0), 1.0);
    // Turned a quarter, 1000 × 200 is 200 × 1000 on screen.
    EXPECT_EQ(DefaultZoomFactor(DefaultZoom::kSmart, {1000, 200}, kSmallScreen, 1), 1.0);
    // Fit enlarges and follows the orientation.
    struct Case {
        Size natural;
        Size window;
        int orientation;
        int percent;
    };
    const Case cases[] = {
        {{1600, 1200}, {240, 320}, 0, 15},  // width-bound
        {{1600, 1200}, {240, 320}, 1, 20},  // turned: 1200 × 1600 into 240 × 320
        {{100, 50}, {400, 400}, 0, 400},    // small pictures are enlarged
        {{50, 100}, {400, 300}, 0, 300},    // height-bound
    };
    for (const Case& c : cases) {
        const double f = FitFactor(c.natural, c.window, c.orientation);
        EXPECT_EQ(PercentOfFactor(f), c.percent) << c.natural.width << "x" << c.natural.height;
        EXPECT_EQ(DefaultZoomFactor(DefaultZoom::kFitInWindow, c.natural, c.window, c.orientation),
                  f);
    }
}

TEST(ImageViewZoom, DecodeSizeRoundsUpAndHitsSmallScreenSidesExactly) {
    struct Case {
        Size natural;
        int percent;
        Size expected;
    };
    const Case cases[] = {
        {{1600, 1200}, 13, {208, 156}},
        {{1600, 1200}, 100, {1600, 1200}},
        {{1600, 1200}, 150, {2400, 1800}},
        {{3, 3}, 13, {1, 1}},
        {{1000, 10}, 13, {130, 2}},
        // 24000 / 1000 = 24: 240 exactly rather than 240 by rounding up, the other side kept
        // in proportion.
        {{1000, 750}, 24, {240, 180}},
        // 32000 / 1500 = 21: 315 by rounding up, 320 exactly by the rule.
        {{1500, 1000}, 21, {320, 213}},
        // The height is the side that comes to 320: 32000 / 1400 = 22.
        {{700, 1400}, 22, {160, 320}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeSize(c.natural, c.percent, 0), c.expected)
            << c.natural.width << "x" << c.natural.height << " at " << c.percent;
    EXPECT_EQ(DecodeSize({1600, 1200}, 13, 1), (Size{156, 208}));
}

TEST(ImageViewZoom, DecodePercentFollowsTheDisplayedSizeAndStepsDownTo8Percent) {
    struct Case {
        Size displayed;
        int percent;
    };
    const Case cases[] = {
        {{1600, 1200}, 100}, {{961, 100}, 100}, {{960, 720}, 50}, {{481, 360}, 50},
        {{480, 360}, 25},    {{241, 100}, 25},  {{240, 180}, 13}, {{10, 10}, 13},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseDecodePercent(kPhoto, c.displayed, 0), c.percent)
            << c.displayed.width << "x" << c.displayed.height;
    // Out of memory, the retries step down to 8 %.
    const std::pair<int, int> steps[] = {{100, 50}, {51, 50}, {50, 25}, {26, 25}, {25, 13},
                                         {14, 13},  {13, 8},  {9, 8},   {8, 0},   {5, 0}};
    for (const auto& [from, to] : steps)
        EXPECT_EQ(LowerDecodePercent(from), to) << from;
}

TEST(ImageViewZoom, ZoomedOffsetKeepsTheCentrePoint) {
    // 1600 wide at offset 680 in 240: centre 800; at twice the size the centre is 1600.
    EXPECT_EQ(ZoomedOffset(680, 1600, 3200, 240), 1480);
    // Clamped at the edge.
    EXPECT_EQ(ZoomedOffset(0, 1600, 800, 240), 0);
    EXPECT_EQ(ZoomedOffset(1360, 1600, 3200, 240), 2840);
    // Smaller than the window: centred.
    EXPECT_EQ(ZoomedOffset(680, 1600, 200, 240), -20);
    EXPECT_EQ(ClampOffset(-5, 1000, 240), 0);
    EXPECT_EQ(ClampOffset(900, 1000, 240), 760);
    EXPECT_EQ(ClampOffset(900, 100, 240), -70);
}

TEST(ZoomSlider, GenericStepsWalkTheWholeScaleWithoutStalling) {
    // The inverse is coarse at small zooms; each step must still move the percent.
    for (const bool in : {true, false}) {
        int percent = 100;
        int steps = 0;
        while (true) {
            const std::optional<int> next =
                in ? GenericZoomIn(percent, 100, 100) : GenericZoomOut(percent, 100, 100);
            if (!next) break;
            EXPECT_TRUE(in ? *next > percent : *next < percent) << percent << " to " << *next;
            percent = *next;
            ASSERT_LT(++steps, 30);
        }
        EXPECT_EQ(percent, in ? kMaxZoomPercent : kMinZoomPercent);
    }
    // Limits of the picture's own size.
    EXPECT_EQ(GenericZoomIn(100, 1600, 1200), 116);
    EXPECT_EQ(GenericZoomIn(1200, 1600, 1200), std::nullopt);
    EXPECT_EQ(GenericZoomIn(100, 58000, 10), std::nullopt);
    EXPECT_EQ(GenericZoomOut(5, 80, 60), std::nullopt);
    EXPECT_EQ(GenericZoomOut(100, 1, 60), std::nullopt);
    const std::optional<int> out = GenericZoomOut(100, 1600, 1200);
    ASSERT_TRUE(out.has_value());
    EXPECT_LT(*out, 100);
    EXPECT_EQ(PercentToSliderPosition(*out), 55);
}

TEST(ViewOrientation, TransitionsFormTheGroupOfTheSquare) {
    // Four right turns, two half turns or two flips come back; left undoes right.
    for (int o = 0; o < 8; ++o) {
        int r = o;
        for (int i = 0; i < 4; ++i)
            r = NextOrientation(OrientCommand::kRotateRight, r);
        EXPECT_EQ(r, o);
        EXPECT_EQ(NextOrientation(OrientCommand::kRotateLeft,
                                  NextOrientation(OrientCommand::kRotateRight, o)),
                  o);
        EXPECT_EQ(NextOrientation(OrientCommand::kFlipUpDown,
                                  NextOrientation(OrientCommand::kFlipUpDown, o)),
                  o);
        EXPECT_EQ(NextOrientation(OrientCommand::kRotate180,
                                  NextOrientation(OrientCommand::kRotateRight,
                                                  NextOrientation(OrientCommand::kRotateRight, o))),
                  o);
        EXPECT_EQ(NextOrientation(OrientCommand::kReset, o), 0);
    }
    EXPECT_EQ(NextOrientation(OrientCommand::kFlipLeftRight,
                              NextOrientation(OrientCommand::kRotateRight, 0)),
              5);
    EXPECT_EQ(NextOrientation(OrientCommand::kFlipUpDown, 0), 6);
    // Auto-rotate turns a picture against the screen's shape.
    EXPECT_EQ(AutoRotateOrientation({1200, 1600}, {1920, 1080}, false), 1);
    EXPECT_EQ(AutoRotateOrientation({1200, 1600}, {1920, 1080}, true), 3);
    EXPECT_EQ(AutoRotateOrientation({1600, 1200}, {240, 320}, false), 1);
    EXPECT_EQ(AutoRotateOrientation({1600, 1200}, {1920, 1080}, false), 0);
    EXPECT_EQ(AutoRotateOrientation({1000, 1000}, {1920, 1080}, false), 0);
}

// The picture point under the window centre, in the natural picture's coordinates.
Point CentrePoint(const ViewPlacement& p, Size window) {
    // Undo the mirror (last applied), then the clockwise turns.
    int x = p.offset.x + window.width / 2, y = p.offset.y + window.height / 2;
    int w = p.displayed.width, h = p.displayed.height;
    if (p.orientation >= 4) x = w - x;
    for (int k = 0; k < p.orientation % 4; ++k) {
        // A clockwise turn took (px, py) in w' × h' to (h' − py, px); go back.
        x = std::exchange(y, w - x);
        std::swap(w, h);
    }
    return {x, y};
}

TEST(ViewOrientation, CommandsKeepTheCentrePointAndResetReturnsToIt) {
    const Size window{240, 320};
    const Size natural{1600, 1200};
    ViewPlacement start{0, DisplayedSize(natural, 1.0, 0), {500, 300}};
    const Point centre = CentrePoint(start, window);

    ViewPlacement p = ApplyOrientation(OrientCommand::kRotateRight, start, natural, 1.0, window);
    EXPECT_EQ(p.orientation, 1);
    EXPECT_EQ(p.displayed, (Size{1200, 1600}));
    EXPECT_EQ(CentrePoint(p, window), centre);
    p = ApplyOrientation(OrientCommand::kFlipLeftRight, p, natural, 1.0, window);
    EXPECT_EQ(p.orientation, 5);
    EXPECT_EQ(CentrePoint(p, window), centre);
    const OrientCommand more[] = {OrientCommand::kRotate180, OrientCommand::kFlipUpDown,
                                  OrientCommand::kRotateLeft};
    for (OrientCommand c : more) {
        p = ApplyOrientation(c, p, natural, 1.0, window);
        EXPECT_EQ(CentrePoint(p, window), centre);
    }
    for (int o = 0; o < 8; ++o) {
        ViewPlacement q = start;
        while (q.orientation != o)
            q = ApplyOrientation(o >= 4 && q.orientation < 4 ? OrientCommand::kFlipLeftRight
                                                             : OrientCommand::kRotateRight,
                                 q, natural, 1.0, window);
        const ViewPlacement back = ApplyOrientation(OrientCommand::kReset, q, natural, 1.0, window);
        EXPECT_EQ(back.orientation, 0);
        EXPECT_EQ(back.offset, start.offset) << "from " << o;
    }
}

TEST(FrameDelay, SpeedsScaleTheGifDelay) {
    struct Case {
        int delay;
        AnimationSpeed speed;
        int ms;
    };
    const Case cases[] = {
        {7, AnimationSpeed::kNormal, 70},  {7, AnimationSpeed::kFaster, 35},
        {7, AnimationSpeed::kSlower, 140}, {7, AnimationSpeed::kNoDelay, 1},
        {0, AnimationSpeed::kNormal, 1},   {0, AnimationSpeed::kSlower, 100},
        {0, AnimationSpeed::kFaster, 1},   {1, AnimationSpeed::kFaster, 5},
        {-3, AnimationSpeed::kNormal, 1},  {65535, AnimationSpeed::kSlower, 1310700},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FrameDelayMs(c.delay, c.speed), c.ms)
            << c.delay << " at " << static_cast<int>(c.speed);
}

}  // namespace
}  // namespace xelo
