// The effect catalogue: names, the dialog's list and the choice of Random Effects.
#include <gtest/gtest.h>

#include <set>

#include "slideshow/EffectTable.h"

namespace xelo {
namespace {

TEST(EffectTable, EveryEffectHasItsName) {
    for (int i = 0; i < kEffectCount; ++i)
        EXPECT_FALSE(EffectName(i).empty()) << i;
    EXPECT_EQ(EffectName(0), "No Effect");
    EXPECT_EQ(EffectName(1), "Random Effects");
    EXPECT_EQ(EffectName(17), "Fade Through Black");
    EXPECT_EQ(EffectName(39), "Split Horizontal In");
    EXPECT_EQ(EffectName(45), "Strips Down-Right");
    EXPECT_EQ(EffectName(52), "Shape Plus");
    EXPECT_EQ(EffectName(85), "Spiral");
    EXPECT_EQ(EffectName(86), "");
    EXPECT_EQ(EffectName(-1), "");
}

TEST(EffectTable, MapsIndicesToFamilyAndDirection) {
    EXPECT_EQ(LookUpEffect(12), (EffectKind{kFamilyCover, kDirLeftUp}));
    EXPECT_EQ(LookUpEffect(39), (EffectKind{kFamilySplit, kDirSplitHorizontalIn}));
    // The four "Strips Up-Left" … names are the "Strips Left-Up" … movements.
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(LookUpEffect(42 + i), LookUpEffect(28 + i)) << i;
    EXPECT_EQ(LookUpEffect(69), (EffectKind{21, kDirLeftUp}));
    EXPECT_EQ(LookUpEffect(86), LookUpEffect(0));
}

TEST(EffectTable, EffectsWithoutRoutineResolveToNoEffect) {
    for (int i = 53; i < kEffectCount; ++i)
        EXPECT_EQ(ResolveEffect(i, 0), EffectKind{}) << i;
    EXPECT_EQ(ResolveEffect(-3, 0), EffectKind{});
    EXPECT_EQ(ResolveEffect(52, 0), (EffectKind{kFamilyShapePlus, kDirOut}));
}

// The dialog offers 49 distinct working effects, "No Effect" first and "Random Effects" last,
// without the four alias names of Strips.
TEST(EffectTable, DialogListHoldsTheWorkingEffects) {
    const std::set<int> distinct(kDialogEffects.begin(), kDialogEffects.end());
    EXPECT_EQ(distinct.size(), 49u);
    EXPECT_EQ(kDialogEffects.front(), kEffectNoEffect);
    EXPECT_EQ(kDialogEffects.back(), kEffectRandom);
    for (int i = 0; i <= 52; ++i)
        EXPECT_EQ(distinct.count(i), (i >= 42 && i <= 45) ? 0u : 1u) << i;
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
