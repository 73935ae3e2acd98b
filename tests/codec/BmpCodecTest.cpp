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

// Malformed headers fail as invalid files; missing bytes as reading past the end.
TEST(BmpCodec, MalformedFilesAreRefused) {
    auto code = [](const BmpBuilder& b) {
        CImageFrames frames;
        return ErrorOf([&] { test::LoadFromBytes(b.Bytes(), frames); });
    };
    BmpBuilder good;
    good.pixels = {1, 2, 3, 0};
    ASSERT_EQ(code(good), 0u);

    struct Case {
        const char* label;
        void (*damage)(BmpBuilder&);
        uint32_t code;
    };
    const Case cases[] = {
        {"header size", [](BmpBuilder& b) { b.headerSize = 66; }, kErrFormatInvalid},
        {"planes", [](BmpBuilder& b) { b.planes = 2; }, kErrFormatInvalid},
        {"zero width", [](BmpBuilder& b) { b.width = 0; }, kErrFormatInvalid},
        {"negative width", [](BmpBuilder& b) { b.width = -1; }, kErrFormatInvalid},
        {"height that cannot be negated", [](BmpBuilder& b) { b.height = INT32_MIN; },
         kErrFormatInvalid},
        {"bit count", [](BmpBuilder& b) { b.bitCount = 3; }, kErrFormatInvalid},
        {"embedded JPEG", [](BmpBuilder& b) { b.compression = 4; }, kErrFormatInvalid},
        {"rows missing", [](BmpBuilder& b) { b.height = 2; }, kErrEndOfFile},
        {"run-length data cut short",
         [](BmpBuilder& b) {
             b = Rle8({3, 1, 0, 0}, 3, 2);
         },
         kErrEndOfFile},
        {"top-down run-length",
         [](BmpBuilder& b) {
             b = Rle8({3, 1, 0, 1}, 3, -2);
         },
         kErrFormatInvalid}};
    for (const Case& c : cases) {
        BmpBuilder b = good;
        c.damage(b);
        EXPECT_EQ(code(b), c.code) << c.label;
    }

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
