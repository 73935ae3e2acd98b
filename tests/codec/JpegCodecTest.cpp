#include "codec/JpegCodec.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "codec/ExifReader.h"
#include "codec/ImageFile.h"
#include "codec/JpegTestImages.h"
#include "image/TavoException.h"
#include "support/ExifBuilder.h"
#include "support/TestData.h"

namespace xelo {
namespace {

using test::Bgr;

constexpr Bgr kRed{0, 0, 255};
constexpr Bgr kBlue{255, 0, 0};

uint32_t CodeOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const CTavoException& e) {
        return e.GetCode();
    }
    return 0;
}

void ExpectNear(const uint8_t* bgr, Bgr expected, int tolerance, const std::string& where) {
    EXPECT_NEAR(bgr[0], expected.blue, tolerance) << where;
    EXPECT_NEAR(bgr[1], expected.green, tolerance) << where;
    EXPECT_NEAR(bgr[2], expected.red, tolerance) << where;
}

// ---- Scaled decoding ----

struct ScaleCase {
    int width, height;  // of the file
    int boxWidth, boxHeight;
    int denominator;  // asked of the library
    Size output;      // what the library delivers
    Size thumbnail;
};

void PrintTo(const ScaleCase& c, std::ostream* os) {
    *os << c.width << 'x' << c.height << " into " << c.boxWidth << 'x' << c.boxHeight;
}

class JpegScale : public ::testing::TestWithParam<ScaleCase> {};

// A thumbnail asks libjpeg for the largest reduction (1/2, 1/4, 1/8) that still keeps twice the
// fitted size, then filters; the colour survives with red and blue in their places.
TEST_P(JpegScale, AsksTheLibraryForTheReductionAndSamples) {
    const ScaleCase& c = GetParam();
    const auto bytes = test::MakeFlatJpeg(c.width, c.height, kRed);
    CMemoryStream stream(bytes.data(), static_cast<uint32_t>(bytes.size()));
    CJpegCodec codec;
    CDibImage thumb;
    codec.ReadThumbnail(stream, thumb, c.boxWidth, c.boxHeight);
    EXPECT_EQ(codec.LastScaleDenominator(), c.denominator);
    EXPECT_EQ(codec.LastOutputSize(), c.output);
    ASSERT_EQ((Size{thumb.Width(), thumb.Height()}), c.thumbnail);
    ExpectNear(thumb.Row(0), kRed, 8, "top left");
    ExpectNear(thumb.Row(thumb.Height() - 1) + 3 * (thumb.Width() - 1), kRed, 8, "bottom right");
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, JpegScale,
    ::testing::Values(ScaleCase{1600, 1200, 96, 72, 8, {200, 150}, {96, 72}},  // 16 capped at 8
                      ScaleCase{400, 300, 96, 72, 2, {200, 150}, {96, 72}},
                      ScaleCase{300, 200, 96, 72, 1, {300, 200}, {96, 64}},
                      ScaleCase{100, 100, 100, 100, 1, {100, 100}, {100, 100}},
                      ScaleCase{150, 40, 96, 72, 1, {150, 40}, {96, 25}}));

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

// ---- Header facts ----

// ---- Pixels against reference renderings ----

// The colour of a pixel of a decoded image as red, green, blue.
std::array<int, 3> RgbAt(const CDibImage& image, int x, int y) {
    if (image.BytesPerPixel() == 1) {
        const PaletteEntry& e = image.Palette()->entries[image.Row(y)[x]];
        return {e.red, e.green, e.blue};
    }
    const uint8_t* p = image.Row(y) + 3 * x;
    return {p[2], p[1], p[0]};
}

// Full-size decoding gives exactly what libjpeg's own djpeg gives, pixel for pixel.
TEST(JpegCodec, DecodesExactlyLikeDjpeg) {
    XELO_REQUIRE_SHARED_TESTDATA();
    if (std::system("command -v djpeg > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "djpeg (libjpeg-turbo-progs) is not installed";
    }
    test::TempDir dir;
    int compared = 0;
    for (const auto& path : test::FilesIn(test::SharedFile("jpeg-exif/wuffs"), {"jpeg"})) {
        SCOPED_TRACE(path.string());
        const std::string pnm = dir.File("out.pnm");
        const std::string command =
            "djpeg -pnm -outfile '" + pnm + "' '" + path.string() + "' 2>/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0);
        const auto bytes = test::ReadBytes(pnm);
        // "P6\nW H\n255\n" then the samples (P5 for grey).
        int width = 0, height = 0, max = 0, used = 0;
        char kind[3] = {};
        ASSERT_EQ(std::sscanf(reinterpret_cast<const char*>(bytes.data()), "%2s %d %d %d%n", kind,
                              &width, &height, &max, &used),
                  4);
        const int channels = kind[1] == '6' ? 3 : 1;
        const uint8_t* samples = bytes.data() + used + 1;
        CImageFrames frames;
        CImageFile().LoadFrames(path.string(), frames);
        const CDibImage& image = frames.frames.at(0)->image;
        ASSERT_EQ(image.Width(), width);
        ASSERT_EQ(image.Height(), height);
        int differing = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const auto ours = RgbAt(image, x, y);
                const uint8_t* ref = samples + (static_cast<size_t>(y) * width + x) * channels;
                for (int k = 0; k < 3; ++k)
                    differing += ours[k] != ref[channels == 3 ? k : 0];
            }
        }
        EXPECT_EQ(differing, 0);
        ++compared;
    }
    EXPECT_GT(compared, 15);
}

// ---- Damaged files ----

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

