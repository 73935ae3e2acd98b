#include "image/DibImage.h"

#include <gtest/gtest.h>

#include "codec/CodecTestUtil.h"

namespace xelo {
namespace {

void FillPalette(CDibImage& image, std::initializer_list<PaletteEntry> entries) {
    int i = 0;
    for (const PaletteEntry& e : entries)
        image.Palette()->entries[i++] = e;
}

TEST(DibImage, SizesAndCropping) {
    CDibImage image;
    image.Create(0, 10, 3, false);
    EXPECT_TRUE(image.IsEmpty());
    image.Create(10, -4, 1, true);
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(image.Palette(), nullptr);
    EXPECT_EQ(test::ErrorOf([&] { image.Create(1 << 20, 1 << 20, 3, false); }), kErrNoMemory);
    EXPECT_TRUE(image.IsEmpty());
    // Cropping to a shorter row copies the kept pixels and mask.
    image.Create(9, 3, 1, true);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 9; ++x) {
            image.Row(y)[x] = static_cast<uint8_t>(y * 10 + x);
            image.MaskBits()[y * image.MaskStride() + x] = static_cast<uint8_t>(100 + y * 10 + x);
        }
    }
    image.CropTo(3, 2);
    ASSERT_EQ(image.Width(), 3);
    EXPECT_EQ(image.Stride(), 4u);
    EXPECT_EQ(image.Row(1)[2], 12);
    EXPECT_EQ(image.MaskBits()[1 * image.MaskStride() + 2], 112);
}

// The transparent entry is made unique only when another entry has the same colour, and then gets
// a colour found nowhere else in the palette.
TEST(DibImage, MakeTransparentUniqueChangesOnlyDuplicatedKey) {
    CDibImage image;
    image.Create(2, 2, 1, false);
    FillPalette(image, {{10, 20, 30, 0}, {1, 2, 3, 0}, {10, 20, 30, 0}});
    image.SetTransparent(1);
    image.MakeTransparentUnique();
    EXPECT_EQ(image.Palette()->entries[1].red, 1);
    image.SetTransparent(2);
    image.MakeTransparentUnique();
    EXPECT_EQ(test::RgbAt(image, 0, 0), (std::array<uint8_t, 3>{10, 20, 30}));
    const PaletteEntry& e = image.Palette()->entries[2];
    EXPECT_EQ(std::make_tuple(e.red, e.green, e.blue), std::make_tuple(127, 128, 129));

    // Every entry is (127,128,129) or (127,128,130).
    for (int i = 0; i < 256; ++i)
        image.Palette()->entries[i] = {127, 128, static_cast<uint8_t>(i % 2 ? 130 : 129), 0};
    image.SetTransparent(0);
    image.MakeTransparentUnique();
    const PaletteEntry key = image.Palette()->entries[0];
    for (int i = 1; i < 256; ++i) {
        const PaletteEntry& o = image.Palette()->entries[i];
        EXPECT_FALSE(o.red == key.red && o.green == key.green && o.blue == key.blue) << i;
    }
}

// The key colour follows the palette entry; a duplicated key is separated first, so opaque
// pixels of the same colour stay opaque.
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
    using Rgb = std::array<uint8_t, 3>;
    EXPECT_EQ(test::RgbAt(image, 0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(test::RgbAt(image, 1, 0), (Rgb{0, 255, 0}));
    EXPECT_EQ(test::RgbAt(image, 2, 1), (Rgb{0x12, 0x34, 0x56}));

    CDibImage twins;
    twins.Create(2, 1, 1, false);
    FillPalette(twins, {{5, 5, 5, 0}, {5, 5, 5, 0}});
    twins.Row(0)[0] = 0;
    twins.Row(0)[1] = 1;
    twins.SetTransparent(1);
    twins.ConvertToTrueColour();
    EXPECT_EQ(twins.Transparent(), MakeColour(127, 128, 129));
    EXPECT_EQ(twins.Row(0)[0], 5);
    EXPECT_EQ(twins.Row(0)[5], 127);
}

}  // namespace
}  // namespace xelo
