#include "codec/BmpWriter.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>

#include "CodecTestUtil.h"
#include "support/TempDir.h"
#include "support/TestData.h"

namespace xelo {
namespace {

using test::ErrorOf;

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
            for (int i = 0; i < 256; ++i)
                image.Palette()->entries[i] = {static_cast<uint8_t>(i),
                                               static_cast<uint8_t>(255 - i),
                                               static_cast<uint8_t>(i * 3), 0};
            for (int y = 0; y < 7; ++y)
                for (int x = 0; x < 13; ++x)
                    image.Row(y)[x] %= c.colours;
        }
        const std::string path = dir.File("out" + std::to_string(c.fileBits) + ".bmp");
        WriteBmp(path, image, 100, Resolution{150, 300});
        const auto bytes = test::ReadBytes(path);
        EXPECT_EQ(bytes[28], c.fileBits);
        CImageFrames frames;
        CImageFile().LoadFrames(path, frames);
        ExpectSamePixels(frames.frames.at(0)->image, image);
        ImageInfo info;
        CImageFile().ReadInfo(path, info);
        EXPECT_EQ(info.xResolution, 150);
        EXPECT_EQ(info.yResolution, 300);
    }
}

// A write that fails half-way (here: the file size limit) leaves the old file as it was and no
// temporary file behind; bad arguments write nothing.
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

    // Bad sizes and places write nothing.
    const auto write = [&](const std::string& name, const CDibImage& picture, int percent) {
        return ErrorOf([&] { WriteBmp(dir.File(name), picture, percent, Resolution{}); });
    };
    image.Create(2, 2, 3, false);
    EXPECT_EQ(write("a.bmp", image, 0), kErrInvalidParameter);
    EXPECT_EQ(write("a.bmp", image, 10), kErrInvalidParameter);
    EXPECT_EQ(write("no/such/folder.bmp", image, 100), kErrFileNotFound);
    EXPECT_EQ(write("e.bmp", CDibImage(), 100), kErrInvalidParameter);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

}  // namespace
}  // namespace xelo
