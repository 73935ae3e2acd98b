#include "codec/BmpCodec.h"

#include <gtest/gtest.h>

#include "BmpBuilder.h"
#include "CodecTestUtil.h"

namespace xelo {
namespace {

using test::BmpBuilder;
using test::ErrorOf;
using test::RgbAt;
using Rgb = std::array<uint8_t, 3>;

CDibImage& FirstFrame(CImageFrames& frames, const std::vector<uint8_t>& bytes) {
    test::LoadFromBytes(bytes, frames);
    EXPECT_EQ(frames.frames.size(), 1u);
    return frames.frames.front()->image;
}

ImageInfo InfoOf(const std::vector<uint8_t>& bytes) {
    CMemoryStream s(bytes.data(), static_cast<uint32_t>(bytes.size()));
    ImageInfo info;
    CImageFile().ReadInfo(s, info);
    return info;
}

// A 2bp file: 2 bits per pixel, most significant pair first, a 4-entry palette when none is given.
TEST(BmpCodec, TwoBitFileUsesFourColours) {
    BmpBuilder b;
    b.width = 5;
    b.height = 1;
    b.bitCount = 2;
    b.palette = {0, 0, 0, 0, 85, 85, 85, 0, 170, 170, 170, 0, 255, 255, 255, 0};
    b.pixels = {0b00011011, 0b11000000, 0, 0};  // indices 0 1 2 3 3
    const ImageInfo info = InfoOf(b.Bytes());
    EXPECT_EQ(info.bitsPerPixel, 2);
    EXPECT_EQ(info.palette.count, 4);
    CImageFrames frames;
    const CDibImage& image = FirstFrame(frames, b.Bytes());
    ASSERT_EQ(image.BytesPerPixel(), 1);
    EXPECT_EQ(std::vector<uint8_t>(image.Row(0), image.Row(0) + 5),
              (std::vector<uint8_t>{0, 1, 2, 3, 3}));
    EXPECT_EQ(RgbAt(image, 2, 0), (Rgb{170, 170, 170}));
}

// Rows are padded to 4 bytes: 4 × 2 24-bit rows take 12 bytes, 5 × 2 rows 16.
TEST(BmpCodec, TrueColourRowsWithPaddingAreBottomUp) {
    for (int width : {4, 5}) {
        BmpBuilder b;
        b.width = width;
        b.height = 2;
        const int rowBytes = (width * 3 + 3) / 4 * 4;
        b.pixels.assign(rowBytes * 2, 0);
        for (int x = 0; x < width; ++x) {
            b.pixels[x * 3 + 2] = static_cast<uint8_t>(10 + x);             // bottom row: red
            b.pixels[rowBytes + x * 3 + 1] = static_cast<uint8_t>(20 + x);  // top row: green
        }
        CImageFrames frames;
        const CDibImage& image = FirstFrame(frames, b.Bytes());
        EXPECT_EQ(RgbAt(image, width - 1, 0), (Rgb{0, static_cast<uint8_t>(19 + width), 0}));
        EXPECT_EQ(RgbAt(image, 0, 1), (Rgb{10, 0, 0}));
    }
}

TEST(BmpCodec, SixteenBitMasksChooseFiveSixFive) {
    BmpBuilder b;
    b.width = 2;
    b.bitCount = 16;
    b.compression = 3;
    b.pixels = {0xE0, 0x07, 0x1F, 0x00};  // 0x07E0, 0x001F
    b.masks = {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0};
    CImageFrames frames;
    EXPECT_EQ(RgbAt(FirstFrame(frames, b.Bytes()), 0, 0), (Rgb{0, 0xF8, 0}));  // all green in 5-6-5
    b.masks = {0x00, 0x7C, 0, 0, 0xE0, 0x03, 0, 0, 0x1F, 0, 0, 0};
    CImageFrames frames555;
    const CDibImage& image = FirstFrame(frames555, b.Bytes());
    EXPECT_EQ(RgbAt(image, 0, 0), (Rgb{0x08, 0xF8, 0}));  // 5-5-5 reads the top green bit as red
    EXPECT_EQ(RgbAt(image, 1, 0), (Rgb{0, 0, 0xF8}));
}

// Headers of version 4 and 5 (108 and 124 bytes) are what most programs write today.
TEST(BmpCodec, LaterInfoHeadersAreRead) {
    for (uint32_t size : {52u, 56u, 108u, 124u}) {
        BmpBuilder b;
        b.headerSize = size;
        b.pixels = {1, 2, 3, 0};
        CImageFrames frames;
        EXPECT_EQ(RgbAt(FirstFrame(frames, b.Bytes()), 0, 0), (Rgb{3, 2, 1})) << size;
    }
}

TEST(BmpCodec, ThirtyTwoBitBitFieldsFollowTheMasks) {
    BmpBuilder b;
    b.bitCount = 32;
    b.compression = 3;
    b.masks = {0, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0};  // red in the top byte
    b.pixels = {0x00, 0x33, 0x22, 0x11};                      // 0x11223300
    CImageFrames frames;
    EXPECT_EQ(RgbAt(FirstFrame(frames, b.Bytes()), 0, 0), (Rgb{0x11, 0x22, 0x33}));
}

// A negative height stores the rows top-down; the picture is the right way up.
TEST(BmpCodec, TopDownRowsAreReadInOrder) {
    BmpBuilder b;
    b.width = 1;
    b.height = -2;
    b.pixels = {0, 0, 255, 0, 255, 0, 0, 0};  // first row red, second blue
    CImageFrames frames;
    const CDibImage& image = FirstFrame(frames, b.Bytes());
    EXPECT_EQ(RgbAt(image, 0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(RgbAt(image, 0, 1), (Rgb{0, 0, 255}));
}

BmpBuilder Rle8(std::vector<uint8_t> codes, int width, int height) {
    BmpBuilder b;
    b.width = width;
    b.height = height;
    b.bitCount = 8;
    b.compression = 1;
    for (int i = 0; i < 256; ++i)
        b.palette.insert(b.palette.end(), {static_cast<uint8_t>(i), 0, 0, 0});
    b.pixels = std::move(codes);
    return b;
}

std::vector<uint8_t> IndexRow(const CDibImage& image, int y) {
    return std::vector<uint8_t>(image.Row(y), image.Row(y) + image.Width());
}

TEST(BmpCodec, RunLength8WithEscapes) {
    const BmpBuilder b = Rle8(
        {
            3, 7, 1, 8,        // bottom row: 7 7 7 8
            0, 0,              // end of row
            0, 3, 4, 5, 6, 0,  // absolute run of 3 plus its pad byte
            0, 0,              //
            9, 2,              // a run longer than the row is cut: 2 2 2 2
            0, 0,              //
            0, 1,              // end of bitmap: the top row keeps index 0
        },
        4, 4);
    CImageFrames frames;
    const CDibImage& image = FirstFrame(frames, b.Bytes());
    EXPECT_EQ(IndexRow(image, 3), (std::vector<uint8_t>{7, 7, 7, 8}));
    EXPECT_EQ(IndexRow(image, 2), (std::vector<uint8_t>{4, 5, 6, 0}));
    EXPECT_EQ(IndexRow(image, 1), (std::vector<uint8_t>{2, 2, 2, 2}));
    EXPECT_EQ(IndexRow(image, 0), (std::vector<uint8_t>{0, 0, 0, 0}));
}

// A row filled to its width may come without its end-of-row code.
TEST(BmpCodec, RunLengthFullRowsWithAndWithoutEndOfRow) {
    const BmpBuilder b = Rle8({2, 1, 0, 0, 2, 3, 2, 4, 0, 1}, 2, 3);
    CImageFrames frames;
    const CDibImage& image = FirstFrame(frames, b.Bytes());
    EXPECT_EQ(IndexRow(image, 2), (std::vector<uint8_t>{1, 1}));
    EXPECT_EQ(IndexRow(image, 1), (std::vector<uint8_t>{3, 3}));
    EXPECT_EQ(IndexRow(image, 0), (std::vector<uint8_t>{4, 4}));
}

// Deltas move right and up; the pixels they pass over keep index 0.
TEST(BmpCodec, RunLengthDeltaSkipsPixels) {
    const BmpBuilder b = Rle8({1, 5, 0, 2, 1, 2, 1, 6, 0, 0, 1, 9, 0, 1}, 3, 4);
    CImageFrames frames;
    const CDibImage& image = FirstFrame(frames, b.Bytes());
    EXPECT_EQ(IndexRow(image, 3), (std::vector<uint8_t>{5, 0, 0}));
    EXPECT_EQ(IndexRow(image, 2), (std::vector<uint8_t>{0, 0, 0}));
    EXPECT_EQ(IndexRow(image, 1), (std::vector<uint8_t>{0, 0, 6}));
    EXPECT_EQ(IndexRow(image, 0), (std::vector<uint8_t>{9, 0, 0}));
}

TEST(BmpCodec, RunLength4UsesNibbles) {
    BmpBuilder b = Rle8({5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 1}, 5, 2);
    b.bitCount = 4;
    b.compression = 2;
    b.palette.resize(16 * 4);
    CImageFrames frames;
    const CDibImage& image = FirstFrame(frames, b.Bytes());
    EXPECT_EQ(IndexRow(image, 1), (std::vector<uint8_t>{1, 2, 1, 2, 1}));
    EXPECT_EQ(IndexRow(image, 0), (std::vector<uint8_t>{3, 4, 5, 0, 0}));
}

// A smaller destination of a picture kept as a palette reads every second row and column.
TEST(BmpCodec, ReducedPaletteSamplesRowsAndColumns) {
    BmpBuilder b;
    b.width = 8;
    b.height = 8;
    b.bitCount = 8;
    for (int i = 0; i < 256; ++i)
        b.palette.insert(b.palette.end(), {0, 0, 0, 0});
    for (int fileRow = 0; fileRow < 8; ++fileRow) {
        for (int x = 0; x < 8; ++x)
            b.pixels.push_back(static_cast<uint8_t>((7 - fileRow) * 10 + x));
    }
    const auto bytes = b.Bytes();
    CMemoryStream s(bytes.data(), static_cast<uint32_t>(bytes.size()));
    CImageFrames frames;
    CImageFile().LoadFrames(s, frames, Size{4, 4});
    const CDibImage& thumb = frames.frames.at(0)->image;
    ASSERT_EQ(thumb.Width(), 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(thumb.Row(y)[x], (2 * y) * 10 + 2 * x);
    }
}

TEST(BmpCodec, HeaderFacts) {
    BmpBuilder b;
    b.width = 3;
    b.height = 2;
    b.bitCount = 8;
    b.coloursUsed = 300;  // out of range: the full 256 entries
    b.palette.assign(256 * 4, 0);
    b.palette[5 * 4 + 2] = 99;
    b.pixels.assign(8, 0);
    ImageInfo info = InfoOf(b.Bytes());
    EXPECT_EQ(info.format, kFormatBmp);
    EXPECT_EQ(info.width, 3);
    EXPECT_EQ(info.height, 2);
    EXPECT_EQ(info.frameCount, 1);
    EXPECT_EQ(info.xResolution, 72);
    EXPECT_EQ(info.background, kNoColour);
    EXPECT_EQ(info.palette.count, 256);
    EXPECT_EQ(info.palette.entries[5].red, 99);
    b.xPixelsPerMetre = 0;
    info = InfoOf(b.Bytes());
    EXPECT_EQ(info.xResolution, -1);
    EXPECT_EQ(info.yResolution, -1);
}

TEST(BmpCodec, CoreHeaderHasThreeBytePaletteEntries) {
    BmpBuilder b;
    b.headerSize = 12;
    b.width = 2;
    b.bitCount = 1;
    b.palette = {0, 0, 0, 10, 20, 30};
    b.pixels = {0x40, 0, 0, 0};
    CImageFrames frames;
    EXPECT_EQ(RgbAt(FirstFrame(frames, b.Bytes()), 1, 0), (Rgb{30, 20, 10}));
}

// Malformed headers fail as invalid files; missing bytes as reading past the end.
TEST(BmpCodec, MalformedFilesAreRefused) {
    auto code = [](const BmpBuilder& b) {
        CImageFrames frames;
        return ErrorOf([&] { test::LoadFromBytes(b.Bytes(), frames); });
    };
    BmpBuilder good;
    good.pixels = {1, 2, 3, 0};
    ASSERT_EQ(code(good), 0u);

    BmpBuilder b = good;
    b.headerSize = 66;
    EXPECT_EQ(code(b), kErrFormatInvalid) << "header size";
    b = good;
    b.planes = 2;
    EXPECT_EQ(code(b), kErrFormatInvalid) << "planes";
    b = good;
    b.width = 0;
    EXPECT_EQ(code(b), kErrFormatInvalid) << "zero width";
    b = good;
    b.width = -1;
    EXPECT_EQ(code(b), kErrFormatInvalid) << "negative width";
    b = good;
    b.height = INT32_MIN;
    EXPECT_EQ(code(b), kErrFormatInvalid) << "height that cannot be negated";
    b = good;
    b.bitCount = 3;
    EXPECT_EQ(code(b), kErrFormatInvalid) << "bit count";
    b = good;
    b.compression = 4;
    EXPECT_EQ(code(b), kErrFormatInvalid) << "embedded JPEG";
    b = good;
    b.height = 2;
    EXPECT_EQ(code(b), kErrEndOfFile) << "rows missing";
    b = Rle8({3, 1, 0, 0}, 3, 2);
    EXPECT_EQ(code(b), kErrEndOfFile) << "run-length data cut short";
    b = Rle8({3, 1, 0, 1}, 3, -2);
    EXPECT_EQ(code(b), kErrFormatInvalid) << "top-down run-length";

    std::vector<uint8_t> bytes = good.Bytes();
    bytes[1] = 'A';
    CMemoryStream s(bytes.data(), static_cast<uint32_t>(bytes.size()));
    ImageInfo info;
    EXPECT_EQ(ErrorOf([&] { CBmpCodec().ReadInfo(s, info); }), kErrFormatInvalid) << "signature";
    bytes = good.Bytes();
    bytes.resize(20);
    CMemoryStream cut(bytes.data(), 20);
    EXPECT_EQ(ErrorOf([&] { CBmpCodec().ReadInfo(cut, info); }), kErrEndOfFile) << "cut header";
}

TEST(BmpCodec, HugeDeclaredSizeFailsWithoutDecoding) {
    BmpBuilder b;
    b.width = 3000000;
    b.height = 2000000;
    b.pixels = {1, 2, 3, 4};
    CImageFrames frames;
    const uint32_t code = ErrorOf([&] { test::LoadFromBytes(b.Bytes(), frames); });
    EXPECT_TRUE(code == kErrEndOfFile || code == kErrFormatInvalid) << code;
    EXPECT_TRUE(frames.frames.empty());
}

}  // namespace
}  // namespace xelo
