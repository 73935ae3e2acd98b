#include "image/RenderTransformed.h"

#include <gtest/gtest.h>

#include <vector>

namespace xelo {
namespace {

// A 3-byte image whose pixel (x, y) is (x, y, 7) as blue, green, red.
void MakeCoordinateImage(CDibImage& image, int w, int h) {
    image.Create(w, h, 3, false);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint8_t* p = image.Row(y) + x * 3;
            p[0] = static_cast<uint8_t>(x);
            p[1] = static_cast<uint8_t>(y);
            p[2] = 7;
        }
    }
}

// A target with a guard band of pixels around it, to catch writes outside.
struct Canvas {
    int width, height, pad = 2;
    std::vector<uint8_t> memory;
    static constexpr uint8_t kGuard = 0xA5;
    static constexpr int kGuardRows = 2;

    Canvas(int w, int h, uint8_t fill = 0xEE) : width(w), height(h) {
        memory.assign(static_cast<size_t>(w + pad) * 3 * (h + 2 * kGuardRows), kGuard);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w * 3; ++x)
                Row(y)[x] = fill;
        }
    }
    uint8_t* Row(int y) {
        return memory.data() + static_cast<size_t>(y + kGuardRows) * (width + pad) * 3;
    }
    BgrBuffer Buffer() { return BgrBuffer{Row(0), width, height, pad}; }
    const uint8_t* At(int x, int y) { return Row(y) + x * 3; }
    bool GuardsIntact() {
        for (int y = -kGuardRows; y < height + kGuardRows; ++y) {
            const bool outside = y < 0 || y >= height;
            for (int x = 0; x < (width + pad) * 3; ++x) {
                if ((outside || x >= width * 3) && Row(y)[x] != kGuard) return false;
            }
        }
        return true;
    }
    // Copies the canvas into an image of the same size.
    void ToImage(CDibImage& image) {
        image.Create(width, height, 3, false);
        for (int y = 0; y < height; ++y)
            std::copy(Row(y), Row(y) + width * 3, image.Row(y));
    }
};

TEST(RenderTransformed, WritesOnlyInsideBufferDestAndClip) {
    CDibImage image;
    MakeCoordinateImage(image, 10, 10);
    for (int o = 0; o < 8; ++o) {
        Canvas canvas(8, 6);
        // destRect sticks out of the buffer on every side.
        RenderTransformed(image, Rect{-3, -2, 12, 9}, canvas.Buffer(), Rect{1, 1, 5, 4}, o);
        EXPECT_TRUE(canvas.GuardsIntact()) << o;
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 8; ++x) {
                const bool inClip = x >= 1 && x < 5 && y >= 1 && y < 4;
                EXPECT_EQ(canvas.At(x, y)[2] == 7, inClip) << o << " at " << x << "," << y;
            }
        }
    }
}

TEST(RenderTransformed, PaletteKeyLeavesTheTargetShowing) {
    CDibImage image;
    image.Create(2, 1, 1, false);
    image.Palette()->entries[1] = {200, 100, 50, 0};
    image.Row(0)[0] = 1;
    image.Row(0)[1] = 2;
    image.SetTransparent(2);
    Canvas canvas(2, 1, 9);
    RenderTransformed(image, Rect{0, 0, 2, 1}, canvas.Buffer(), std::nullopt, kOrientNormal);
    EXPECT_EQ(canvas.At(0, 0)[0], 50);
    EXPECT_EQ(canvas.At(0, 0)[2], 200);
    EXPECT_EQ(canvas.At(1, 0)[0], 9);
}

TEST(RenderTransformed, TrueColourKeyAndMaskBlend) {
    CDibImage keyed;
    keyed.Create(2, 1, 3, false);
    uint8_t* p = keyed.Row(0);
    p[0] = 1, p[1] = 2, p[2] = 3;  // the key colour (blue 1, green 2, red 3)
    p[3] = 1, p[4] = 2, p[5] = 4;  // one off: drawn
    keyed.SetTransparent(MakeColour(3, 2, 1));
    Canvas a(2, 1, 9);
    RenderTransformed(keyed, Rect{0, 0, 2, 1}, a.Buffer(), std::nullopt, kOrientNormal);
    EXPECT_EQ(a.At(0, 0)[2], 9);
    EXPECT_EQ(a.At(1, 0)[2], 4);

    CDibImage masked;
    masked.Create(3, 1, 3, true);
    for (int i = 0; i < 9; ++i)
        masked.Row(0)[i] = 200;
    masked.MaskBits()[0] = 0;
    masked.MaskBits()[1] = 128;
    masked.MaskBits()[2] = 255;
    masked.SetTransparent(MakeColour(0, 0, 0));
    Canvas b(3, 1, 100);
    RenderTransformed(masked, Rect{0, 0, 3, 1}, b.Buffer(), std::nullopt, kOrientNormal);
    EXPECT_EQ(b.At(0, 0)[0], 100);
    EXPECT_EQ(b.At(1, 0)[0], (200 * 128 + 127 * 100) / 255);
    EXPECT_EQ(b.At(2, 0)[0], 200);
}

// A part decoded on its own is placed by its offset within the logical picture.
TEST(RenderTransformed, SourceOffsetPlacesAPartOfTheLogicalPicture) {
    CDibImage part;
    MakeCoordinateImage(part, 2, 2);
    Canvas canvas(4, 4);
    RenderSource source;
    source.offset = Point{2, 2};
    source.size = Size{4, 4};
    RenderTransformed(part, Rect{0, 0, 4, 4}, canvas.Buffer(), std::nullopt, kOrientNormal, source);
    EXPECT_EQ(canvas.At(3, 3)[0], 1);
    EXPECT_EQ(canvas.At(2, 2)[0], 0);
    EXPECT_EQ(canvas.At(2, 2)[2], 7);
    // The rest of the logical picture is not the part's to paint, in any orientation.
    for (int orientation = 0; orientation < 8; ++orientation) {
        Canvas turned(4, 4);
        RenderTransformed(part, Rect{0, 0, 4, 4}, turned.Buffer(), std::nullopt, orientation,
                          source);
        int written = 0;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                written += turned.At(x, y)[0] != 0xEE;
        EXPECT_EQ(written, 4) << "orientation " << orientation;
    }
    // A source clip shows only its own part.
    Canvas clipped(4, 4);
    source.clip = Rect{3, 2, 4, 4};
    RenderTransformed(part, Rect{0, 0, 4, 4}, clipped.Buffer(), std::nullopt, kOrientNormal,
                      source);
    EXPECT_EQ(clipped.At(2, 2)[0], 0xEE);
    EXPECT_EQ(clipped.At(3, 3)[0], 1);
}

TEST(RenderTransformed, EmptyImageWritesNothing) {
    CDibImage empty;
    Canvas canvas(3, 3);
    RenderTransformed(empty, Rect{0, 0, 3, 3}, canvas.Buffer(), std::nullopt, kOrientNormal);
    EXPECT_EQ(canvas.At(1, 1)[0], 0xEE);
}

}  // namespace
}  // namespace xelo
