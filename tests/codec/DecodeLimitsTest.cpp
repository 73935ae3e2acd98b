// Memory bombs, detection of JPEGs that look like PICT, and the writers' shared percent size.
#include <gtest/gtest.h>

#include <cstdio>
// After <cstdio>: the library header needs size_t and FILE.
#include <jpeglib.h>

#include "codec/BmpWriter.h"
#include "codec/CodecTestUtil.h"
#include "codec/FormatDetect.h"
#include "codec/GifBytes.h"
#include "codec/GifWriter.h"
#include "codec/ImageFile.h"
#include "codec/JpegCodec.h"
#include "image/TavoException.h"
#include "support/TempDir.h"
#include "support/TestData.h"

namespace xelo {
namespace {

uint32_t LoadError(const std::vector<uint8_t>& bytes) {
    CImageFrames frames;
    return test::ErrorOf([&] { test::LoadFromBytes(bytes, frames); });
}

// A tiny progressive greyscale JPEG whose frame header then claims 16383 × 16383.
std::vector<uint8_t> ProgressiveJpegBomb() {
    jpeg_compress_struct c;
    jpeg_error_mgr errors;
    c.err = jpeg_std_error(&errors);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = c.image_height = 8;
    c.input_components = 1;
    c.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&c);
    jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    JSAMPLE row[8] = {};
    for (JSAMPROW r = row; c.next_scanline < 8;) jpeg_write_scanlines(&c, &r, 1);
    jpeg_finish_compress(&c);
    std::vector<uint8_t> bytes(out, out + size);
    jpeg_destroy_compress(&c);
    std::free(out);
    for (size_t i = 0; i + 8 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC2) {
            bytes[i + 5] = bytes[i + 7] = 0x3F;
            bytes[i + 6] = bytes[i + 8] = 0xFF;
            break;
        }
    }
    return bytes;
}

TEST(DecodeLimits, BombsEndWithNotEnoughMemoryAndConvertTakesFrameZeroOnly) {
    // 40 frames of 4000 × 4000 in a few hundred bytes: 640 MB of frames.
    test::GifBytes gif(4000, 4000, 2);
    for (int i = 0; i < 40; ++i) gif.Descriptor(0, 0, 4000, 4000).Codes(2, {4, 0, 5});
    gif.Trailer();
    EXPECT_EQ(LoadError(gif.Bytes()), kErrNoMemory);
    const auto jpeg = ProgressiveJpegBomb();
    EXPECT_EQ(LoadError(jpeg), kErrNoMemory);
    CMemoryStream stream(jpeg.data(), static_cast<uint32_t>(jpeg.size()));
    CDibImage thumb;
    EXPECT_EQ(test::ErrorOf([&] { CImageFile().ReadThumbnail(stream, thumb, 96, 72); }),
              kErrNoMemory);
    EXPECT_TRUE(thumb.IsEmpty());

    test::TempDir dir;
    const std::string path = dir.File("bomb.gif");
    test::WriteBytes(path, gif.Bytes());
    CImageFrames frames;
    CImageFile().LoadFirstFrame(path, frames);
    EXPECT_EQ(frames.frames.size(), 1u);
    EXPECT_EQ(frames.frameCount, 40);
}

TEST(DecodeLimits, AJpegHoldingThePictOpcodeIsStillAJpeg) {
    test::TempDir dir;
    CDibImage image;
    image.Create(16, 16, 3, false);
    const std::string plain = dir.File("plain.jpg");
    WriteJpeg(JpegWriterSettings{}, plain, image, 100);
    std::vector<uint8_t> bytes = test::ReadBytes(plain);
    // A comment segment right after the start marker puts 00 11 02 FF at offset 522.
    std::vector<uint8_t> comment{0xFF, 0xFE, 0x02, 0x5A};  // 600 bytes with its length
    comment.resize(4 + 598, ' ');
    const uint8_t opcode[] = {0x00, 0x11, 0x02, 0xFF};
    std::copy(opcode, opcode + 4, comment.begin() + (522 - 2));
    bytes.insert(bytes.begin() + 2, comment.begin(), comment.end());
    CMemoryStream stream(bytes.data(), static_cast<uint32_t>(bytes.size()));
    EXPECT_EQ(DetectFormat(stream), kFormatJpeg);
    EXPECT_EQ(LoadError(bytes), 0u);
}

TEST(DecodeLimits, EveryWriterScalesByTheSamePercent) {
    test::TempDir dir;
    CDibImage image;
    image.Create(100, 7, 3, false);
    const struct {
        int percent, width, height;
    } cases[] = {{29, 29, 2}, {57, 57, 3}, {1, 1, 0}, {150, 150, 10}, {14, 14, 0}};
    for (const auto& c : cases) {
        for (const char* name : {"a.bmp", "a.gif", "a.jpg"}) {
            const std::string path = dir.File(name);
            std::remove(path.c_str());
            CGifWriter gif;
            if (test::ErrorOf([&] {
                    if (name[2] == 'b') WriteBmp(path, image, c.percent, Resolution{96, 96});
                    if (name[2] == 'g') WriteGif(gif, path, image, c.percent);
                    if (name[2] == 'j') WriteJpeg(JpegWriterSettings{}, path, image, c.percent);
                })) {
                EXPECT_EQ(c.height, 0) << name << " " << c.percent;  // nothing left of a side
                continue;
            }
            ImageInfo info;
            CImageFile().ReadInfo(path, info);
            EXPECT_EQ(info.width, c.width) << name << " " << c.percent;
            EXPECT_EQ(info.height, c.height) << name << " " << c.percent;
        }
    }
}

}  // namespace
}  // namespace xelo
