#include "image/Reducer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "support/ZonePlate.h"

namespace xelo {
namespace {

// Flat pictures stay exactly flat at every size and channel count, edges included.
TEST(Reducer, FlatPictureStaysFlat) {
    struct Case {
        int sw, sh, tw, th, bpp;
    } const cases[] = {{640, 480, 96, 72, 3}, {97, 13, 5, 2, 1},   {3, 1000, 1, 7, 3},
                       {8, 8, 8, 3, 3},       {50, 40, 50, 40, 1}, {10, 10, 30, 4, 3}};
    for (const Case& c : cases) {
        CDibImage source;
        source.Create(c.sw, c.sh, c.bpp, false);
        for (int y = 0; y < c.sh; ++y)
            std::fill_n(source.Row(y), static_cast<size_t>(c.sw) * c.bpp, uint8_t{201});
        if (c.bpp == 1) test::SetGreyRamp(source);
        CDibImage target;
        ReduceImage(source, target, {c.tw, c.th});
        ASSERT_EQ(target.BytesPerPixel(), c.bpp);
        for (int y = 0; y < c.th; ++y)
            for (int b = 0; b < c.tw * c.bpp; ++b)
                ASSERT_EQ(target.Row(y)[b], 201) << c.sw << "->" << c.tw << " at " << b << "," << y;
    }
}

// A zone plate reduced five times: rings finer than the target can show vanish (sampling leaves
// moiré of full contrast there), and coarse rings match a floating-point Lanczos-3 done here.
TEST(Reducer, ZonePlateLosesOnlyWhatCannotBeShown) {
    CDibImage plate, small;
    test::ZonePlate(plate, 480, 360, 3);
    ReduceImage(plate, small, {96, 72});
    auto lanczos = [](double x) {
        const double p = M_PI * x;
        return std::fabs(x) >= 3 ? 0.0 : x == 0 ? 1.0 : 3 * std::sin(p) * std::sin(p / 3) / (p * p);
    };
    double error = 0;
    int inner = 0;
    for (int y = 0; y < 72; ++y) {
        for (int x = 0; x < 96; ++x) {
            if (test::ZonePlateFrequency(480, 360, x * 5 + 2.5, y * 5 + 2.5) >= 0.05) continue;
            double sum = 0, weights = 0;
            for (int v = y * 5 - 15; v < y * 5 + 20; ++v) {
                for (int u = x * 5 - 15; u < x * 5 + 20; ++u) {
                    const double w =
                        lanczos((u - x * 5 - 2) / 5.0) * lanczos((v - y * 5 - 2) / 5.0);
                    if (u < 0 || v < 0 || u >= 480 || v >= 360) continue;
                    sum += w * plate.Row(v)[3 * u + 1];
                    weights += w;
                }
            }
            error += std::fabs(small.Row(y)[3 * x + 1] - std::clamp(sum / weights, 0.0, 255.0));
            ++inner;
        }
    }
    ASSERT_GT(inner, 100);
    EXPECT_LT(error / inner, 1.0);
    EXPECT_LT(test::MoireAbove(small, 480, 360, 0.2), 4.0);
}

// Palette pictures are filtered through their colours; a stream cut short leaves the target rows
// it never reached as they were.
TEST(Reducer, PaletteAndCutShortStream) {
    CDibImage indexed;
    indexed.Create(40, 40, 1, false);
    indexed.Palette()->count = 2;
    indexed.Palette()->entries[1] = PaletteEntry{255, 0, 0, 0};
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            indexed.Row(y)[x] = static_cast<uint8_t>((x + y) % 2);
    CDibImage reduced;
    ReduceImage(indexed, reduced, {10, 10});
    ASSERT_EQ(reduced.BytesPerPixel(), 3);
    EXPECT_NEAR(reduced.Row(5)[15 + 2], 128, 2);  // red halfway: the checks average out
    EXPECT_EQ(reduced.Row(5)[15 + 1], 0);

    std::vector<uint8_t> target(10 * 10, 7);
    CRowReducer stream(40, 40, 10, 10, 1, target.data(), 10);
    for (int y = 0; y < 20; ++y) {
        std::fill_n(stream.Slot(), 40, uint8_t{90});
        stream.Commit();
    }
    EXPECT_EQ(target[0], 90);
    EXPECT_EQ(target[4 * 10], 7);
    EXPECT_EQ(target[9 * 10 + 9], 7);
}

}  // namespace
}  // namespace xelo
