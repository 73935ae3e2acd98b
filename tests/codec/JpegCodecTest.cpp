#include "codec/JpegCodec.h"

#include <gtest/gtest.h>

#include "codec/CodecTestUtil.h"
#include "codec/JpegTestImages.h"
#include "support/ExifBuilder.h"
#include "support/TestData.h"

namespace xelo {
namespace {

using test::Bgr;

constexpr Bgr kRed{0, 0, 255};
constexpr Bgr kBlue{255, 0, 0};

using test::RgbAt;
using test::ErrorOf;

void ExpectNear(const uint8_t* bgr, Bgr expected, int tolerance, const std::string& where) {
    EXPECT_NEAR(bgr[0], expected.blue, tolerance) << where;
    EXPECT_NEAR(bgr[1], expected.green, tolerance) << where;
    EXPECT_NEAR(bgr[2], expected.red, tolerance) << where;
}

// A thumbnail asks libjpeg for the largest reduction (1/2, 1/4, 1/8) that still keeps twice the
// fitted size, then filters; the colour survives with red and blue in their places.
TEST(JpegCodec, ThumbnailAsksTheLibraryForTheReductionAndSamples) {
    struct Case {
        int width, height, boxWidth, boxHeight;
        int denominator;  // asked of the library
        Size output;      // what the library delivers
        Size thumbnail;
    } const cases[] = {{1600, 1200, 96, 72, 8, {200, 150}, {96, 72}},  // 16 capped at 8
                       {400, 300, 96, 72, 2, {200, 150}, {96, 72}},
                       {300, 200, 96, 72, 1, {300, 200}, {96, 64}},
                       {100, 100, 100, 100, 1, {100, 100}, {100, 100}},
                       {150, 40, 96, 72, 1, {150, 40}, {96, 25}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height);
        const auto bytes = test::MakeFlatJpeg(c.width, c.height, kRed);
        CMemoryStream stream(bytes.data(), static_cast<uint32_t>(bytes.size()));
        CJpegCodec codec;
        CDibImage thumb;
        codec.ReadThumbnail(stream, thumb, c.boxWidth, c.boxHeight);
        EXPECT_EQ(codec.LastScaleDenominator(), c.denominator);
        EXPECT_EQ(codec.LastOutputSize(), c.output);
        ASSERT_EQ((Size{thumb.Width(), thumb.Height()}), c.thumbnail);
        ExpectNear(thumb.Row(0), kRed, 8, "top left");
        ExpectNear(thumb.Row(thumb.Height() - 1) + 3 * (thumb.Width() - 1), kRed, 8,
                   "bottom right");
    }
}

// A clip of the picture decodes only that part, also through a reduced output.
TEST(JpegCodec, ClippedFramesShowTheClip) {
    const auto bytes = test::MakeJpeg(800, 600, [](int x, int) { return x < 400 ? kRed : kBlue; });
    CMemoryStream stream(bytes.data(), static_cast<uint32_t>(bytes.size()));
    CImageFile file;
    CImageFrames frames;
    file.LoadFrames(stream, frames, Size{200, 150}, Rect{400, 0, 800, 600});
    const CDibImage& image = frames.frames.at(0)->image;
    ASSERT_EQ(image.Width(), 100);
    ASSERT_EQ(image.Height(), 150);
    ExpectNear(image.Row(0) + 3 * 2, kBlue, 10, "left edge of the clip");
    ExpectNear(image.Row(149) + 3 * 99, kBlue, 10, "right edge");
}

// A file cut off inside its scan, or whose scan runs into a marker, decodes without error: the
// rows before the damage are there, the rest keep the destination's initial (zero) contents.
TEST(JpegCodec, DamagedScanDecodesPartlyAndQuietly) {
    const auto whole = test::MakeJpeg(64, 256, [](int x, int y) {
        return Bgr{static_cast<uint8_t>(200 + (x + y) % 13), 230, 240};
    });
    const size_t scan = test::FindMarker(whole, 0xDA);
    ASSERT_LT(scan, whole.size());
    const size_t middle = (scan + whole.size()) / 2;
    std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(middle));
    std::vector<uint8_t> marker = whole;
    marker[middle] = 0xFF;  // an end-of-image marker in the middle of the entropy data
    marker[middle + 1] = 0xD9;
    for (const auto* bytes : {&cut, &marker}) {
        CMemoryStream stream(bytes->data(), static_cast<uint32_t>(bytes->size()));
        CImageFrames frames;
        CImageFile().LoadFrames(stream, frames);
        const CDibImage& image = frames.frames.at(0)->image;
        ExpectNear(image.Row(0), Bgr{200, 230, 240}, 12, "first row");
        const uint8_t* last = image.Row(255) + 3 * 63;
        EXPECT_EQ(last[0] + last[1] + last[2], 0);
    }
}

// Every good public JPEG gives its header, a thumbnail inside the box and its frames (the damaged
// ones are replayed by the fuzz targets with the same checks).
TEST(JpegCodec, PublicFilesDecode) {
    XELO_REQUIRE_SHARED_TESTDATA();
    int files = 0;
    for (const char* folder :
         {"jpeg-exif/wuffs", "jpeg-exif/exif-py", "jpeg-exif/exif-py/orientation",
          "jpeg-exif/exif-py/tests", "jpeg-exif/exif-py/hdr", "jpeg-exif/exif-py/mobile",
          "jpeg-exif/exif-py/xmp"}) {
        for (const auto& path : test::FilesIn(test::SharedFile(folder), {"jpg", "jpeg", "jpe"})) {
            SCOPED_TRACE(path.string());
            ++files;
            CImageFile file;
            ImageInfo info;
            CDibImage thumb;
            CImageFrames frames;
            EXPECT_EQ(ErrorOf([&] {
                          file.ReadInfo(path.string(), info);
                          file.ReadThumbnail(path.string(), thumb, 96, 72);
                          file.LoadFrames(path.string(), frames);
                      }),
                      0u);
            EXPECT_EQ(frames.frames.at(0)->image.Width(), info.width);
            EXPECT_LE(thumb.Width(), 96);
            EXPECT_LE(thumb.Height(), 72);
        }
    }
    EXPECT_GT(files, 60);
}

// A red picture carrying a blue Exif thumbnail.
std::vector<uint8_t> RedWithBlueThumbnail() {
    test::ExifBuilder exif(false);
    exif.Ascii(test::ExifBuilder::kIfd0, 0x0110, "Test camera");
    exif.SetThumbnail(test::MakeFlatJpeg(160, 120, kBlue));
    return test::WithSegmentAfterSoi(test::WithoutApp0(test::MakeFlatJpeg(1600, 1200, kRed)),
                                     exif.App1());
}

// A named file thumbnails from its Exif thumbnail, also with the picture cut away; a broken one
// falls back to the picture.
TEST(JpegThumbnail, NamedFileUsesTheExifThumbnailWhenItReads) {
    const auto bytes = RedWithBlueThumbnail();
    CMemoryStream named(bytes.data(), static_cast<uint32_t>(bytes.size()), "photo.jpg");
    CDibImage thumb;
    CImageFile().ReadThumbnail(named, thumb, 96, 72);
    ASSERT_EQ(thumb.Width(), 96);
    ExpectNear(thumb.Row(36) + 3 * 48, kBlue, 10, "embedded thumbnail");

    // Without a file name the stream is not a file, and the picture itself is decoded.
    CMemoryStream unnamed(bytes.data(), static_cast<uint32_t>(bytes.size()));
    CImageFile().ReadThumbnail(unnamed, thumb, 96, 72);
    ExpectNear(thumb.Row(36) + 3 * 48, kRed, 10, "main picture");

    // The main picture's data cut away still thumbnails from Exif.
    std::vector<uint8_t> cut = bytes;
    cut.resize(4 + ((size_t{bytes[4]} << 8) | bytes[5]) + 4);  // the picture's segments are gone
    CMemoryStream damaged(cut.data(), static_cast<uint32_t>(cut.size()), "photo.jpg");
    CImageFile().ReadThumbnail(damaged, thumb, 96, 72);
    ExpectNear(thumb.Row(0), kBlue, 10, "embedded thumbnail");
    CMemoryStream again(cut.data(), static_cast<uint32_t>(cut.size()), "photo.jpg");
    ImageInfo info;
    EXPECT_EQ(ErrorOf([&] { CImageFile().ReadInfo(again, info); }), 46024u);

    // An embedded thumbnail whose header does not read leaves the main picture to be decoded.
    test::ExifBuilder broken(true);
    broken.SetThumbnail({0xFF, 0xD8, 0xFF, 0xD9});
    const auto red = test::WithSegmentAfterSoi(test::MakeFlatJpeg(400, 300, kRed), broken.App1());
    CMemoryStream fallback(red.data(), static_cast<uint32_t>(red.size()), "photo.jpg");
    CImageFile().ReadThumbnail(fallback, thumb, 96, 72);
    ASSERT_EQ(thumb.Width(), 96);
    ExpectNear(thumb.Row(10) + 30, kRed, 10, "main picture");
}

}  // namespace
}  // namespace xelo
