// The GIF reader on hand-built files (one rule per test) and on the public test images.
#include "codec/GifCodec.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "codec/GifBytes.h"
#include "codec/ImageFile.h"
#include "codec/CodecTestUtil.h"
#include "support/TestData.h"

namespace xelo {
namespace {

using test::GifBytes;

struct Decoded {
    ImageInfo info;
    CImageFrames frames;
};

std::unique_ptr<Decoded> Decode(const std::vector<uint8_t>& bytes) {
    CMemoryStream stream(bytes.data(), static_cast<uint32_t>(bytes.size()));
    auto d = std::make_unique<Decoded>();
    CGifCodec codec;
    codec.ReadInfo(stream, d->info);
    codec.LoadFrames(stream, d->frames);
    return d;
}

uint32_t ErrorOf(const std::vector<uint8_t>& bytes) {
    return test::ErrorOf([&] { Decode(bytes); });
}

// Row-major indices of a frame image (without the row padding).
std::vector<uint8_t> Indices(const CDibImage& image) {
    std::vector<uint8_t> out;
    for (int y = 0; y < image.Height(); ++y)
        out.insert(out.end(), image.Row(y), image.Row(y) + image.Width());
    return out;
}

TEST(GifCodec, FrameFactsComeFromTheControlBlockOrDefaults) {
    // Frame 0 has no control block; frame 1 has disposal 2, delay 7, user input, transparent 5.
    const auto gif = GifBytes(4, 2, 8)
                         .Descriptor(0, 0, 4, 2)
                         .Literals(3, {0, 1, 2, 3, 4, 5, 6, 7})
                         .Control(2, 7, 5, true)
                         .Descriptor(1, 1, 3, 1, true)
                         .Literals(3, {5, 6, 5})
                         .Trailer()
                         .Bytes();
    const auto d = Decode(gif);
    ASSERT_EQ(d->frames.frames.size(), 2u);
    const CImageFrame& f0 = *d->frames.frames[0];
    EXPECT_EQ(std::make_tuple(f0.delay, f0.disposal, f0.image.Transparent()),
              std::make_tuple(100, 0, kNoColour));
    const CImageFrame& f1 = *d->frames.frames[1];
    EXPECT_EQ(std::make_tuple(f1.delay, f1.disposal, f1.userInput, f1.interlaced),
              std::make_tuple(7, 2, 1, 1));
    EXPECT_EQ(f1.frameRect, (Rect{1, 1, 4, 2}));
    EXPECT_EQ(f1.image.Transparent(), 5u);
    EXPECT_EQ(Indices(f1.image), (std::vector<uint8_t>{5, 6, 5})) << "the key index is kept";
}

TEST(GifCodec, InterlacedRowsArriveInPassOrder) {
    // Row r of a 1 × 16 interlaced image is the r-th row in file order: 0, 8, 4, 12, 2, 6, …
    const std::vector<int> order = {0, 8, 4, 12, 2, 6, 10, 14, 1, 3, 5, 7, 9, 11, 13, 15};
    std::vector<uint8_t> stored;
    for (int r : order)
        stored.push_back(static_cast<uint8_t>(r));
    const auto gif =
        GifBytes(1, 16, 16).Descriptor(0, 0, 1, 16, true).Literals(4, stored).Trailer().Bytes();
    std::vector<uint8_t> expected(16);
    for (int r = 0; r < 16; ++r)
        expected[r] = static_cast<uint8_t>(r);
    EXPECT_EQ(Indices(Decode(gif)->frames.frames[0]->image), expected);
}

TEST(GifCodec, CodeOfTheEntryBeingDefinedRepeatsThePreviousString) {
    // clear, 1, then 6 (the entry about to be defined: "1" + "1"), end.
    const auto good =
        GifBytes(3, 1).Descriptor(0, 0, 3, 1).Codes(2, {4, 1, 6, 5}).Trailer().Bytes();
    EXPECT_EQ(Indices(Decode(good)->frames.frames[0]->image), (std::vector<uint8_t>{1, 1, 1}));
}

TEST(GifCodec, FileStructureRules) {
    struct Case {
        const char* rule;
        std::vector<uint8_t> bytes;
        uint32_t error;
    };
    const auto image = [](GifBytes g) { return g.Descriptor(0, 0, 2, 1).Literals(2, {1, 2}); };
    std::vector<uint8_t> wrongVersion = image(GifBytes(2, 1)).Trailer().Bytes();
    wrongVersion[4] = '8';  // "GIF88a"
    std::vector<uint8_t> cut = image(GifBytes(2, 1)).Trailer().Bytes();
    cut.resize(cut.size() - 4);  // inside the image data
    const std::vector<Case> cases = {
        {"garbage after the last image is ignored",
         image(GifBytes(2, 1)).Raw({0x99, 0x01, 0x02}).Bytes(), 0},
        {"no trailer at all", image(GifBytes(2, 1)).Bytes(), 0},
        {"an unknown block before the first image", image(GifBytes(2, 1).Raw({0x99})).Bytes(),
         kErrFormatInvalid},
        {"no image", GifBytes(2, 1).Raw({0x21, 0xFE, 1, 'x', 0}).Trailer().Bytes(),
         kErrFormatInvalid},
        {"a code beyond the entry being defined",
         GifBytes(3, 1).Descriptor(0, 0, 3, 1).Codes(2, {4, 1, 7, 5}).Trailer().Bytes(),
         kErrFormatInvalid},
        {"a table code right after a clear",
         GifBytes(3, 1).Descriptor(0, 0, 3, 1).Codes(2, {4, 6, 5}).Trailer().Bytes(),
         kErrFormatInvalid},
        {"GIF8 but neither version", wrongVersion, kErrFormatInvalid},
        {"data cut off by the end of the file", cut, kErrEndOfFile},
        {"minimum code size 12",
         GifBytes(2, 1).Descriptor(0, 0, 2, 1).Raw({12, 1, 0, 0}).Trailer().Bytes(),
         kErrFormatInvalid},
        {"data ending early leaves the rest of the frame as it is",
         GifBytes(2, 2).Descriptor(0, 0, 2, 2).Codes(2, {4, 1}).Trailer().Bytes(), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorOf(c.bytes), c.error) << c.rule;
}

TEST(GifCodec, LocalTableReplacesTheGlobalOneForItsFrame) {
    const auto gif = GifBytes(2, 1, 4)
                         .Descriptor(0, 0, 2, 1, false, 4)
                         .Literals(2, {1, 2})
                         .Descriptor(0, 0, 2, 1)
                         .Literals(2, {1, 2})
                         .Trailer()
                         .Bytes();
    const auto d = Decode(gif);
    EXPECT_EQ(d->frames.frames[0]->image.Palette()->count, 4);
    using Rgb = std::array<uint8_t, 3>;
    EXPECT_EQ(test::RgbAt(d->frames.frames[0]->image, 0, 0), (Rgb{254, 0, 1}));
    EXPECT_EQ(test::RgbAt(d->frames.frames[1]->image, 0, 0), (Rgb{1, 1, 1}));
    EXPECT_EQ(d->info.palette.count, 4);
}

// --- The public test images -------------------------------------------------------------------

std::unique_ptr<Decoded> DecodeFile(const std::filesystem::path& path) {
    auto d = std::make_unique<Decoded>();
    CImageFile file;
    file.ReadInfo(path.string(), d->info);
    file.LoadFrames(path.string(), d->frames);
    return d;
}

TEST(GifCodecFiles, MuybridgeFramesMatchTheirIndexDumps) {
    XELO_REQUIRE_SHARED_TESTDATA();
    const auto d = DecodeFile(test::SharedFile("gif/wuffs/muybridge.gif"));
    ASSERT_EQ(d->frames.frames.size(), 15u);
    for (int i = 0; i < 15; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "gif/wuffs/muybridge-frame-%03d.indexes", i);
        const CDibImage& image = d->frames.frames[i]->image;
        ASSERT_EQ(image.Width() * image.Height(), 600) << i;
        EXPECT_EQ(Indices(image), test::ReadBytes(test::SharedFile(name))) << name;
    }
}

TEST(GifCodecFiles, StillPicturesMatchTheirRgbDumps) {
    XELO_REQUIRE_SHARED_TESTDATA();
    for (const char* name : {"porsche", "solid2", "treescap", "treescap-interlaced", "gifgrid"}) {
        const std::string base = std::string("gif/giflib/") + name;
        const auto d = DecodeFile(test::SharedFile(base + ".gif"));
        const CDibImage& image = d->frames.frames[0]->image;
        const auto rgb = test::ReadBytes(test::SharedFile(base + ".rgb"));
        ASSERT_EQ(rgb.size(), static_cast<size_t>(image.Width() * image.Height() * 3)) << name;
        int wrong = 0;
        for (int i = 0; i < image.Width() * image.Height(); ++i) {
            const auto ours = test::RgbAt(image, i % image.Width(), i / image.Width());
            wrong += !std::equal(ours.begin(), ours.end(), &rgb[static_cast<size_t>(i) * 3]);
        }
        EXPECT_EQ(wrong, 0) << name;
    }
}

// A scaled decode samples the full decode: destination (x, y) = source (x·W/w, y·H/h).
TEST(GifCodecFiles, ScaledFramesSampleTheFullFrame) {
    XELO_REQUIRE_SHARED_TESTDATA();
    for (const char* name : {"gif/wuffs/hippopotamus.interlaced.gif", "gif/giflib/porsche.gif"}) {
        const auto path = test::SharedFile(name);
        const auto decoded = DecodeFile(path);
        const CDibImage& full = decoded->frames.frames[0]->image;
        for (const Size target : {Size{17, 11}, Size{100, 90}}) {
            CImageFrames frames;
            CImageFile file;
            file.LoadFrames(path.string(), frames, target);
            const CDibImage& scaled = frames.frames[0]->image;
            ASSERT_EQ(scaled.Width(), target.width);
            int wrong = 0;
            for (int y = 0; y < scaled.Height(); ++y) {
                for (int x = 0; x < scaled.Width(); ++x) {
                    const int sx = x * full.Width() / scaled.Width();
                    const int sy = y * full.Height() / scaled.Height();
                    wrong += scaled.Row(y)[x] != full.Row(sy)[sx];
                }
            }
            EXPECT_EQ(wrong, 0) << name << " at " << target.width << "x" << target.height;
        }
    }
}

}  // namespace
}  // namespace xelo
