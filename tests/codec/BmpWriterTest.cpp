#include "codec/BmpWriter.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>

#include "CodecTestUtil.h"
#include "support/TempDir.h"
#include "support/TestData.h"

namespace xelo {
namespace {

using test::ErrorOf;

uint32_t Le32At(const std::vector<uint8_t>& b, size_t offset) {
    return uint32_t{b[offset]} | (uint32_t{b[offset + 1]} << 8) | (uint32_t{b[offset + 2]} << 16) |
           (uint32_t{b[offset + 3]} << 24);
}

void FillPattern(CDibImage& image) {
    for (int y = 0; y < image.Height(); ++y) {
        for (size_t i = 0; i < static_cast<size_t>(image.Width()) * image.BytesPerPixel(); ++i) {
            image.Row(y)[i] = static_cast<uint8_t>(y * 31 + i * 7);
        }
    }
}

void ExpectSamePixels(const CDibImage& a, const CDibImage& b) {
    ASSERT_EQ(a.Width(), b.Width());
    ASSERT_EQ(a.Height(), b.Height());
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x)
            ASSERT_EQ(test::RgbAt(a, x, y), test::RgbAt(b, x, y)) << x << "," << y;
    }
}

CDibImage& ReadBack(const std::string& path, CImageFrames& frames) {
    CImageFile().LoadFrames(path, frames);
    return frames.frames.at(0)->image;
}

// What we write, our reader reads back pixel for pixel.
TEST(BmpWriter, RoundTripsEveryOutputDepth) {
    test::TempDir dir;
    struct Case {
        int bpp, colours, fileBits;
    };
    for (const Case c : {Case{3, 0, 24}, Case{1, 256, 8}, Case{1, 16, 4}, Case{1, 2, 1}}) {
        CDibImage image;
        image.Create(13, 7, c.bpp, false);
        FillPattern(image);
        if (c.bpp == 1) {
            image.Palette()->count = static_cast<uint16_t>(c.colours);
            for (int i = 0; i < 256; ++i) {
                image.Palette()->entries[i] = {static_cast<uint8_t>(i),
                                               static_cast<uint8_t>(255 - i),
                                               static_cast<uint8_t>(i * 3), 0};
            }
            for (int y = 0; y < 7; ++y) {
                for (int x = 0; x < 13; ++x)
                    image.Row(y)[x] %= c.colours;
            }
        }
        const std::string path = dir.File("out" + std::to_string(c.fileBits) + ".bmp");
        WriteBmp(path, image, 100, Resolution{150, 300});
        const auto bytes = test::ReadBytes(path);
        EXPECT_EQ(bytes[28], c.fileBits);
        CImageFrames frames;
        ExpectSamePixels(ReadBack(path, frames), image);
        ImageInfo info;
        CImageFile().ReadInfo(path, info);
        EXPECT_EQ(info.xResolution, 150);
        EXPECT_EQ(info.yResolution, 300);
    }
}

TEST(BmpWriter, FourEntryPaletteWritesFourBitsWithSixteenEntries) {
    test::TempDir dir;
    CDibImage image;
    image.Create(3, 1, 1, false);
    image.Palette()->count = 4;
    for (int i = 0; i < 256; ++i)
        image.Palette()->entries[i] = {9, 9, 9, 0};  // beyond the count
    image.Palette()->entries[3] = {1, 2, 3, 0};
    WriteBmp(dir.File("p.bmp"), image, 100, Resolution{});
    const auto b = test::ReadBytes(dir.File("p.bmp"));
    EXPECT_EQ(b[28], 4);                  // biBitCount
    EXPECT_EQ(Le32At(b, 10), 54u + 64u);  // bfOffBits after 16 entries
    EXPECT_EQ(b[54 + 3 * 4 + 0], 3);      // entry 3: blue, green, red
    EXPECT_EQ(b[54 + 3 * 4 + 2], 1);
    for (int i = 4; i < 16; ++i)
        EXPECT_EQ(Le32At(b, 54 + 4 * i), 0u) << i;
    EXPECT_EQ(Le32At(b, 2), b.size());  // bfSize
}

