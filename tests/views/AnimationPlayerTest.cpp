// Animation state rules and the frame composition with disposal methods.
#include <gtest/gtest.h>

#include "image/TavoException.h"
#include "views/AnimationPlayer.h"

namespace xelo {
namespace {

TEST(AnimationPlayer, FrameCommandsFollowTheirEnablingRules) {
    AnimationPlayer p;
    p.Reset(1);
    EXPECT_FALSE(p.Animated());
    EXPECT_FALSE(p.Play());
    EXPECT_FALSE(p.NextFrame());
    p.Reset(3);
    EXPECT_FALSE(p.CanPreviousFrame());
    EXPECT_TRUE(p.NextFrame());
    EXPECT_TRUE(p.NextFrame());
    EXPECT_EQ(p.FrameIndex(), 2);
    EXPECT_FALSE(p.CanNextFrame());  // the last frame
    EXPECT_FALSE(p.NextFrame());
    EXPECT_TRUE(p.CanPreviousFrame());
    EXPECT_FALSE(p.CanStop());
    // Play starts from frame 0, not from the frame shown; while playing the steps are off.
    EXPECT_TRUE(p.Play());
    EXPECT_EQ(p.FrameIndex(), 0);
    EXPECT_FALSE(p.CanPlay());
    EXPECT_FALSE(p.CanNextFrame());
    EXPECT_FALSE(p.PreviousFrame());
    p.Tick();
    p.Tick();
    EXPECT_EQ(p.FrameIndex(), 2);
    p.Tick();
    EXPECT_EQ(p.FrameIndex(), 0);  // wraps
    p.Tick();
    EXPECT_TRUE(p.Stop());
    EXPECT_EQ(p.FrameIndex(), 1);  // the frame stays
    p.Tick();
    EXPECT_EQ(p.FrameIndex(), 1);  // a late tick after Stop does nothing
    p.Reset(3);
    EXPECT_FALSE(p.Playing());
    EXPECT_EQ(p.FrameIndex(), 0);
}

constexpr uint32_t kRed = 0x0000FF;  // 0x00BBGGRR
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0xFF0000;
constexpr uint32_t kBackground = 0x404040;

void MakeFrame(CImageFrame& f, int w, int h, uint32_t colour, int disposal) {
    f.image.Create(w, h, 3, false);
    FillImage(f.image, colour);
    f.disposal = static_cast<uint8_t>(disposal);
}

uint32_t At(const CDibImage& image, int x, int y) {
    const uint8_t* p = image.Row(y) + 3 * x;
    return uint32_t{p[2]} | uint32_t{p[1]} << 8 | uint32_t{p[0]} << 16;
}

// The 4 × 4 picture as rows of letters: R red, G green, B blue, . background.
std::string Picture(const CDibImage& image) {
    std::string s;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const uint32_t c = At(image, x, y);
            s += c == kRed          ? 'R'
                 : c == kGreen      ? 'G'
                 : c == kBlue       ? 'B'
                 : c == kBackground ? '.'
                                    : '?';
        }
        s += '/';
    }
    return s;
}

TEST(ComposeFrame, DisposalDecidesWhatTheNextFrameSees) {
    CDibImage composition, shown;
    composition.Create(4, 4, 3, false);
    shown.Create(4, 4, 3, false);
    FillImage(composition, kBackground);
    CImageFrame full, restore, keep, previous;
    MakeFrame(full, 4, 4, kRed, 1);
    MakeFrame(restore, 2, 2, kGreen, 2);
    MakeFrame(keep, 1, 1, kBlue, 0);
    MakeFrame(previous, 2, 1, kGreen, 3);
    ComposeFrame(full, {0, 0}, composition, shown, kBackground);
    EXPECT_EQ(Picture(shown), "RRRR/RRRR/RRRR/RRRR/");
    EXPECT_EQ(Picture(composition), "RRRR/RRRR/RRRR/RRRR/");
    ComposeFrame(restore, {1, 1}, composition, shown, kBackground);
    EXPECT_EQ(Picture(shown), "RRRR/RGGR/RGGR/RRRR/");
    EXPECT_EQ(Picture(composition), "RRRR/R..R/R..R/RRRR/");
    ComposeFrame(keep, {0, 0}, composition, shown, kBackground);
    EXPECT_EQ(Picture(shown), "BRRR/R..R/R..R/RRRR/");
    EXPECT_EQ(Picture(composition), "BRRR/R..R/R..R/RRRR/");
    // Restore-to-previous leaves the composition; a frame reaching past the edge is clipped.
    ComposeFrame(previous, {3, 3}, composition, shown, kBackground);
    EXPECT_EQ(Picture(shown), "BRRR/R..R/R..R/RRRG/");
    EXPECT_EQ(Picture(composition), "BRRR/R..R/R..R/RRRR/");
    // Wholly outside: the composition is shown as it is.
    ComposeFrame(keep, {9, -3}, composition, shown, kBackground);
    EXPECT_EQ(Picture(shown), "BRRR/R..R/R..R/RRRR/");
    // Mismatched buffers are refused.
    shown.Create(3, 4, 3, false);
    EXPECT_THROW(ComposeFrame(keep, {0, 0}, composition, shown, kBackground), CTavoException);
}

}  // namespace
}  // namespace xelo
