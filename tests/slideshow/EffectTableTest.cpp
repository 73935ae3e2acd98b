// The effect catalogue: names, the dialog's list and the choice of Random Effects.
#include <gtest/gtest.h>

#include <set>

#include "slideshow/EffectTable.h"

namespace xelo {
namespace {

TEST(EffectTable, ResolvingEffectsAndPickingRandomOnes) {
    for (int i = 53; i < kEffectCount; ++i)
        EXPECT_EQ(ResolveEffect(i, 0), EffectKind{}) << i;
    EXPECT_EQ(ResolveEffect(-3, 0), EffectKind{});
    EXPECT_EQ(ResolveEffect(52, 0), (EffectKind{kFamilyShapePlus, kDirOut}));
    // Random Effects walks the 47 effects of the list, one entry per 9 ms of the tick count (the
    // unsigned count may wrap), never choosing No Effect or itself.
    std::set<int> seen;
    for (uint32_t tick = 0; tick < 9 * 47 * 3; ++tick) {
        const int effect = PickRandomEffect(tick);
        EXPECT_NE(effect, kEffectNoEffect);
        EXPECT_NE(effect, kEffectRandom);
        EXPECT_EQ(effect, PickRandomEffect(tick / 9 * 9 + 9 * 47)) << tick;
        seen.insert(effect);
    }
    EXPECT_EQ(seen.size(), 47u);
    EXPECT_NE(PickRandomEffect(8), PickRandomEffect(9));
    EXPECT_TRUE(seen.count(PickRandomEffect(0xFFFFFFFFu)));
    EXPECT_EQ(ResolveEffect(kEffectRandom, 9).family, kFamilyBlinds);
}

}  // namespace
}  // namespace xelo
