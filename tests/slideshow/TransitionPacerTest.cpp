// The pacer turns a duration into steps and delays and keeps steps evenly spaced on the clock.
#include <gtest/gtest.h>

#include "slideshow/EffectTable.h"
#include "slideshow/Transition.h"
#include "slideshow/TransitionPacer.h"
#include "slideshow/TransitionTestSupport.h"

namespace xelo::test {
namespace {

struct PacingCase {
    const char* what;
    int travel, duration, minSteps, maxSteps, percent;
    int count, step;
    uint32_t delay;
};

// Step count from the duration, clamped, then rounded to whole pixels per step.
TEST(ComputePacing, FollowsTheStepBudget) {
    const PacingCase cases[] = {
        {"wipe 240 at Fast", 240, 500, 15, 240, 100, 20, 12, 26},
        {"duration 0 runs the minimum", 240, 0, 15, 240, 100, 15, 16, 0},
        {"30 ms budget at 120 percent", 300, 900, 15, 300, 120, 30, 10, 31},
        {"clamped to the maximum", 40, 3000, 15, 20, 100, 20, 2, 157},
        {"minimum not below maximum uses the maximum", 10, 1000, 15, 5, 100, 5, 2, 250},
        {"a maximum of 0 still draws one step", 1, 500, 15, 0, 100, 1, 1, 500},
        {"one pixel of travel", 1, 500, 12, 1, 120, 1, 1, 500},
    };
    for (const PacingCase& c : cases) {
        const PaceSteps pace =
            ComputePacing(c.travel, c.duration, c.minSteps, c.maxSteps, c.percent);
        EXPECT_EQ(pace.count, c.count) << c.what;
        EXPECT_EQ(pace.step, c.step) << c.what;
        EXPECT_EQ(pace.delay, c.delay) << c.what;
    }
}

// The first step is drawn at once; later steps wait for the rest of the delay. A late step
// restarts the schedule from now, so later steps do not hurry; the tick count may wrap.
TEST(Pacer, SpacesStepsByTheDelay) {
    const struct {
        uint32_t start;
        std::vector<uint32_t> drawing, sleeps;
    } cases[] = {{1000, {10, 4}, {16, 22}}, {1000, {70, 6}, {20}}, {0xFFFFFFF0u, {20}, {6}}};
    for (const auto& c : cases) {
        CFakeClock clock(c.start);
        CPacer pacer(clock, 26);
        pacer.WaitForStep();
        for (uint32_t ms : c.drawing) {
            clock.Advance(ms);
            pacer.WaitForStep();
        }
        EXPECT_EQ(clock.sleeps, c.sleeps) << c.drawing[0];
    }
}

// At duration 0 no effect waits, and a stepped effect still animates over several frames.
TEST(WipePacing, DurationZeroRunsTheMinimumStepsWithoutWaiting) {
    for (int effect = 0; effect < 53; ++effect) {
        const EffectKind kind = LookUpEffect(effect);
        TransitionScene scene(240, 320);
        CFakeClock clock;
        RunTransition(effect, 0, scene.target, scene.area, scene.slide, clock);
        if (kind.family == kFamilyCut || kind.family == kFamilyCutThroughBlack) {
            EXPECT_EQ(clock.sleeps, std::vector<uint32_t>{100}) << effect;
        } else if (kind.family != kFamilyRandom) {
            EXPECT_EQ(clock.TotalSleep(), 0u) << effect;
        }
        if (kind.family >= kFamilyBlinds) {
            EXPECT_GE(scene.target.presents, 8) << effect;
        }
    }
    TransitionScene scene(240, 320);
    CFakeClock clock;
    RunTransition(32, 0, scene.target, scene.area, scene.slide, clock);
    EXPECT_EQ(scene.target.presents, 15);  // Wipe Left: 15 steps of 16 pixels
}

}  // namespace
}  // namespace xelo::test
