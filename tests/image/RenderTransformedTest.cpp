// Keys, masks and empty images; placement and orientation are checked against a plain mapping in
// RenderOrientationReferenceTest.
#include "image/RenderTransformed.h"

#include <gtest/gtest.h>

#include <vector>

namespace xelo {
namespace {

// A one-row BGR target filled with `fill`.
struct Canvas {
    std::vector<uint8_t> memory;
    Canvas(int w, uint8_t fill) : memory(static_cast<size_t>(w) * 3, fill) {}
    BgrBuffer Buffer() { return {memory.data(), static_cast<int>(memory.size() / 3), 1, 0}; }
    const uint8_t* At(int x) const { return memory.data() + x * 3; }
};

void Render(const CDibImage& image, Canvas& canvas) {
    RenderTransformed(image, Rect{0, 0, image.Width(), 1}, canvas.Buffer(), std::nullopt,
                      kOrientNormal);
}

TEST(RenderTransformed, PaletteKeyLeavesTheTargetShowing) {
    CDibImage image;
    image.Create(2, 1, 1, false);
    image.Palette()->entries[1] = {200, 100, 50, 0};
    image.Row(0)[0] = 1;
    image.Row(0)[1] = 2;
    image.SetTransparent(2);
    Canvas canvas(2, 9);
    Render(image, canvas);
    EXPECT_EQ(canvas.At(0)[0], 50);
    EXPECT_EQ(canvas.At(0)[2], 200);
    EXPECT_EQ(canvas.At(1)[0], 9);
}

TEST(RenderTransformed, TrueColourKeyAndMaskBlend) {
    CDibImage keyed;
    keyed.Create(2, 1, 3, false);
    uint8_t* p = keyed.Row(0);
    p[0] = 1, p[1] = 2, p[2] = 3;  // the key colour (blue 1, green 2, red 3)
    p[3] = 1, p[4] = 2, p[5] = 4;  // one off: drawn
    keyed.SetTransparent(MakeColour(3, 2, 1));
    Canvas a(2, 9);
    Render(keyed, a);
    EXPECT_EQ(a.At(0)[2], 9);
    EXPECT_EQ(a.At(1)[2], 4);

    CDibImage masked;
    masked.Create(3, 1, 3, true);
    for (int i = 0; i < 9; ++i)
        masked.Row(0)[i] = 200;
    masked.MaskBits()[0] = 0;
    masked.MaskBits()[1] = 128;
    masked.MaskBits()[2] = 255;
    masked.SetTransparent(MakeColour(0, 0, 0));
    Canvas b(3, 100);
    Render(masked, b);
    EXPECT_EQ(b.At(0)[0], 100);
    EXPECT_EQ(b.At(1)[0], (200 * 128 + 127 * 100) / 255);
    EXPECT_EQ(b.At(2)[0], 200);

    Canvas untouched(3, 0xEE);
    RenderTransformed(CDibImage(), Rect{0, 0, 3, 1}, untouched.Buffer(), std::nullopt,
                      kOrientNormal);
    EXPECT_EQ(untouched.At(1)[0], 0xEE) << "an empty image writes nothing";
}

}  // namespace
}  // namespace xelo
