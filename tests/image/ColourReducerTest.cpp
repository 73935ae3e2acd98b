// The colour reducer: palette choice, key colour, mapping and error diffusion.
#include "image/ColourReducer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <tuple>
#include <vector>

#include "codec/ImageFile.h"
#include "image/DisplayReduction.h"
#include "image/FixedPalette.h"
#include "support/TempDir.h"
#include "support/TestData.h"

namespace xelo {
namespace {

// A 3-byte picture with rows padded like the views' buffers.
struct Picture {
    Picture(int w, int h) : width(w), height(h), bits(static_cast<size_t>(w + 1) * h * 3) {}
    BgrBuffer Buffer() { return BgrBuffer{bits.data(), width, height, 1}; }
    void Set(int x, int y, uint8_t r, uint8_t g, uint8_t b) {
        uint8_t* p = Buffer().Pixel(x, y);
        p[0] = b, p[1] = g, p[2] = r;
    }
    std::tuple<int, int, int> At(int x, int y) {
        const uint8_t* p = Buffer().Pixel(x, y);
        return {p[2], p[1], p[0]};
    }
    int width, height;
    std::vector<uint8_t> bits;
};

struct Result {
    LogPalette palette;
    std::vector<uint8_t> indices;  // width × height
    int32_t transparent = -1;
};

Result Reduce(Picture& pic, ColourReduction options, int32_t transparentIn = -1) {
    Result r;
    r.indices.assign(static_cast<size_t>(pic.width) * pic.height, 0xEE);
    r.transparent = transparentIn;
    EXPECT_TRUE(ReduceColours(Rect{0, 0, pic.width, pic.height}, pic.Buffer(), r.indices.data(), 0,
                              1, options, &r.palette, r.transparent));
    return r;
}

std::tuple<int, int, int> Rgb(const PaletteEntry& e) { return {e.red, e.green, e.blue}; }
std::tuple<int, int, int> Entry(const Result& r, int i) { return Rgb(r.palette.entries[i]); }

// The key colour gets the last entry and its pixels; a computed colour equal to the key moves one
// green step.
TEST(ColourReducer, KeyColourGetsTheLastEntry) {
    Picture pic(64, 16);
    const uint32_t key = MakeColour(255, 0, 255);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x)
            pic.Set(x, y, static_cast<uint8_t>(x * 4), static_cast<uint8_t>(y * 16), 90);
    pic.Set(3, 3, 255, 0, 255);
    pic.Set(40, 9, 255, 0, 255);
    const Result res = Reduce(pic, ColourReduction{16, true, nullptr, key});
    ASSERT_EQ(res.palette.count, 16);  // 15 computed + the key
    EXPECT_EQ(res.transparent, 15);
    EXPECT_EQ(Entry(res, 15), std::make_tuple(255, 0, 255));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool isKey = (x == 3 && y == 3) || (x == 40 && y == 9);
            EXPECT_EQ(res.indices[y * 64 + x] == 15, isKey) << x << "," << y;
        }
    // Four pixels whose weighted mean is (100, 200, 50); one colour is wanted besides the key.
    Picture four(4, 1);
    four.Set(0, 0, 100, 198, 44);
    four.Set(1, 0, 100, 202, 52);
    four.Set(2, 0, 100, 198, 52);
    four.Set(3, 0, 100, 202, 52);
    const Result near = Reduce(four, ColourReduction{2, false, nullptr, MakeColour(100, 200, 50)});
    ASSERT_EQ(near.palette.count, 2);
    EXPECT_EQ(Entry(near, 0), std::make_tuple(100, 199, 50));
    EXPECT_EQ(Entry(near, 1), std::make_tuple(100, 200, 50));
    EXPECT_EQ(near.transparent, 1);
}

TEST(ColourReducer, FixedPaletteKeepsItsEntriesAndPlacesTheKey) {
    LogPalette fixed;
    fixed.count = 4;
    fixed.entries[1] = {255, 0, 0, 0};
    fixed.entries[2] = {0, 0, 255, 0};
    fixed.entries[3] = {255, 255, 255, 0};
    Picture pic(4, 1);
    pic.Set(0, 0, 250, 10, 0);
    pic.Set(1, 0, 0, 0, 240);
    pic.Set(2, 0, 9, 9, 9);
    pic.Set(3, 0, 0, 255, 0);  // the key
    struct Case {
        const char* rule;
        uint32_t key;
        int32_t transparentIn;
        int32_t transparentOut;
    };
    for (const Case& c : {Case{"key absent: replaces the last entry", MakeColour(0, 255, 0), -1, 3},
                          Case{"caller's index", MakeColour(0, 255, 0), 0, 0}}) {
        const Result res = Reduce(pic, ColourReduction{256, false, &fixed, c.key}, c.transparentIn);
        EXPECT_EQ(res.palette.count, 4) << c.rule;
        EXPECT_EQ(res.transparent, c.transparentOut) << c.rule;
        EXPECT_EQ(Entry(res, c.transparentOut), std::make_tuple(0, 255, 0)) << c.rule;
        EXPECT_EQ(res.indices[3], c.transparentOut) << c.rule;
        EXPECT_EQ(res.indices[0], 1) << c.rule;
        EXPECT_EQ(res.indices[1], 2) << c.rule;
    }
    // A key that stands in the palette keeps its place and the palette is unchanged.
    const Result res = Reduce(pic, ColourReduction{256, false, &fixed, MakeColour(0, 0, 255)});
    EXPECT_EQ(res.transparent, 2);
    EXPECT_EQ(Entry(res, 3), std::make_tuple(255, 255, 255));
}