// Memory for one picture is bounded: a progressive file claiming 60000 × 60000 pixels would
// need gigabytes of coefficients, and is refused as out of memory at once.
TEST(JpegCodec, HugeProgressivePictureIsRefusedAsOutOfMemory) {
    XELO_REQUIRE_SHARED_TESTDATA();
    auto bytes = test::ReadBytes(test::SharedFile("jpeg-exif/wuffs/peacock.progressive.jpeg"));
    const size_t sof = test::FindMarker(bytes, 0xC2);
    ASSERT_LT(sof + 9, bytes.size());
    // SOF2: marker, length (2), precision (1), height (2), width (2).
    for (const size_t at : {sof + 5, sof + 7}) {
        bytes[at] = 60000 >> 8;
        bytes[at + 1] = 60000 & 0xFF;
    }
    CMemoryStream stream(bytes.data(), static_cast<uint32_t>(bytes.size()));
    CDibImage thumb;
    EXPECT_EQ(CodeOf([&] { CImageFile().ReadThumbnail(stream, thumb, 96, 72); }), 46040u);
    EXPECT_TRUE(thumb.IsEmpty());
}

// Every public JPEG decodes; every damaged one decodes partly or fails with 46024.
TEST(JpegCodec, PublicFilesDecodeOrFailCleanly) {
    XELO_REQUIRE_SHARED_TESTDATA();
    // The first seven folders hold only good files.
    const char* const folders[] = {
        "jpeg-exif/wuffs",         "jpeg-exif/exif-py",       "jpeg-exif/exif-py/orientation",
        "jpeg-exif/exif-py/tests", "jpeg-exif/exif-py/hdr",   "jpeg-exif/exif-py/mobile",
        "jpeg-exif/exif-py/xmp",   "jpeg-exif/libjpeg-turbo", "jpeg-exif/libexif",
        "bad/jpeg-wuffs",          "bad/jpeg-exif-py",        "bad/afl-jpeg"};
    int files = 0;
    for (int f = 0; f < 12; ++f) {
        const bool mustDecode = f < 7;
        for (const auto& path :
             test::FilesIn(test::SharedFile(folders[f]), {"jpg", "jpeg", "jpe"})) {
            SCOPED_TRACE(path.string());
            ++files;
            CImageFile file;
            ImageInfo info;
            const uint32_t infoCode = CodeOf([&] { file.ReadInfo(path.string(), info); });
            CDibImage thumb;
            const uint32_t thumbCode =
                CodeOf([&] { file.ReadThumbnail(path.string(), thumb, 96, 72); });
            CImageFrames frames;
            const uint32_t framesCode = CodeOf([&] { file.LoadFrames(path.string(), frames); });
            for (const uint32_t code : {infoCode, thumbCode, framesCode}) {
                if (mustDecode) {
                    EXPECT_EQ(code, 0u);
                } else {
                    EXPECT_TRUE(code == 0 || code == 46024 || code == 46025) << code;
                }
            }
            if (framesCode == 0) {
                EXPECT_EQ(frames.frames.at(0)->image.Width(), info.width);
                EXPECT_LE(thumb.Width(), 96);
                EXPECT_LE(thumb.Height(), 72);
            }
        }
    }
    EXPECT_GT(files, 130);
}

// ---- Thumbnails from the Exif block ----

// A red picture carrying a blue Exif thumbnail.
std::vector<uint8_t> RedWithBlueThumbnail() {
    test::ExifBuilder exif(false);
    exif.Ascii(test::ExifBuilder::kIfd0, 0x0110, "Test camera");
    exif.SetThumbnail(test::MakeFlatJpeg(160, 120, kBlue));
    return test::WithSegmentAfterSoi(test::WithoutApp0(test::MakeFlatJpeg(1600, 1200, kRed)),
                                     exif.App1());
}

TEST(JpegThumbnail, NamedFileUsesTheExifThumbnail) {
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
}

// Observed through damage: the main picture's data cut away still thumbnails from Exif.
TEST(JpegThumbnail, DamagedMainPictureStillThumbnails) {
    auto bytes = RedWithBlueThumbnail();
    const size_t app1End = 4 + ((size_t{bytes[4]} << 8) | bytes[5]);
    bytes.resize(app1End + 4);  // the picture's own segments are gone
    CMemoryStream named(bytes.data(), static_cast<uint32_t>(bytes.size()), "photo.jpg");
    CDibImage thumb;
    CImageFile().ReadThumbnail(named, thumb, 96, 72);
    ExpectNear(thumb.Row(0), kBlue, 10, "embedded thumbnail");
    CMemoryStream again(bytes.data(), static_cast<uint32_t>(bytes.size()), "photo.jpg");
    ImageInfo info;
    EXPECT_EQ(CodeOf([&] { CImageFile().ReadInfo(again, info); }), 46024u);
}

// An embedded thumbnail whose header does not read leaves the main picture to be decoded.
TEST(JpegThumbnail, BrokenExifThumbnailFallsBackToThePicture) {
    test::ExifBuilder exif(true);
    exif.SetThumbnail({0xFF, 0xD8, 0xFF, 0xD9});
    const auto bytes = test::WithSegmentAfterSoi(test::MakeFlatJpeg(400, 300, kRed), exif.App1());
    CMemoryStream named(bytes.data(), static_cast<uint32_t>(bytes.size()), "photo.jpg");
    CDibImage thumb;
    CImageFile().ReadThumbnail(named, thumb, 96, 72);
    ASSERT_EQ(thumb.Width(), 96);
    ExpectNear(thumb.Row(10) + 30, kRed, 10, "main picture");
}

}  // namespace
}  // namespace xelo
