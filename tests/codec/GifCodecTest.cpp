// The GIF reader on hand-built files (one rule per test) and on the public test images.
#include "codec/GifCodec.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "codec/GifBytes.h"
#include "codec/ImageFile.h"
#include "image/TavoException.h"
#include "support/PngReference.h"
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
    try {
        Decode(bytes);
    } catch (const CTavoException& e) {
        return e.GetCode();
    }
    return 0;
}

// Row-major indices of a frame image (without the row padding).
std::vector<uint8_t> Indices(const CDibImage& image) {
    std::vector<uint8_t> out;
    for (int y = 0; y < image.Height(); ++y)
        out.insert(out.end(), image.Row(y), image.Row(y) + image.Width());
    return out;
}

TEST(GifCodec, NetscapeExtensionIsSkippedAndLoopCountStaysOne) {
    const auto gif =
        GifBytes(2, 1).Netscape(0).Descriptor(0, 0, 2, 1).Literals(2, {1, 2}).Trailer().Bytes();
    const auto d = Decode(gif);
    EXPECT_EQ(d->info.format, kFormatGif);
    EXPECT_EQ(d->info.loopCount, 1);
    EXPECT_EQ(d->info.frameCount, 1);
    EXPECT_EQ(Indices(d->frames.frames[0]->image), (std::vector<uint8_t>{1, 2}));
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
    EXPECT_EQ(f0.delay, 100);
    EXPECT_EQ(f0.disposal, 0);
    EXPECT_EQ(f0.image.Transparent(), kNoColour);
    const CImageFrame& f1 = *d->frames.frames[1];
    EXPECT_EQ(f1.delay, 7);
    EXPECT_EQ(f1.disposal, 2);
    EXPECT_EQ(f1.userInput, 1);
    EXPECT_EQ(f1.interlaced, 1);
    EXPECT_EQ(f1.frameRect, (Rect{1, 1, 4, 2}));
    EXPECT_EQ(f1.image.Transparent(), 5u);
    // The transparent index is stored as it is.
    EXPECT_EQ(Indices(f1.image), (std::vector<uint8_t>{5, 6, 5}));
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

TEST(GifCodec, MinimumCodeSizeZeroUsesTheGlobalTableBits) {
    // Global table of 8 entries: 3 bits, so clear = 8, end = 9 and codes are 4 bits wide.
    auto gif = GifBytes(3, 1, 8).Descriptor(0, 0, 3, 1).Codes(3, {8, 7, 1, 6, 9}).Trailer();
    std::vector<uint8_t> bytes = gif.Bytes();
    // The minimum code size byte follows the 10-byte descriptor after the 13 + 24 header bytes.
    ASSERT_EQ(bytes[13 + 24 + 10], 3);
    bytes[13 + 24 + 10] = 0;
    EXPECT_EQ(Indices(Decode(bytes)->frames.frames[0]->image), (std::vector<uint8_t>{7, 1, 6}));
}

TEST(GifCodec, CodeOfTheEntryBeingDefinedRepeatsThePreviousString) {
    // clear, 1, then 6 (the entry about to be defined: "1" + "1"), end.
    const auto good =
        GifBytes(3, 1).Descriptor(0, 0, 3, 1).Codes(2, {4, 1, 6, 5}).Trailer().Bytes();
    EXPECT_EQ(Indices(Decode(good)->frames.frames[0]->image), (std::vector<uint8_t>{1, 1, 1}));
    // 7 lies beyond that entry.
    const auto bad = GifBytes(3, 1).Descriptor(0, 0, 3, 1).Codes(2, {4, 1, 7, 5}).Trailer().Bytes();
    EXPECT_EQ(ErrorOf(bad), kErrFormatInvalid);
    // A table code right after a clear has no previous string to extend.
    const auto first = GifBytes(3, 1).Descriptor(0, 0, 3, 1).Codes(2, {4, 6, 5}).Trailer().Bytes();
    EXPECT_EQ(ErrorOf(first), kErrFormatInvalid);
}

TEST(GifCodec, LongStringsCarryOverIntoTheNextRow) {
    // clear, 2, 6 ("22"), 7 ("222"), end: six pixels spread over rows of 4.
    const auto gif =
        GifBytes(4, 2).Descriptor(0, 0, 4, 2).Codes(2, {4, 2, 6, 7, 3, 5}).Trailer().Bytes();
    EXPECT_EQ(Indices(Decode(gif)->frames.frames[0]->image),
              (std::vector<uint8_t>{2, 2, 2, 2, 2, 2, 3, 2}));
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
        {"no image", GifBytes(2, 1).Comment("x").Trailer().Bytes(), kErrFormatInvalid},
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

TEST(GifCodec, DataEndingEarlyStopsTheFrame) {
    // Four pixels for a 3 × 3 frame, then the terminator: the second row keeps the first row's
    // bytes after its one new pixel (as after an end code), and the third row is never written.
    const auto gif =
        GifBytes(3, 3, 4).Descriptor(0, 0, 3, 3).Codes(2, {4, 1, 2, 3, 3}).Trailer().Bytes();
    EXPECT_EQ(Indices(Decode(gif)->frames.frames[0]->image),
              (std::vector<uint8_t>{1, 2, 3, 3, 2, 3, 0, 0, 0}));
}

TEST(GifCodec, BackgroundIsTheGlobalEntryOrWhite) {
    const auto withIndex = [](int background) {
        return GifBytes(2, 1, 16, background)
            .Descriptor(0, 0, 2, 1)
            .Literals(4, {1, 2})
            .Trailer()
            .Bytes();
    };
    EXPECT_EQ(Decode(withIndex(200))->info.background, 0x00FFFFFFu);
    EXPECT_EQ(Decode(withIndex(9))->info.background, MakeColour(9, 9, 9));
    const auto noTable =
        GifBytes(2, 1, 0).Descriptor(0, 0, 2, 1).Literals(2, {1, 2}).Trailer().Bytes();
    EXPECT_EQ(Decode(noTable)->info.background, 0x00FFFFFFu);
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
    const LogPalette* local = d->frames.frames[0]->image.Palette();
    EXPECT_EQ(local->count, 4);
    EXPECT_EQ(local->entries[1].red, 254);
    EXPECT_EQ(local->entries[1].blue, 1);
    const LogPalette* global = d->frames.frames[1]->image.Palette();
    EXPECT_EQ(global->entries[1].red, 1);
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

TEST(GifCodecFiles, BricksMatchTheirIndexAndPaletteDumps) {
    XELO_REQUIRE_SHARED_TESTDATA();
    for (const char* name : {"bricks-dither", "bricks-nodither", "bricks-gray"}) {
        const std::string base = std::string("gif/wuffs/") + name;
        const auto d = DecodeFile(test::SharedFile(base + ".gif"));
        const CDibImage& image = d->frames.frames[0]->image;
        EXPECT_EQ(Indices(image), test::ReadBytes(test::SharedFile(base + ".indexes"))) << name;
        const auto palettePath = test::SharedFile(base + ".palette");
        if (!std::filesystem::exists(palettePath)) continue;
        const auto bgra = test::ReadBytes(palettePath);  // 256 × blue, green, red, alpha
        for (int i = 0; i < 256; ++i) {
            const PaletteEntry& e = image.Palette()->entries[i];
            EXPECT_EQ((std::vector<int>{e.blue, e.green, e.red}),
                      (std::vector<int>{bgra[i * 4], bgra[i * 4 + 1], bgra[i * 4 + 2]}))
                << name << " entry " << i;
        }
    }
}

TEST(GifCodecFiles, InterlacedAndSequentialCopiesDecodeAlike) {
    XELO_REQUIRE_SHARED_TESTDATA();
    for (const auto& [a, b] : std::vector<std::pair<std::string, std::string>>{
             {"gif/wuffs/hippopotamus.regular.gif", "gif/wuffs/hippopotamus.interlaced.gif"},
             {"gif/giflib/treescap.gif", "gif/giflib/treescap-interlaced.gif"}}) {
        EXPECT_EQ(Indices(DecodeFile(test::SharedFile(a))->frames.frames[0]->image),
                  Indices(DecodeFile(test::SharedFile(b))->frames.frames[0]->image))
            << b;
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
        for (int y = 0; y < image.Height(); ++y) {
            for (int x = 0; x < image.Width(); ++x) {
                const PaletteEntry& e = image.Palette()->entries[image.Row(y)[x]];
                const uint8_t* want = &rgb[(static_cast<size_t>(y) * image.Width() + x) * 3];
                wrong += e.red != want[0] || e.green != want[1] || e.blue != want[2];
            }
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

// The pygif suite: each case's .conf names its expected frames. For the one-image cases whose
// image covers the screen, the opaque reference pixels must be the palette colours we decode.
std::map<std::string, std::string> ReadConfig(const std::filesystem::path& path) {
    std::map<std::string, std::string> values;
    std::ifstream in(path);
    std::string line, section;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
            continue;
        }
        const auto eq = line.find(" = ");
        if (eq == std::string::npos) {
            if (line.size() > 2 && line.substr(line.size() - 2) == " =")
                values[section + "." + line.substr(0, line.size() - 2)] = "";
            continue;
        }
        values[section + "." + line.substr(0, eq)] = line.substr(eq + 3);
    }
    return values;
}

TEST(GifCodecFiles, PygifStillCasesMatchTheirReferencePixels) {
    XELO_REQUIRE_SHARED_TESTDATA();
    const auto folder = test::SharedFile("gif/pygif");
    int compared = 0;
    for (const auto& confPath : test::FilesIn(folder, {"conf"})) {
        auto conf = ReadConfig(confPath);
        const std::string frames = conf["config.frames"];
        if (frames != "frame0") continue;
        const std::string pixels = conf["frame0.pixels"];
        if (pixels.empty()) continue;
        const auto gifPath = folder / conf["config.input"];
        SCOPED_TRACE(gifPath.filename().string());
        // A screen with a table but no image descriptor: we report no image.
        if (gifPath.filename() == "no-data.gif") continue;
        std::unique_ptr<Decoded> d;
        ASSERT_NO_THROW(d = DecodeFile(gifPath));
        if (d->frames.frames.size() != 1) continue;  // several images make one displayed frame
        const CImageFrame& frame = *d->frames.frames[0];
        if (frame.frameRect != (Rect{0, 0, d->info.width, d->info.height})) continue;
        const auto rgba = test::ReadBytes(folder / pixels);
        ASSERT_EQ(rgba.size(), static_cast<size_t>(d->info.width) * d->info.height * 4);
        const CDibImage& image = frame.image;
        int wrong = 0;
        for (int y = 0; y < image.Height(); ++y) {
            for (int x = 0; x < image.Width(); ++x) {
                const uint8_t* want = &rgba[(static_cast<size_t>(y) * image.Width() + x) * 4];
                const uint8_t index = image.Row(y)[x];
                if (want[3] == 0) {
                    // Transparent in the reference: a transparent index, or pixels the data never
                    // reached.
                    continue;
                }
                const PaletteEntry& e = image.Palette()->entries[index];
                wrong += e.red != want[0] || e.green != want[1] || e.blue != want[2];
            }
        }
        EXPECT_EQ(wrong, 0);
        ++compared;
    }
    EXPECT_GT(compared, 30);
}

// Every good file of the suites decodes completely.
TEST(GifCodecFiles, EveryGoodFileDecodes) {
    XELO_REQUIRE_SHARED_TESTDATA();
    int files = 0;
    for (const char* folder : {"gif/wuffs", "gif/wuffs/artificial-gif", "gif/giflib",
                               "gif/gif-test-suite", "gif/gif-test-suite/gifs"}) {
        for (const auto& path : test::FilesIn(test::SharedFile(folder), {"gif"})) {
            SCOPED_TRACE(path.string());
            if (path.filename() == "no-frames.gif") continue;  // no image: 46024 by design
            std::unique_ptr<Decoded> d;
            ASSERT_NO_THROW(d = DecodeFile(path));
            EXPECT_EQ(static_cast<int>(d->frames.frames.size()), d->info.frameCount);
            ++files;
        }
    }
    EXPECT_GT(files, 30);
}

// Malformed files end in one of our error codes, or in a bounded picture; never a crash.
TEST(GifCodecFiles, MalformedFilesFailCleanly) {
    XELO_REQUIRE_SHARED_TESTDATA();
    int files = 0;
    for (const char* folder : {"bad/gif-wuffs", "bad/gif-libnsgif", "bad/gif-libnsgif-afl",
                               "bad/afl-gif", "bad/afl-gif-im", "gif/pygif"}) {
        for (const auto& path : test::FilesIn(test::SharedFile(folder), {"gif"})) {
            try {
                CDibImage thumb;
                CImageFile file;
                file.ReadThumbnail(path.string(), thumb, 96, 72);
                EXPECT_LE(thumb.Width(), 96);
                ImageInfo info;
                file.ReadInfo(path.string(), info);
                if (int64_t{info.width} * info.height <= (int64_t{1} << 24)) DecodeFile(path);
            } catch (const CTavoException& e) {
                EXPECT_GE(e.GetCode(), 46000u) << path;
            }
            ++files;
        }
    }
    EXPECT_GT(files, 300);
}

TEST(GifCodecFiles, TruncatedInterlacedFileReportsTheEndOfTheFile) {
    XELO_REQUIRE_SHARED_TESTDATA();
    const auto path = test::SharedFile("bad/gif-wuffs/hippopotamus.interlaced.truncated.gif");
    try {
        DecodeFile(path);
        FAIL() << "decoded a truncated file";
    } catch (const CTavoException& e) {
        EXPECT_EQ(e.GetCode(), kErrEndOfFile);
    }
}

}  // namespace
}  // namespace xelo
