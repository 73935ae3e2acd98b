// Whatever the effect and the size, a transition ends showing the new slide, never touches the
// target outside the slide area and never sleeps longer than its (halved) duration.
#include <gtest/gtest.h>

#include <string>

#include "codec/CodecTestUtil.h"
#include "slideshow/EffectTable.h"
#include "slideshow/Transition.h"
#include "slideshow/TransitionTestSupport.h"

namespace xelo::test {
namespace {

struct InvariantCase {
    int width;
    int height;
    int durationMs;
};

class TransitionInvariant : public ::testing::TestWithParam<InvariantCase> {};

TEST_P(TransitionInvariant, EveryEffectEndsOnTheNewSlideInsideTheArea) {
    const InvariantCase c = GetParam();
    for (int effect = -1; effect <= kEffectCount; ++effect) {
        SCOPED_TRACE(testing::Message() << "effect " << effect);
        TransitionScene scene(c.width, c.height);
        CFakeClock clock(12345u + static_cast<uint32_t>(effect) * 9u);
        RunTransition(effect, c.durationMs, scene.target, scene.area, scene.slide, clock);
        EXPECT_TRUE(scene.AreaShowsNewSlide());
        EXPECT_TRUE(scene.MarginUntouched());
        EXPECT_TRUE(scene.TouchedOnlyArea());
        // Cut and Cut Through Black pause 100 ms whatever the duration.
        EXPECT_LE(clock.TotalSleep(), static_cast<uint32_t>(c.durationMs / 2 + 100));
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, TransitionInvariant,
                         ::testing::Values(InvariantCase{1, 1, 1000}, InvariantCase{240, 320, 1000},
                                           InvariantCase{320, 240, 1000},
                                           InvariantCase{7, 13, 1000},
                                           InvariantCase{641, 479, 1000},
                                           InvariantCase{240, 320, 0}, InvariantCase{7, 13, 0},
                                           InvariantCase{641, 479, 6000}, InvariantCase{2, 1, 3000},
                                           InvariantCase{1, 300, 2000}),
                         [](const ::testing::TestParamInfo<InvariantCase>& info) {
                             return std::to_string(info.param.width) + "x" +
                                    std::to_string(info.param.height) + "_" +
                                    std::to_string(info.param.durationMs) + "ms";
                         });

// Random Effects resolved at many different moments still ends on the new slide.
TEST(TransitionInvariantRandom, RandomEffectsEndOnTheNewSlideAtAnyTick) {
    for (uint32_t tick = 0; tick < 9 * 47; tick += 9) {
        TransitionScene scene(33, 21);
        CFakeClock clock(tick);
        RunTransition(kEffectRandom, 1000, scene.target, scene.area, scene.slide, clock);
        EXPECT_TRUE(scene.AreaShowsNewSlide()) << tick;
        EXPECT_TRUE(scene.TouchedOnlyArea()) << tick;
    }
}

// A blit refused on the way leaves part of the old picture; one full copy at the end repairs it.
TEST(TransitionFailure, AFailedBlitEndsInOneFullCopyAndASmallSlideIsRefused) {
    for (int effect : {4, 8, 16, 26, 32, 36, 50, 52}) {
        TransitionScene scene(40, 30);
        scene.target.failSlideCopy = 2;
        CFakeClock clock;
        RunTransition(effect, 1000, scene.target, scene.area, scene.slide, clock);
        EXPECT_TRUE(scene.AreaShowsNewSlide()) << effect;
        ASSERT_GE(scene.target.touched.size(), 2u);
        // The last copy (before the final present) covers the whole area.
        EXPECT_EQ(scene.target.touched[scene.target.touched.size() - 2], scene.area) << effect;
    }
    // A slide smaller than the area is refused before anything is drawn.
    TransitionScene scene(10, 10);
    CDibImage small;
    PaintSlide(small, 9, 10, kNewRed);
    CFakeClock clock;
    EXPECT_EQ(ErrorOf([&] { RunTransition(32, 1000, scene.target, scene.area, small, clock); }),
              kErrInvalidParameter);
    EXPECT_TRUE(scene.target.touched.empty());
}

}  // namespace
}  // namespace xelo::test
