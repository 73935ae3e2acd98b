#include "image/DibImage.h"

#include <gtest/gtest.h>

#include "image/TavoException.h"

namespace xelo {
namespace {

void FillPalette(CDibImage& image, std::initializer_list<PaletteEntry> entries) {
    int i = 0;
    for (const PaletteEntry& e : entries)
        image.Palette()->entries[i++] = e;
}

TEST(DibImage, ZeroOrNegativeSizeGivesEmptyImage) {
    CDibImage image;
    image.Create(0, 10, 3, false);
    EXPECT_TRUE(image.IsEmpty());
    image.Create(10, -4, 1, true);
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(image.Width(), 0);
    EXPECT_EQ(image.Height(), 0);
    EXPECT_EQ(image.Palette(), nullptr);
    EXPECT_EQ(image.Transparent(), kNoColour);
}

TEST(DibImage, HugeRequestsFailWithNotEnoughMemory) {
    CDibImage image;
    try {
        image.Create(1 << 20, 1 << 20, 3, false);
        FAIL();
    } catch (const CTavoException& e) {
        EXPECT_EQ(e.GetCode(), kErrNoMemory);
    }
    EXPECT_TRUE(image.IsEmpty());
}

TEST(DibImage, TransferToMovesEverythingAndEmptiesTheSource) {
    CDibImage a, b;
    a.Create(4, 2, 1, true);
    a.SetTransparent(7);
    a.Bits()[0] = 42;
    const uint8_t* bits = a.Bits();
    b.Create(9, 9, 3, false);
    a.TransferTo(b);
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a.Palette(), nullptr);
    EXPECT_EQ(b.Bits(), bits);
    EXPECT_EQ(b.Width(), 4);
    EXPECT_EQ(b.Transparent(), 7u);
    EXPECT_TRUE(b.HasMask());
    EXPECT_NE(b.Palette(), nullptr);
}

TEST(DibImage, CropToShorterRowCopiesTheKeptPixels) {
    CDibImage image;
    image.Create(9, 3, 1, true);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 9; ++x) {
            image.Row(y)[x] = static_cast<uint8_t>(y * 10 + x);
            image.MaskBits()[y * image.MaskStride() + x] = static_cast<uint8_t>(100 + y * 10 + x);
        }
    }
    image.CropTo(3, 2);
    ASSERT_EQ(image.Width(), 3);
    EXPECT_EQ(image.RowPad(), 1);
    EXPECT_EQ(image.Stride(), 4u);
    EXPECT_EQ(image.Row(1)[2], 12);
    EXPECT_EQ(image.MaskBits()[1 * image.MaskStride() + 2], 112);
}

// The transparent entry is made unique only when another entry has the same colour.
TEST(DibImage, MakeTransparentUniqueChangesOnlyDuplicatedKey) {
    CDibImage image;
    image.Create(2, 2, 1, false);
    FillPalette(image, {{10, 20, 30, 0}, {1, 2, 3, 0}, {10, 20, 30, 0}});
    image.SetTransparent(1);
    image.MakeTransparentUnique();
    EXPECT_EQ(image.Palette()->entries[1].red, 1);

    image.SetTransparent(2);
    image.MakeTransparentUnique();
    const PaletteEntry& e = image.Palette()->entries[2];
    EXPECT_EQ(e.red, 127);
    EXPECT_EQ(e.green, 128);
    EXPECT_EQ(e.blue, 129);
}

TEST(DibImage, MakeTransparentUniqueAvoidsATakenReplacement) {
    CDibImage image;
    image.Create(2, 2, 1, false);
    // Every entry is (127,128,129) or (127,128,130): the key must get a colour found nowhere else.
    for (int i = 0; i < 256; ++i) {
        image.Palette()->entries[i] = {127, 128, static_cast<uint8_t>(i % 2 ? 130 : 129), 0};
    }
    image.SetTransparent(0);
    image.MakeTransparentUnique();
    const PaletteEntry key = image.Palette()->entries[0];
    for (int i = 1; i < 256; ++i) {
        const PaletteEntry& e = image.Palette()->entries[i];
        EXPECT_FALSE(e.red == key.red && e.green == key.green && e.blue == key.blue) << i;
    }
}

TEST(DibImage, ConvertToTrueColourExpandsPaletteAndKey) {
    CDibImage image;
    image.Create(3, 2, 1, false);
    FillPalette(image, {{0, 0, 0, 0}, {255, 0, 0, 0}, {0, 255, 0, 0}, {0x12, 0x34, 0x56, 0}});
    image.Row(0)[0] = 1;
    image.Row(0)[1] = 2;
    image.Row(1)[2] = 3;
    image.SetTransparent(3);
    image.ConvertToTrueColour();
    ASSERT_EQ(image.BytesPerPixel(), 3);
    EXPECT_EQ(image.Palette(), nullptr);
    EXPECT_EQ(image.Transparent(), 0x00563412u);
    const uint8_t* r0 = image.Row(0);
    EXPECT_EQ(r0[0], 0);    // blue
    EXPECT_EQ(r0[2], 255);  // red
    EXPECT_EQ(r0[4], 255);  // green of pixel 1
    const uint8_t* r1 = image.Row(1) + 6;
    EXPECT_EQ(r1[0], 0x56);
    EXPECT_EQ(r1[1], 0x34);
    EXPECT_EQ(r1[2], 0x12);
}

// A duplicated key colour is separated before conversion, so opaque pixels stay opaque.
TEST(DibImage, ConvertToTrueColourKeepsOpaqueTwinsOfTheKey) {
    CDibImage image;
    image.Create(2, 1, 1, false);
    FillPalette(image, {{5, 5, 5, 0}, {5, 5, 5, 0}});
    image.Row(0)[0] = 0;
    image.Row(0)[1] = 1;
    image.SetTransparent(1);
    image.ConvertToTrueColour();
    EXPECT_EQ(image.Transparent(), MakeColour(127, 128, 129));
    EXPECT_EQ(image.Row(0)[0], 5);
    EXPECT_EQ(image.Row(0)[5], 127);
}

}  // namespace
}  // namespace xelo
