// The GIF writer: call order, failed saves, and round trips through our reader (itself checked
// against the public files' index and colour dumps).
#include "codec/GifWriter.h"

#include <gtest/gtest.h>

#include <random>

#include "codec/CodecTestUtil.h"
#include "codec/GifCodec.h"
#include "image/ColourReducer.h"
#include "support/TempDir.h"

namespace xelo {
namespace {

using test::ErrorOf;

LogPalette Ramp(int count) {
    LogPalette p;
    p.count = static_cast<uint16_t>(count);
    for (int i = 0; i < count; ++i)
        p.entries[i] = PaletteEntry{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                                    static_cast<uint8_t>(i * 7), 0};
    return p;
}

// A 1-byte image of `palette` filled by `pixel(x, y)`.
template <typename F>
void Fill(CDibImage& image, int w, int h, const LogPalette& palette, F pixel) {
    image.Create(w, h, 1, false);
    *image.Palette() = palette;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.Row(y)[x] = static_cast<uint8_t>(pixel(x, y));
}

struct ReadBack {
    int width = 0, height = 0, transparent = -1;
    std::vector<uint8_t> indices;
    std::vector<uint8_t> rgb;  // the colour table as written
};

std::vector<uint8_t> TableOf(const LogPalette& p) {
    std::vector<uint8_t> rgb;
    for (int i = 0; i < p.count; ++i)
        rgb.insert(rgb.end(), {p.entries[i].red, p.entries[i].green, p.entries[i].blue});
    return rgb;
}

ReadBack ReadWithOurDecoder(const std::string& path) {
    CImageFrames frames;
    CGifCodec().LoadFrames(path, frames);
    const CDibImage& image = frames.frames.at(0)->image;
    ReadBack r{image.Width(), image.Height(),
               image.Transparent() == kNoColour ? -1 : static_cast<int>(image.Transparent()),
               {},
               TableOf(*image.Palette())};
    for (int y = 0; y < image.Height(); ++y)
        r.indices.insert(r.indices.end(), image.Row(y), image.Row(y) + image.Width());
    return r;
}

TEST(GifWriter, MisuseAndFailedSavesLeaveNoFile) {
    test::TempDir dir;
    const LogPalette palette = Ramp(4);
    const uint8_t pixels[4] = {0, 1, 2, 3};
    EXPECT_EQ(ErrorOf([&] { CGifWriter().WriteHeader(2, 2, &palette); }), kErrInternal);
    EXPECT_EQ(ErrorOf([&] { CGifWriter().Open(""); }), kErrInternal);
    // More pixels than the image holds, then one pixel short at Close.
    for (const int rows : {1, 2}) {
        EXPECT_EQ(ErrorOf([&] {
                      CGifWriter w;
                      w.Open(dir.File("d.gif"));
                      w.WriteHeader(2, 2, &palette);
                      w.BeginImage(0, 0, 2, rows, nullptr, false);
                      w.WritePixels(pixels, rows == 1 ? 4 : 3);
                      w.Close();
                  }),
                  kErrInternal);
    }
    // None of the failed files, nor their temporary files, is left behind; nor are failed saves.
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
    CDibImage image;
    Fill(image, 4, 4, Ramp(4), [](int x, int) { return x; });
    CGifWriter writer;
    EXPECT_EQ(ErrorOf([&] { WriteGif(writer, dir.File("small.gif"), image, 10); }),
              kErrInvalidParameter);  // 0 × 0 pixels
    EXPECT_NE(ErrorOf([&] { WriteGif(writer, dir.File("no/such/folder.gif"), image, 100); }), 0u);
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
    // The writer is usable again afterwards.
    WriteGif(writer, dir.File("ok.gif"), image, 100);
    EXPECT_EQ(ReadWithOurDecoder(dir.File("ok.gif")).width, 4);
}

// Our reader sees the indices and palette we wrote, also across many clear codes.
TEST(GifWriter, RoundTrips) {
    struct RoundTrip {
        const char* name;
        int width, height, colours;
        int (*pixel)(int x, int y, std::mt19937& random);
    } const kRoundTrips[] = {
        {"1x1", 1, 1, 2, [](int, int, std::mt19937&) { return 1; }},
        {"two colours, stripes", 37, 11, 2,
         [](int x, int y, std::mt19937&) { return (x / 3 + y) & 1; }},
        {"three colours", 5, 9, 3, [](int x, int y, std::mt19937&) { return (x * y) % 3; }},
        // Random 2-bit pixels fill the 4096-code table many times: clear codes at 4095.
        {"random 2-bit, many clears", 300, 200, 4,
         [](int, int, std::mt19937& r) { return static_cast<int>(r() & 3); }},
        {"random 8-bit", 123, 77, 256,
         [](int, int, std::mt19937& r) { return static_cast<int>(r() & 255); }},
        {"long runs", 640, 40, 16,
         [](int x, int y, std::mt19937&) { return (x / 100 + y / 20) & 15; }},
        {"gradient 256", 256, 64, 256, [](int x, int y, std::mt19937&) { return (x + y) & 255; }},
    };
    test::TempDir dir;
    std::mt19937 random(42);
    for (const RoundTrip& t : kRoundTrips) {
        SCOPED_TRACE(t.name);
        CDibImage image;
        Fill(image, t.width, t.height, Ramp(t.colours),
             [&](int x, int y) { return t.pixel(x, y, random); });
        std::vector<uint8_t> written;
        for (int y = 0; y < t.height; ++y)
            written.insert(written.end(), image.Row(y), image.Row(y) + t.width);
        const std::string path = dir.File("round.gif");
        CGifWriter writer;
        WriteGif(writer, path, image, 100);

        const ReadBack r = ReadWithOurDecoder(path);
        EXPECT_EQ(r.width, t.width);
        EXPECT_EQ(r.indices, written);
        const std::vector<uint8_t> table = TableOf(Ramp(t.colours));
        ASSERT_GE(r.rgb.size(), table.size());
        EXPECT_EQ(std::vector<uint8_t>(r.rgb.begin(), r.rgb.begin() + table.size()), table);
    }
}

TEST(GifWriter, TrueColourSaveIsReducedWithTheKeyAsTransparentIndex) {
    test::TempDir dir;
    CDibImage image;
    image.Create(50, 30, 3, false);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 50; ++x) {
            uint8_t* p = image.Row(y) + x * 3;
            const bool isKey = x == 9 && y == 4;
            p[0] = isKey ? 0 : static_cast<uint8_t>(x * 5);
            p[1] = isKey ? 255 : static_cast<uint8_t>(y * 8);
            p[2] = isKey ? 0 : static_cast<uint8_t>(255 - x * 5);
        }
    image.SetTransparent(MakeColour(0, 255, 0));
    CGifWriter writer;
    writer.maxColours = RoundColourCount(20);
    const std::string path = dir.File("true.gif");
    WriteGif(writer, path, image, 100);
    const ReadBack ours = ReadWithOurDecoder(path);
    ASSERT_EQ(ours.rgb.size(), 32u * 3);  // 20 colours asked: a 32-entry table
    EXPECT_EQ(ours.transparent, 31);
    EXPECT_EQ(std::vector<uint8_t>(ours.rgb.end() - 3, ours.rgb.end()),
              (std::vector<uint8_t>{0, 255, 0}));
    for (int i = 0; i < 50 * 30; ++i)
        EXPECT_EQ(ours.indices[i] == 31, i == 4 * 50 + 9) << i;
}

}  // namespace
}  // namespace xelo
