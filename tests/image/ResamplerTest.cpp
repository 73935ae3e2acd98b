#include "image/Resampler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace xelo {
namespace {

std::vector<int> WeightsOf(const WeightTable& t, int i) {
    std::vector<int> w;
    for (int k = t.first[i]; k <= t.last[i]; ++k)
        w.push_back(t.WeightsOf(i)[k - t.first[i]]);
    return w;
}

// For every target pixel the weights sum to exactly 100 and stay inside the source, also when
// shrinking more than a hundred times.
TEST(Resampler, WeightsSumToOneHundred) {
    const int lengths[] = {1, 2, 3, 7, 13, 72, 96, 100, 101, 240, 320, 641, 1200, 5000};
    for (int s : lengths) {
        for (int t : lengths) {
            const WeightTable table = BuildWeightTable(s, t);
            EXPECT_LE(table.window, 101);
            for (int i = 0; i < t; ++i) {
                ASSERT_GE(table.first[i], 0);
                ASSERT_LT(table.last[i], s);
                ASSERT_LE(table.last[i] - table.first[i] + 1, table.window);
                const auto w = WeightsOf(table, i);
                ASSERT_EQ(std::accumulate(w.begin(), w.end(), 0), 100)
                    << s << "->" << t << " at " << i;
            }
        }
    }
}

TEST(Resampler, ConstantImageStaysConstant) {
    const uint8_t kPixel[3] = {10, 200, 99};
    const int sizes[][4] = {{37, 21, 5, 3}, {5, 3, 37, 21}, {100, 100, 100, 7}, {9, 50, 9, 60}};
    for (const auto& s : sizes) {
        std::vector<uint8_t> source(static_cast<size_t>(s[0] + 3) * 3 * s[1], 0xEE);
        for (int i = 0; i < (s[0] + 3) * s[1]; ++i)
            if (i % (s[0] + 3) < s[0]) std::copy_n(kPixel, 3, &source[i * 3]);
        std::vector<uint8_t> target(static_cast<size_t>(s[2] + 1) * 3 * s[3], 0);
        ASSERT_TRUE(
            Resample24(source.data(), s[0], s[1], 3, 3, nullptr, target.data(), s[2], s[3], 1));
        for (int y = 0; y < s[3]; ++y) {
            for (int x = 0; x < s[2]; ++x) {
                const uint8_t* p = target.data() + (static_cast<size_t>(y) * (s[2] + 1) + x) * 3;
                ASSERT_EQ(std::vector<uint8_t>(p, p + 3), (std::vector<uint8_t>{10, 200, 99}));
            }
        }
    }
}

TEST(Resampler, PaletteSourceIsExpandedAndAKeyedPlaneBecomesCoverage) {
    LogPalette palette;
    palette.count = 256;
    palette.entries[3] = {30, 20, 10, 0};
    const std::vector<uint8_t> source(4 * 2, 3);
    std::vector<uint8_t> target(4 * 3 * 2, 0);
    ASSERT_TRUE(Resample24(source.data(), 4, 2, 0, 1, &palette, target.data(), 4, 2, 0));
    EXPECT_EQ(target[0], 10);
    EXPECT_EQ(target[2], 30);
    ASSERT_TRUE(Resample24(source.data(), 4, 2, 0, 1, &palette, target.data(), 2, 1, 0));
    EXPECT_EQ(target[1], 20);
    EXPECT_FALSE(Resample24(source.data(), 4, 2, 0, 1, nullptr, target.data(), 4, 2, 0));
}

// The one-pass fallback gives the same picture as the two passes, up to their rounding.
TEST(Resampler, OnePassMatchesTwoPassWithinRounding) {
    const int sw = 53, sh = 31, tw = 17, th = 11;
    std::vector<uint8_t> source(static_cast<size_t>(sw + 3) * 3 * sh);
    std::srand(7);
    for (auto& b : source)
        b = static_cast<uint8_t>(std::rand());
    std::vector<uint8_t> a(static_cast<size_t>(tw + 3) * 3 * th), b(a.size());
    ASSERT_TRUE(Resample24(source.data(), sw, sh, 3, 3, nullptr, a.data(), tw, th, 3));
    ASSERT_TRUE(Resample24OnePass(source.data(), sw, sh, 3, 3, nullptr, b.data(), tw, th, 3));
    for (size_t i = 0; i < a.size(); ++i) {
        if (i % ((tw + 3) * 3) < tw * 3u) {
            ASSERT_NEAR(a[i], b[i], 1) << i;
        }
    }
    // A keyed plane becomes coverage.
    const std::vector<uint8_t> plane = {5, 9, 5, 9};
    std::vector<uint8_t> mask(4, 77);
    ASSERT_TRUE(Resample8(plane.data(), 4, 1, 0, mask.data(), 4, 1, 0, 5));
    EXPECT_EQ(mask, (std::vector<uint8_t>{0, 255, 0, 255}));
    ASSERT_TRUE(Resample8(plane.data(), 4, 1, 0, mask.data(), 2, 1, 2, 5));
    EXPECT_EQ(mask[0], (66 * 0 + 34 * 255 + 50) / 100);
}

}  // namespace
}  // namespace xelo
