// Frames decoded on demand: any order of steps shows what composing from the first frame shows.
#include <gtest/gtest.h>

#include "views/AnimationComposer.h"
#include "views/AnimationPlayer.h"

namespace xelo {
namespace {

constexpr int kFrames = 40;

// Frame i: a 3 × 2 patch of its own colour wandering over an 8 × 8 picture, every disposal.
void DecodeTestFrame(int i, CImageFrame& f) {
    f.image.Create(3, 2, 3, false);
    FillImage(f.image, static_cast<uint32_t>(0x10305 * (i + 1)));
    f.frameRect = Rect{(i * 3) % 7, (i * 5) % 7, (i * 3) % 7 + 3, (i * 5) % 7 + 2};
    f.disposal = static_cast<uint8_t>(i % 4);
}

std::vector<uint8_t> Pixels(const CDibImage& image) {
    const uint8_t* p = image.Bits();
    return {p, p + image.Stride() * static_cast<size_t>(image.Height())};
}

TEST(AnimationComposer, StepsInAnyOrderShowTheComposedFrame) {
    std::vector<std::vector<uint8_t>> expected;
    for (int t = 0; t < kFrames; ++t) {
        AnimationComposer fresh;
        fresh.Start({8, 8}, {8, 8}, 0x404040, DecodeTestFrame);
        fresh.ComposeTo(t);
        expected.push_back(Pixels(fresh.Shown()));
    }
    int decodes = 0;
    AnimationComposer c;
    c.SetCacheBytes(3 * 8 * 24);  // room for three copies
    c.Start({8, 8}, {8, 8}, 0x404040, [&](int i, CImageFrame& f) {
        ++decodes;
        DecodeTestFrame(i, f);
    });
    std::vector<int> steps;
    for (int t = 0; t < kFrames; ++t) steps.push_back(t);
    for (int t = kFrames - 2; t >= 0; --t) steps.push_back(t);
    for (int t : {17, 3, 39, 38, 0, 25, 24, 24, 26}) steps.push_back(t);
    for (int t : steps) {
        c.ComposeTo(t);
        ASSERT_EQ(c.Index(), t);
        ASSERT_EQ(Pixels(c.Shown()), expected[static_cast<size_t>(t)]) << "frame " << t;
    }
    // Stepping back starts from a kept copy, not from the first frame each time.
    EXPECT_LT(decodes, kFrames * kFrames / 2);
}

}  // namespace
}  // namespace xelo
