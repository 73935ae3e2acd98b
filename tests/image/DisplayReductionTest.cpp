#include "image/DisplayReduction.h"

#include <gtest/gtest.h>

#include <vector>

#include "image/FixedPalette.h"

namespace xelo {
namespace {

struct Surface {
    int width, height;
    std::vector<uint8_t> bytes;
    Surface(int w, int h, uint8_t value)
        : width(w), height(h), bytes(static_cast<size_t>(w) * h * 3, value) {}
    BgrBuffer Buffer() { return BgrBuffer{bytes.data(), width, height, 0}; }
    Rect All() const { return Rect{0, 0, width, height}; }
};

TEST(DisplayGamma, HundredPercentChangesNothingAndKeyIsSkipped) {
    Surface s(3, 1, 128);
    AdjustGamma(s.All(), s.Buffer(), kNoColour, false, 100);
    EXPECT_EQ(s.bytes, std::vector<uint8_t>(9, 128));
    s.bytes[0] = s.bytes[1] = s.bytes[2] = 10;  // pixel 0 is the key
    AdjustGamma(s.All(), s.Buffer(), MakeColour(10, 10, 10), true, 50);
    EXPECT_EQ(s.bytes[0], 10);
    EXPECT_EQ(s.bytes[3], 64);
}

// No reduction on deep screens; otherwise only the region changes; automatic follows the screen.
TEST(DisplayReduction, NoneDeepScreensRegionAndAutomaticMode) {
    Surface s(6, 3, 100);
    ScreenCaps deep;
    ReduceForDisplay(s.All(), s.Buffer(), kDisplayNone, kNoColour, false, deep);
    ReduceForDisplay(s.All(), s.Buffer(), kDisplayAutomatic, kNoColour, false, deep);
    EXPECT_EQ(s.bytes, std::vector<uint8_t>(54, 100));
    ReduceForDisplay(Rect{2, 1, 4, 2}, s.Buffer(), kDisplay12Bit, kNoColour, false, deep);
    EXPECT_EQ(s.bytes[0], 100);
    EXPECT_NE(s.bytes[(1 * 6 + 2) * 3], 100);
    EXPECT_EQ(s.bytes[(1 * 6 + 4) * 3], 100);
    ScreenCaps screen;
    screen.bitsPerPixel = 24;
    EXPECT_EQ(EffectiveDisplayMode(kDisplayAutomatic, screen), kDisplayNone);
    screen.bitsPerPixel = 16;
    screen.colourCount = 65536;
    EXPECT_EQ(EffectiveDisplayMode(kDisplayAutomatic, screen), kDisplay16Bit);
    screen.colourCount = AdjustColourCountForDevice(131072, "Compaq iPAQ H3600");
    EXPECT_EQ(screen.colourCount, 4096);
    EXPECT_EQ(EffectiveDisplayMode(kDisplayAutomatic, screen), kDisplay12Bit);
    screen.colourCount = 256;
    EXPECT_EQ(EffectiveDisplayMode(kDisplayAutomatic, screen), kDisplay8Bit);
    EXPECT_EQ(EffectiveDisplayMode(kDisplay12Bit, screen), kDisplay12Bit);
}

// Only the levels of the reduction remain, and diffusion keeps the average brightness.
TEST(DisplayReduction, TwelveBitDiffusionKeepsTheAverage) {
    Surface s(40, 40, 100);
    ScreenCaps screen;
    ReduceForDisplay(s.All(), s.Buffer(), kDisplay12Bit, kNoColour, false, screen);
    long sum = 0;
    for (uint8_t b : s.bytes) {
        ASSERT_EQ(b % 17, 0) << int(b);
        sum += b;
    }
    EXPECT_NEAR(static_cast<double>(sum) / s.bytes.size(), 100.0, 1.5);
}

TEST(DisplayReduction, SixteenBitLevelsAndKeyedPixels) {
    Surface s(8, 8, 0);
    for (size_t i = 0; i < s.bytes.size(); ++i)
        s.bytes[i] = static_cast<uint8_t>(i * 37);
    s.bytes[0] = 1, s.bytes[1] = 2, s.bytes[2] = 3;  // pixel (0,0) carries the key
    ScreenCaps screen;
    ReduceForDisplay(s.All(), s.Buffer(), kDisplay16Bit, MakeColour(3, 2, 1), true, screen);
    EXPECT_EQ(s.bytes[0], 1);
    EXPECT_EQ(s.bytes[2], 3);
    for (size_t i = 3; i < s.bytes.size(); ++i) {
        const bool green = i % 3 == 1;
        ASSERT_EQ(s.bytes[i] % (green ? 4 : 8), 0);
        ASSERT_LE(s.bytes[i], green ? 0xFC : 0xF8);
    }
}

}  // namespace
}  // namespace xelo