// The reducer follows the IJG two-pass quantiser, so libjpeg's own djpeg, asked for the same
// number of colours with the same dithering, must choose the same palette in the same order and
// the same index for every pixel of the same decoded picture.
TEST(ColourReducer, MatchesTheIjgQuantiserOfDjpeg) {
    XELO_REQUIRE_SHARED_TESTDATA();
    const char* djpeg = "/usr/bin/djpeg";
    if (!std::filesystem::exists(djpeg)) GTEST_SKIP() << "djpeg (libjpeg-turbo-progs) missing";
    test::TempDir dir;
    struct Case {
        const char* jpeg;
        int colours;
        bool dither;
    };
    for (const Case& c :
         {Case{"peacock.default.jpeg", 256, true}, Case{"peacock.default.jpeg", 256, false},
          Case{"bricks-color.jpeg", 16, true}, Case{"hat.jpeg", 37, false}}) {
        SCOPED_TRACE(std::string(c.jpeg) + " " + std::to_string(c.colours) +
                     (c.dither ? " dithered" : " plain"));
        const std::string jpeg = test::SharedFile(std::string("jpeg-exif/wuffs/") + c.jpeg);
        const auto decode = [&](const std::string& options, const std::string& out) {
            ASSERT_EQ(std::system((std::string(djpeg) + " -bmp " + options + " -outfile " + out +
                                   " " + jpeg)
                                      .c_str()),
                      0);
        };
        const std::string rgbPath = dir.File("rgb.bmp"), quantPath = dir.File("quant.bmp");
        decode("", rgbPath);
        decode("-colors " + std::to_string(c.colours) + (c.dither ? "" : " -dither none"),
               quantPath);
        CImageFrames rgb, quant;
        CImageFile().LoadFrames(rgbPath, rgb);
        CImageFile().LoadFrames(quantPath, quant);
        CDibImage& picture = rgb.frames.at(0)->image;
        const CDibImage& theirs = quant.frames.at(0)->image;
        ASSERT_EQ(picture.BytesPerPixel(), 3);
        ASSERT_EQ(theirs.BytesPerPixel(), 1);

        LogPalette palette;
        std::vector<uint8_t> ours(static_cast<size_t>(picture.Width()) * picture.Height());
        int32_t transparent = -1;
        ASSERT_TRUE(ReduceColours(
            Rect{0, 0, picture.Width(), picture.Height()},
            BgrBuffer{picture.Bits(), picture.Width(), picture.Height(), picture.RowPad()},
            ours.data(), 0, 1, ColourReduction{c.colours, c.dither, nullptr, kNoColour}, &palette,
            transparent));
        ASSERT_LE(palette.count, theirs.Palette()->count);
        for (int i = 0; i < palette.count; ++i)
            EXPECT_EQ(Rgb(palette.entries[i]), Rgb(theirs.Palette()->entries[i])) << "entry " << i;
        int different = 0;
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x)
                different += ours[static_cast<size_t>(y) * picture.Width() + x] != theirs.Row(y)[x];
        EXPECT_EQ(different, 0);
    }
}

TEST(DisplayReduction, EightBitModeLeavesOnlyFixedPaletteColoursAndTheKey) {
    Picture pic(40, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            pic.Set(x, y, static_cast<uint8_t>(x * 6), static_cast<uint8_t>(y * 12), 77);
    pic.Set(7, 7, 1, 2, 3);
    ReduceForDisplay(Rect{0, 0, 40, 20}, pic.Buffer(), kDisplay8Bit, MakeColour(1, 2, 3), true,
                     ScreenCaps{});
    std::set<std::tuple<int, int, int>> fixed;
    const LogPalette& palette = FixedPalette();
    for (int i = 0; i < palette.count; ++i)
        fixed.insert(Rgb(palette.entries[i]));
    int outside = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            outside += !fixed.count(pic.At(x, y)) && !(x == 7 && y == 7);
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(pic.At(7, 7), std::make_tuple(1, 2, 3));
}

}  // namespace
}  // namespace xelo
