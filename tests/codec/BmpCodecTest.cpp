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

// A 2bp file: 2 bits per pixel, most significant pair first, a 4-entry palette when none is given.
TEST(BmpCodec, TwoBitFileUsesFourColours) {
    BmpBuilder b;
    b.width = 5;
    b.height = 1;
    b.bitCount = 2;
    b.palette = {0, 0, 0, 0, 85, 85, 85, 0, 170, 170, 170, 0, 255, 255, 255, 0};
    b.pixels = {0b00011011, 0b11000000, 0, 0};  // indices 0 1 2 3 3
    const auto bytes = b.Bytes();
    CMemoryStream s(bytes.data(), static_cast<uint32_t>(bytes.size()));
    ImageInfo info;
    CImageFile().ReadInfo(s, info);
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

// Run-length data, bottom row first: escapes, runs cut at the row end, rows filled without their
// end-of-row code, deltas (passed pixels keep index 0), and 4-bit nibbles.
TEST(BmpCodec, RunLengthCodes) {
    struct Case {
        const char* label;
        int width, bitCount;
        std::vector<uint8_t> codes;
        std::vector<std::vector<uint8_t>> rowsBottomUp;
    };
    const Case cases[] = {
        {"escapes", 4, 8,
         // 7 7 7 8 | absolute run of 3 plus pad | a run longer than the row | end of bitmap
         {3, 7, 1, 8, 0, 0, 0, 3, 4, 5, 6, 0, 0, 0, 9, 2, 0, 0, 0, 1},
         {{7, 7, 7, 8}, {4, 5, 6, 0}, {2, 2, 2, 2}, {0, 0, 0, 0}}},
        {"full rows", 2, 8, {2, 1, 0, 0, 2, 3, 2, 4, 0, 1}, {{1, 1}, {3, 3}, {4, 4}}},
        {"delta", 3, 8, {1, 5, 0, 2, 1, 2, 1, 6, 0, 0, 1, 9, 0, 1},
         {{5, 0, 0}, {0, 0, 0}, {0, 0, 6}, {9, 0, 0}}},
        {"nibbles", 5, 4, {5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 1},
         {{1, 2, 1, 2, 1}, {3, 4, 5, 0, 0}}},
    };
    for (const Case& c : cases) {
        const int height = static_cast<int>(c.rowsBottomUp.size());
        BmpBuilder b = Rle8(c.codes, c.width, height);
        if (c.bitCount == 4) {
            b.bitCount = 4;
            b.compression = 2;
            b.palette.resize(16 * 4);
        }
        CImageFrames frames;
        const CDibImage& image = FirstFrame(frames, b.Bytes());
        for (int i = 0; i < height; ++i) {
            const uint8_t* row = image.Row(height - 1 - i);
            EXPECT_EQ(std::vector<uint8_t>(row, row + c.width), c.rowsBottomUp[i]) << c.label << i;
        }
    }
}

// Malformed headers fail as invalid files; missing bytes as reading past the end.
TEST(BmpCodec, MalformedFilesAreRefused) {
    auto code = [](const BmpBuilder& b) {
        CImageFrames frames;
        return ErrorOf([&] { FirstFrame(frames, b.Bytes()); });
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
        {"run-length data cut short", [](BmpBuilder& b) { b = Rle8({3, 1, 0, 0}, 3, 2); },
         kErrEndOfFile},
        {"top-down run-length", [](BmpBuilder& b) { b = Rle8({3, 1, 0, 1}, 3, -2); },
         kErrFormatInvalid},
        {"huge declared size",
         [](BmpBuilder& b) {
             b.width = 3000000;
             b.height = 2000000;
         },
         kErrEndOfFile}};
    for (const Case& c : cases) {
        BmpBuilder b = good;
        c.damage(b);
        EXPECT_EQ(code(b), c.code) << c.label;
    }

    std::vector<uint8_t> bytes = good.Bytes();
    bytes[1] = 'A';
    ImageInfo info;
    CMemoryStream s(bytes.data(), static_cast<uint32_t>(bytes.size()));
    EXPECT_EQ(ErrorOf([&] { CBmpCodec().ReadInfo(s, info); }), kErrFormatInvalid) << "signature";
    bytes[1] = 'M';
    CMemoryStream cut(bytes.data(), 20);
    EXPECT_EQ(ErrorOf([&] { CBmpCodec().ReadInfo(cut, info); }), kErrEndOfFile) << "cut header";
}

}  // namespace
}  // namespace xelo
