// Intermediate frames of every family: at a step in the middle of the effect, which pixels of a
// 200 × 120 area already show the new slide, which still show the old one (in place or moved),
// and which are black. All run at duration 0, that is with each family's minimum steps.
#include <gtest/gtest.h>

#include <functional>

#include "slideshow/Transition.h"
#include "slideshow/TransitionTestSupport.h"

namespace xelo::test {
namespace {

constexpr int kW = 200;
constexpr int kH = 120;
constexpr Pixel kBlack{0, 0, 0};
constexpr Pixel kWhite{0xFF, 0xFF, 0xFF};

Pixel New(int x, int y) {
    return SlidePixel(x, y, kNewRed);
}
Pixel Old(int x, int y) {
    return SlidePixel(x, y, kOldRed);
}

std::vector<Frame> RunFrames(int effect, uint32_t tick = 1000) {
    TransitionScene scene(kW, kH);
    scene.target.keepFrames = true;
    CFakeClock clock(tick);
    RunTransition(effect, 0, scene.target, scene.area, scene.slide, clock);
    return std::move(scene.target.frames);
}

struct FrameCase {
    const char* name;
    int effect;
    size_t frame;  // 1-based: the picture after that many steps
    std::function<Pixel(int, int)> expected;
};

// Step sizes at duration 0 on 200 × 120 (minimum steps, rounded to whole pixels):
// blinds 2 px of 20-px slats (6 slats) or 3 px of 25-px slats; checkerboard across 3 px of
// 25 × 20 cells (9 steps: odd rows start 4 steps in), down 2 px (10 steps, odd columns 5 in);
// cover/uncover/push/comb across 14 px, up/down 8 px; diagonals after 5 of 15 steps 67 × 40;
// wipe down and split horizontal 8 and 4 px; split vertical, box and plus 7 px (box height and
// plus bar grow 4 px); strips cells 22 px wide in rows 20 px high.
const FrameCase kFrameCases[] = {
    {"BlindsHorizontal", 4, 5, [](int x, int y) { return y % 20 < 10 ? New(x, y) : Old(x, y); }},
    {"CheckerboardAcross", 6, 3,
     [](int x, int y) {
         const int in = x % 25;
         const bool shown = (y / 20) % 2 == 0 ? in < 9 : (in >= 12 && in < 21);
         return shown ? New(x, y) : Old(x, y);
     }},
    {"CheckerboardAcrossOddRowsWrap", 6, 6,
     [](int x, int y) {
         const int in = x % 25;
         const bool shown = (y / 20) % 2 == 0 ? in < 18 : (in < 3 || in >= 12);
         return shown ? New(x, y) : Old(x, y);
     }},
    {"CoverLeft", 8, 5, [](int x, int y) { return x >= 130 ? New(x - 130, y) : Old(x, y); }},
    {"CoverLeftUp", 12, 5,
     [](int x, int y) { return x >= 133 && y >= 80 ? New(x - 133, y - 80) : Old(x, y); }},
    {"UncoverRight", 20, 5, [](int x, int y) { return x >= 70 ? Old(x - 70, y) : New(x, y); }},
    {"UncoverLeftUp", 22, 5,
     [](int x, int y) { return x < 133 && y < 80 ? Old(x + 67, y + 40) : New(x, y); }},
    {"PushUp", 49, 5, [](int x, int y) { return y >= 80 ? New(x, y - 80) : Old(x, y + 40); }},
    {"WipeDown", 35, 5, [](int x, int y) { return y < 40 ? New(x, y) : Old(x, y); }},
    {"SplitHorizontalOutOpensFromTheMiddle", 38, 5,
     [](int x, int y) { return y >= 40 && y < 80 ? New(x, y) : Old(x, y); }},
    {"SplitVerticalOut", 40, 5,
     [](int x, int y) { return x >= 65 && x < 135 ? New(x, y) : Old(x, y); }},
    {"BoxOut", 36, 5,
     [](int x, int y) { return x >= 66 && x < 134 && y >= 40 && y < 80 ? New(x, y) : Old(x, y); }},
    {"StripsRightDown", 31, 3,
     [](int x, int y) { return x < (3 - y / 20) * 22 ? New(x, y) : Old(x, y); }},
    {"CombHorizontal", 50, 5,
     [](int x, int y) {
         if ((y / 12) % 2 == 0) return x >= 130 ? New(x - 130, y) : Old(x, y);
         return x < 70 ? New(x + 130, y) : Old(x, y);
     }},
    {"ShapePlus", 52, 5,
     [](int x, int y) {
         return (x >= 65 && x < 135) || (y >= 40 && y < 80) ? New(x, y) : Old(x, y);
     }},
    {"CutShowsWhiteFirst", 2, 1, [](int, int) { return kWhite; }},
    {"CutThroughBlackShowsBlackFirst", 3, 1, [](int, int) { return kBlack; }},
};

class TransitionFrames : public ::testing::TestWithParam<FrameCase> {};

TEST_P(TransitionFrames, MiddleFrameShowsTheRightPixels) {
    const FrameCase& c = GetParam();
    const std::vector<Frame> frames = RunFrames(c.effect);
    ASSERT_GE(frames.size(), c.frame + 1) << "the effect must still be running";
    const Frame& frame = frames[c.frame - 1];
    int wrong = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            if (!(frame.At(x, y) == c.expected(x, y)) && wrong++ < 5)
                ADD_FAILURE() << "pixel " << x << "," << y;
    EXPECT_EQ(wrong, 0);
}

INSTANTIATE_TEST_SUITE_P(Families, TransitionFrames, ::testing::ValuesIn(kFrameCases),
                         [](const ::testing::TestParamInfo<FrameCase>& info) {
                             return std::string(info.param.name);
                         });

// Fade through black blackens more of each 8 × 8 dither cell at every step, accumulating on the
// old picture (a pixel once black stays black), and shows the new slide only at the end.
TEST(FadeThroughBlack, DarkensTheOldPictureStepByStep) {
    const std::vector<Frame> frames = RunFrames(17);
    ASSERT_EQ(frames.size(), 8u);
    std::vector<bool> black(64, false);
    for (size_t step = 0; step < 7; ++step) {
        int count = 0;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                const int cell = (y % 8) * 8 + x % 8;
                const bool isBlack = frames[step].At(x, y) == kBlack;
                // Every pixel of a cell position agrees with the first cell of the area.
                if (x < 8 && y < 8) {
                    black[cell] = black[cell] || isBlack;
                    count += isBlack ? 1 : 0;
                }
                ASSERT_EQ(isBlack ? kBlack : Old(x, y), frames[step].At(x, y)) << x << "," << y;
                ASSERT_EQ(isBlack, black[cell]) << "step " << step << " at " << x << "," << y;
            }
        EXPECT_EQ(count, 7 * static_cast<int>(step + 1)) << "step " << step;
    }
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            ASSERT_EQ(frames[7].At(x, y), New(x, y));
}

int NewRows(const Frame& frame) {
    int rows = 0;
    for (int y = 0; y < kH; ++y) {
        int shown = 0;
        for (int x = 0; x < kW; ++x) {
            shown += frame.ShowsNew(x, y) ? 1 : 0;
            EXPECT_TRUE(frame.ShowsNew(x, y) || frame.ShowsOld(x, y)) << x << "," << y;
        }
        EXPECT_TRUE(shown == 0 || shown == kW) << "row " << y << " is drawn whole or not at all";
        rows += shown == kW ? 1 : 0;
    }
    return rows;
}

// Random bars draw 8 whole rows per step (120 rows over 15 steps), in an order that depends only
// on the tick count the run started at.
TEST(RandomBars, DrawWholeRowsAFixedNumberPerStep) {
    const std::vector<Frame> frames = RunFrames(26);
    ASSERT_EQ(frames.size(), 15u);
    EXPECT_EQ(NewRows(frames[0]), 8);
    EXPECT_EQ(NewRows(frames[4]), 40);
    EXPECT_EQ(NewRows(frames[14]), kH);
    const std::vector<Frame> again = RunFrames(26);
    EXPECT_EQ(again[4].pixels, frames[4].pixels);
    const std::vector<Frame> later = RunFrames(26, 7777);
    EXPECT_NE(later[4].pixels, frames[4].pixels);
}

// Dissolve cuts 200 × 120 into 4 × 4 blocks (50 across, 30 down) and draws 30 per step.
TEST(Dissolve, DrawsWholeBlocksAFixedNumberPerStep) {
    const std::vector<Frame> frames = RunFrames(16);
    ASSERT_EQ(frames.size(), 50u);
    const Frame& frame = frames[4];
    int blocks = 0;
    for (int by = 0; by < kH; by += 4) {
        for (int bx = 0; bx < kW; bx += 4) {
            int shown = 0;
            for (int y = by; y < by + 4; ++y)
                for (int x = bx; x < bx + 4; ++x) {
                    shown += frame.ShowsNew(x, y) ? 1 : 0;
                    EXPECT_TRUE(frame.ShowsNew(x, y) || frame.ShowsOld(x, y)) << x << "," << y;
                }
            EXPECT_TRUE(shown == 0 || shown == 16) << bx << "," << by;
            blocks += shown == 16 ? 1 : 0;
        }
    }
    EXPECT_EQ(blocks, 150);
}

}  // namespace
}  // namespace xelo::test