TEST(BmpWriter, PercentScalesByTruncation) {
    test::TempDir dir;
    CDibImage image;
    image.Create(101, 101, 3, false);
    FillPattern(image);
    WriteBmp(dir.File("half.bmp"), image, 50, Resolution{});
    CImageFrames frames;
    const CDibImage& half = ReadBack(dir.File("half.bmp"), frames);
    EXPECT_EQ(half.Width(), 50);
    EXPECT_EQ(half.Height(), 50);
    // Output pixel (x, y) takes source pixel (x * 101 / 50, y * 101 / 50).
    EXPECT_EQ(test::RgbAt(half, 7, 9), test::RgbAt(image, 14, 18));
    WriteBmp(dir.File("same.bmp"), image, 100, Resolution{});
    CImageFrames same;
    EXPECT_EQ(ReadBack(dir.File("same.bmp"), same).Width(), 101);
}

TEST(BmpWriter, RgbSourcesAndBottomUpSources) {
    test::TempDir dir;
    const uint8_t rows[2][4 * 3] = {{10, 20, 30}, {40, 50, 60}};  // two rows of one pixel, padded
    BmpSource source;
    source.bits = &rows[0][0];
    source.width = 1;
    source.rowPad = 3;
    source.height = 2;
    source.bottomUp =
        true;  // the first row in memory is the bottom one; bytes are red, green, blue
    WriteBmp(dir.File("s.bmp"), source, 100, Resolution{});
    CImageFrames frames;
    const CDibImage& image = ReadBack(dir.File("s.bmp"), frames);
    EXPECT_EQ(test::RgbAt(image, 0, 1), (std::array<uint8_t, 3>{10, 20, 30}));
    EXPECT_EQ(test::RgbAt(image, 0, 0), (std::array<uint8_t, 3>{40, 50, 60}));
}

// An independent decoder reads our files the same way.
TEST(BmpWriter, PillowReadsWhatWeWrite) {
    if (std::system("/usr/bin/python3 -c 'import PIL' >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "Python with Pillow (python3-pil) is not installed";
    }
    test::TempDir dir;
    CDibImage image;
    image.Create(5, 3, 3, false);
    FillPattern(image);
    WriteBmp(dir.File("p.bmp"), image, 100, Resolution{});
    const std::string command = "/usr/bin/python3 -c \"from PIL import Image; im = Image.open('" +
                                dir.File("p.bmp") + "').convert('RGB'); open('" +
                                dir.File("p.rgb") + "', 'wb').write(im.tobytes())\"";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const auto rgb = test::ReadBytes(dir.File("p.rgb"));
    ASSERT_EQ(rgb.size(), 5u * 3 * 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            const auto expected = test::RgbAt(image, x, y);
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(rgb[(y * 5 + x) * 3 + c], expected[c]);
        }
    }
}

// A write that fails half-way (here: the file size limit) leaves the old file as it was and no
// temporary file behind.
TEST(BmpWriter, FailedWriteKeepsTheOldFile) {
    test::TempDir dir;
    const std::string path = dir.File("keep.bmp");
    test::WriteBytes(path, {'o', 'l', 'd'});
    CDibImage image;
    image.Create(400, 400, 3, false);
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 100000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const uint32_t code = ErrorOf([&] { WriteBmp(path, image, 100, Resolution{}); });
    ::setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(code, kErrDiskFull);
    EXPECT_EQ(test::ReadBytes(path), (std::vector<uint8_t>{'o', 'l', 'd'}));
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Path()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST(BmpWriter, BadArgumentsAndUnwritablePlaces) {
    test::TempDir dir;
    CDibImage image;
    image.Create(2, 2, 3, false);
    EXPECT_EQ(ErrorOf([&] { WriteBmp(dir.File("a.bmp"), image, 0, Resolution{}); }),
              kErrInvalidParameter);
    EXPECT_EQ(ErrorOf([&] { WriteBmp(dir.File("a.bmp"), image, 10, Resolution{}); }),
              kErrInvalidParameter);
    EXPECT_EQ(ErrorOf([&] { WriteBmp(dir.File("no/such/folder.bmp"), image, 100, Resolution{}); }),
              kErrFileNotFound);
    CDibImage empty;
    EXPECT_EQ(ErrorOf([&] { WriteBmp(dir.File("e.bmp"), empty, 100, Resolution{}); }),
              kErrInvalidParameter);
    EXPECT_FALSE(std::filesystem::exists(dir.File("a.bmp")));
}

}  // namespace
}  // namespace xelo
