// The public BMP test files: good ones decode to their reference renderings, questionable ones
// decode or fail cleanly, bad ones fail cleanly or decode to a bounded picture.
#include <gtest/gtest.h>

#include <map>

#include "CodecTestUtil.h"
#include "support/PngReference.h"
#include "support/TestData.h"

namespace xelo {
namespace {

namespace fs = std::filesystem;

// Each good file and its reference rendering. 16-bit files keep only the top 5 bits of each
// channel (6 of green in 5-6-5, of which the top 5 are kept): their references are compared with
// the low 3 bits cleared.
const char* const kGoodFiles[] = {
    "pal1.bmp",      "pal1.png",      "pal1bg.bmp",        "pal1bg.png",
    "pal1wb.bmp",    "pal1.png",      "pal4.bmp",          "pal4.png",
    "pal4gs.bmp",    "pal4gs.png",    "pal4rle.bmp",       "pal4.png",
    "pal8.bmp",      "pal8.png",      "pal8-0.bmp",        "pal8.png",
    "pal8gs.bmp",    "pal8gs.png",    "pal8os2.bmp",       "pal8.png",
    "pal8rle.bmp",   "pal8.png",      "pal8topdown.bmp",   "pal8.png",
    "pal8v4.bmp",    "pal8.png",      "pal8v5.bmp",        "pal8.png",
    "pal8w124.bmp",  "pal8w124.png",  "pal8w125.bmp",      "pal8w125.png",
    "pal8w126.bmp",  "pal8w126.png",  "pal8nonsquare.bmp", "pal8nonsquare-e.png",
    "rgb16.bmp",     "rgb16.png",     "rgb16bfdef.bmp",    "rgb16.png",
    "rgb16-565.bmp", "rgb16-565.png", "rgb16-565pal.bmp",  "rgb16-565.png",
    "rgb24.bmp",     "rgb24.png",     "rgb24pal.bmp",      "rgb24.png",
    "rgb32.bmp",     "rgb24.png",     "rgb32bfdef.bmp",    "rgb24.png",
    "rgb32bf.bmp",   "rgb24.png"};

void ExpectMatchesReference(const fs::path& file, const fs::path& png, bool fiveBit) {
    CImageFrames frames;
    CImageFile decoder;
    ASSERT_NO_THROW(decoder.LoadFrames(file.string(), frames)) << file;
    ASSERT_EQ(frames.frames.size(), 1u);
    const CDibImage& image = frames.frames[0]->image;
    test::RgbaImage ref;
    ASSERT_TRUE(test::ReadPng(png, ref)) << png;
    ASSERT_EQ(image.Width(), ref.width) << file;
    ASSERT_EQ(image.Height(), ref.height) << file;
    const uint8_t mask = fiveBit ? 0xF8 : 0xFF;
    int mismatches = 0;
    for (int y = 0; y < ref.height; ++y) {
        for (int x = 0; x < ref.width; ++x) {
            const auto rgb = test::RgbAt(image, x, y);
            const uint8_t* r = ref.At(x, y);
            for (int c = 0; c < 3; ++c) {
                if (rgb[c] != (r[c] & mask) && ++mismatches <= 3) {
                    ADD_FAILURE() << file.filename() << " at " << x << "," << y << " channel " << c
                                  << ": " << int(rgb[c]) << " vs " << int(r[c] & mask);
                }
            }
        }
    }
    EXPECT_EQ(mismatches, 0) << file;
}

TEST(BmpSuite, GoodFilesMatchTheirReferences) {
    XELO_REQUIRE_SHARED_TESTDATA();
    const fs::path folder = test::SharedFile("bmp/bmpsuite/g");
    std::map<std::string, std::string> references;
    for (size_t i = 0; i < std::size(kGoodFiles); i += 2)
        references[kGoodFiles[i]] = kGoodFiles[i + 1];
    const auto files = test::FilesIn(folder, {"bmp"});
    ASSERT_EQ(files.size(), references.size());
    for (const fs::path& file : files) {
        const auto it = references.find(file.filename().string());
        ASSERT_NE(it, references.end()) << file;
        ExpectMatchesReference(file, test::SharedFile("bmp/bmpsuite/html/" + it->second),
                               it->first.rfind("rgb16", 0) == 0);
    }
}

TEST(BmpSuite, RealWorldFilesMatchTheirPngs) {
    XELO_REQUIRE_SHARED_TESTDATA();
    for (const fs::path& file : test::FilesIn(test::SharedFile("bmp/wuffs"), {"bmp"})) {
        fs::path png = file;
        png.replace_extension(".png");
        if (!fs::exists(png)) png = file.parent_path() / (file.stem().string() + ".regular.png");
        ExpectMatchesReference(file, png, false);
    }
}

}  // namespace
}  // namespace xelo
