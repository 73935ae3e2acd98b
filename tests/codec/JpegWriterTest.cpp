#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "codec/CodecTestUtil.h"
#include "codec/JpegTestImages.h"

namespace xelo {
namespace {

using test::Bgr;

// A smooth gradient: JPEG keeps it within a few levels.
Bgr Gradient(int x, int y) {
    return Bgr{static_cast<uint8_t>(x * 2), static_cast<uint8_t>(y * 2),
               static_cast<uint8_t>(255 - x - y)};
}

struct Decoded {
    ImageInfo info;
    CImageFrames frames;
    const CDibImage& Image() const { return frames.frames.at(0)->image; }
};

std::unique_ptr<Decoded> ReadBack(const std::string& path) {
    auto d = std::make_unique<Decoded>();
    CImageFile file;
    file.ReadInfo(path, d->info);
    file.LoadFrames(path, d->frames);
    return d;
}

// The decoded pixel (x, y) is `want` within `tolerance` on each channel.
void ExpectClose(const CDibImage& image, int x, int y, Bgr want, int tolerance) {
    const auto rgb = test::RgbAt(image, x, y);
    EXPECT_NEAR(rgb[0], want.red, tolerance) << x << "," << y;
    EXPECT_NEAR(rgb[1], want.green, tolerance) << x << "," << y;
    EXPECT_NEAR(rgb[2], want.blue, tolerance) << x << "," << y;
}

// Written pixels come back within the JPEG tolerance, in the right place and colour order, with
// the size and density we wrote.
TEST(JpegWriter, TrueColourRoundTrip) {
    CDibImage image;
    image.Create(101, 67, 3, false);
    test::Fill(image, Gradient);
    test::TempDir dir;
    JpegWriterSettings settings;
    settings.quality = 95;
    settings.xDpi = 300;
    settings.yDpi = 150;
    WriteJpeg(settings, dir.File("out.jpg"), image, 100);
    const auto back = ReadBack(dir.File("out.jpg"));
    EXPECT_EQ(back->info.width, 101);
    EXPECT_EQ(back->info.height, 67);
    EXPECT_EQ(back->info.xResolution, 300);
    EXPECT_EQ(back->info.yResolution, 150);
    EXPECT_FALSE(back->info.grey);
    for (int y = 0; y < 67; y += 11) {
        for (int x = 0; x < 101; x += 10)
            ExpectClose(back->Image(), x, y, Gradient(x, y), 6);
    }
}

// Scaling, bottom-up sources, palette and grey sources, each read back.
TEST(JpegWriter, SourcesAndScaling) {
    LogPalette palette;
    palette.count = 2;
    palette.entries[0] = PaletteEntry{255, 0, 0, 0};  // red
    palette.entries[1] = PaletteEntry{0, 0, 255, 0};  // blue
    // 40 × 30 pixels of one byte: index 0 in the top half, 1 in the bottom half.
    std::vector<uint8_t> halves(40 * 30);
    for (int y = 15; y < 30; ++y)
        std::fill_n(halves.begin() + y * 40, 40, uint8_t{1});
    std::vector<uint8_t> greys(40 * 30);
    for (int y = 0; y < 30; ++y)
        std::fill_n(greys.begin() + y * 40, 40, static_cast<uint8_t>(y * 8));

    struct Case {
        const char* label;
        JpegSource source;
        int percent;
        int width, height;
        bool grey;
        Bgr top, bottom;  // expected colours at the top and bottom rows
    };
    const JpegSource palette1{halves.data(), 40, 0, 30, 1, &palette, false, false};
    JpegSource bottomUp = palette1;
    bottomUp.bottomUp = true;
    const JpegSource grey{greys.data(), 40, 0, 30, 1, nullptr, false, false};
    const Bgr red{0, 0, 255}, blue{255, 0, 0};
    const Case cases[] = {{"palette", palette1, 100, 40, 30, false, red, blue},
                          {"palette bottom-up", bottomUp, 100, 40, 30, false, blue, red},
                          {"grey", grey, 100, 40, 30, true, {0, 0, 0}, {232, 232, 232}},
                          {"half size", palette1, 50, 20, 15, false, red, blue},
                          {"enlarged", palette1, 250, 100, 75, false, red, blue}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        test::TempDir dir;
        WriteJpeg(JpegWriterSettings{}, dir.File("out.jpg"), c.source, c.percent);
        const auto back = ReadBack(dir.File("out.jpg"));
        ASSERT_EQ(back->info.width, c.width);
        ASSERT_EQ(back->info.height, c.height);
        EXPECT_EQ(back->info.grey, c.grey);
        ExpectClose(back->Image(), c.width / 2, 0, c.top, 24);
        ExpectClose(back->Image(), c.width / 2, c.height - 1, c.bottom, 24);
    }
}

// Nothing is written for bad arguments, and a file already there stays as it was.
TEST(JpegWriter, RefusedWritesLeaveNoFile) {
    CDibImage image;
    image.Create(10, 10, 3, false);
    test::TempDir dir;
    test::WriteBytes(dir.File("keep.jpg"), {1, 2, 3});
    auto code = [&](const std::string& path, int percent) {
        return test::ErrorOf([&] { WriteJpeg(JpegWriterSettings{}, path, image, percent); });
    };
    EXPECT_EQ(code(dir.File("keep.jpg"), 0), 46002u);
    EXPECT_EQ(code(dir.File("keep.jpg"), 5), 46002u);  // 10 × 5 % is nothing
    EXPECT_EQ(test::ReadBytes(dir.File("keep.jpg")), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_NE(code(dir.File("missing/out.jpg"), 100), 0u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

}  // namespace
}  // namespace xelo
