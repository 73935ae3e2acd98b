// The effect catalogue: names, the dialog's list and the choice of Random Effects.
#include <gtest/gtest.h>

#include <set>

#include "slideshow/EffectTable.h"

namespace xelo {
namespace {

TEST(EffectTable, EffectsWithoutRoutineResolveToNoEffect) {
    for (int i = 53; i < kEffectCount; ++i)
        EXPECT_EQ(ResolveEffect(i, 0), EffectKind{}) << i;
    EXPECT_EQ(ResolveEffect(-3, 0), EffectKind{});
    EXPECT_EQ(ResolveEffect(52, 0), (EffectKind{kFamilyShapePlus, kDirOut}));
}

// Random Effects walks the list between its ends, one entry per 9 ms of the tick count.
TEST(EffectTable, RandomEffectsPicksFromTheListByTickCount) {
    EXPECT_EQ(PickRandomEffect(0), 4);
    EXPECT_EQ(PickRandomEffect(8), 4);
    EXPECT_EQ(PickRandomEffect(9), 5);
    EXPECT_EQ(PickRandomEffect(9 * 16), 2);  // Cut can be picked
    EXPECT_EQ(PickRandomEffect(9 * 46), 33);
    EXPECT_EQ(PickRandomEffect(9 * 47), 4);
    std::set<int> seen;
    for (uint32_t tick = 0; tick < 9 * 47 * 3; ++tick) {
        const int effect = PickRandomEffect(tick);
        EXPECT_NE(effect, kEffectNoEffect);
        EXPECT_NE(effect, kEffectRandom);
        seen.insert(effect);
    }
    EXPECT_EQ(seen.size(), 47u);
    // The tick count is unsigned: values near the wrap stay in range.
    const int late = PickRandomEffect(0xFFFFFFFFu);
    EXPECT_EQ(late, kDialogEffects[1 + (0xFFFFFFFFu / 9) % 47]);
    EXPECT_EQ(ResolveEffect(kEffectRandom, 9).family, kFamilyBlinds);
}

}  // namespace
}  // namespace xelo
