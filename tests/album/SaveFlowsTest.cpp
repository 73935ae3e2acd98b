// The save flows on real folders, their outputs read back by Pillow and djpeg.
#include <gtest/gtest.h>

#include <filesystem>

#include "album/AlbumFixture.h"
#include "album/FileOpsFixture.h"
#include "album/SaveFlows.h"
#include "album/TavoDoc.h"
#include "codec/BmpWriter.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

namespace xelo {
namespace {

using test::ScriptedPrompt;

// A colour gradient, so reductions have something to reduce.
void WriteGradient(const std::string& path, int width, int height) {
    CDibImage image;
    image.Create(width, height, 3, false);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = image.Row(y) + x * 3;
            p[0] = static_cast<uint8_t>(x * 255 / width);
            p[1] = static_cast<uint8_t>(y * 255 / height);
            p[2] = static_cast<uint8_t>((x + y) * 7);
        }
    }
    WriteBmp(path, image, 100, Resolution{});
}

// "FORMAT WxH MODE colours dpi" per file as Pillow reads them, one line each.
std::string Pillow(const std::string& paths) {
    return test::RunCommand("/usr/bin/python3 -c \"import sys; from PIL import Image\n"
                            "for f in sys.argv[1:]:\n im=Image.open(f); d=im.info.get('dpi',(0,0)); "
                            "print(im.format, '%dx%d' % im.size, im.mode, "
                            "len(im.convert('RGB').getcolors(1<<24)), round(d[0]), round(d[1]))\" " +
                            paths)
        .out;
}

class SaveFlows : public ::testing::Test {
  protected:
    void Open() { doc.OpenFolder(dir.Path().string()); }
    test::TempDir dir;
    CTavoDoc doc;
};

TEST(ResizePresets, SizesOfThePresets) {
    const struct {
        int preset;
        Size image, screen, expected;
    } cases[] = {
        {kPreset240Wide, {1600, 1200}, {240, 320}, {240, 180}},
        {kPresetFitScreen, {1600, 1200}, {240, 320}, {240, 180}},
        {kPresetFitScreen, {1200, 1600}, {1024, 768}, {576, 768}},
        {kPreset320Wide, {333, 1000}, {240, 320}, {320, 961}},
        {kPreset75Percent, {3, 3}, {240, 320}, {2, 2}},
        {kPreset50Percent, {1, 1}, {240, 320}, {1, 1}},
        {kPresetUserDefined, {1600, 1200}, {240, 320}, {17, 9}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PresetTargetSize(c.preset, c.image, c.screen, {17, 9}), c.expected) << c.preset;
    }
}

TEST_F(SaveFlows, ConvertWithAppendageJoinsTheAlbum) {
    WriteGradient(dir.File("beach.bmp"), 64, 48);
    Open();
    SaveRequest request;
    request.options = {kSaveJpeg, 90, 300, 150, true};
    request.appendage = "_s";
    ScriptedPrompt prompt;
    const SaveReport report = SaveCurrent(doc, 0, request, prompt);
    EXPECT_EQ(report.saved, 1);
    EXPECT_EQ(test::NamesOf(doc), (std::vector<std::string>{"beach.bmp", "beach_s.jpg"}));
    EXPECT_EQ(prompt.messages, std::vector<uint32_t>{kMsgConverted});
    const std::string read = Pillow(dir.File("beach_s.jpg"));
    EXPECT_EQ(read.substr(0, 15), "JPEG 64x48 RGB ");
    EXPECT_NE(read.find(" 300 150"), std::string::npos);
    EXPECT_EQ(test::RunCommand("djpeg " + dir.File("beach_s.jpg") + " >/dev/null").status, 0);
}

TEST_F(SaveFlows, OutputsReadBackWithTheirDepth) {
    WriteGradient(dir.File("g.bmp"), 480, 360);
    Open();
    const struct {
        int32_t format;
        uint32_t value;
        int preset;
        const char* expected;
    } cases[] = {
        {kSaveBmp, kTrueColourValue, kPreset240Wide, "BMP 240x180 RGB "},
        {kSaveBmp, 16, kPreset50Percent, "BMP 240x180 P 16 "},
        {kSaveBmp, 2, kPreset240x320, "BMP 240x320 P 2 "},
        {kSaveGif, 8, kPreset240Wide, "GIF 240x180 P 8 "},
        {kSaveJpeg, 75, kPreset1024x768, "JPEG 1024x768 RGB "},
    };
    std::string paths;
    for (const auto& c : cases) {
        SaveRequest request;
        request.action = SaveAction::kResize;
        request.options = {c.format, c.value, 0, 0, true};
        request.preset = c.preset;
        request.destination = dir.File("out");
        request.appendage = std::to_string(paths.size());
        std::filesystem::create_directories(request.destination);
        ScriptedPrompt prompt;
        const SaveReport report = SaveCurrent(doc, 0, request, prompt);
        ASSERT_EQ(report.written.size(), 1u) << c.expected;
        paths += " " + report.written.front();
    }
    const std::string read = Pillow(paths);
    for (const auto& c : cases) EXPECT_NE(read.find(c.expected), std::string::npos) << read;
    EXPECT_EQ(doc.Count(), 1);  // nothing was written into the album's folder
}

TEST_F(SaveFlows, OverwritingTheSourceAsksThenRefreshesItsEntry) {
    WriteGradient(dir.File("a.bmp"), 40, 30);
    Open();
    SaveRequest request;
    request.action = SaveAction::kCrop;
    request.options = {kSaveBmp, kTrueColourValue, 0, 0, true};
    request.crop = Rect{-5, 10, 20, 500};
    const auto before = std::filesystem::file_size(dir.File("a.bmp"));
    ScriptedPrompt no({Answer::kNo});
    EXPECT_EQ(SaveCurrent(doc, 0, request, no).skipped, 1);
    EXPECT_EQ(std::filesystem::file_size(dir.File("a.bmp")), before);
    ASSERT_EQ(no.questions.size(), 1u);
    EXPECT_FALSE(no.questions[0].offerYesToAll);

    ScriptedPrompt yes({Answer::kYes});
    const SaveReport report = SaveCurrent(doc, 0, request, yes);
    EXPECT_TRUE(report.sourceReplaced);
    EXPECT_EQ(doc.Count(), 1);
    EXPECT_EQ(doc.EntryAt(0)->Header().width, 20);
    EXPECT_EQ(doc.EntryAt(0)->Header().height, 20);
}

TEST_F(SaveFlows, BatchAsksGoesOnAfterFailuresAndStopsWhenCancelled) {
    for (int i = 0; i < 6; ++i) WriteGradient(dir.File("p" + std::to_string(i) + ".bmp"), 30, 20);
    Open();
    // Broken after the scan, so that its save fails.
    test::WriteText(dir.File("p3.bmp"), "BM broken");
    std::filesystem::create_directories(dir.File("out"));
    WriteGradient(dir.File("out/p1.gif"), 4, 4);
    std::vector<int> all(static_cast<size_t>(doc.Count()));
    for (int i = 0; i < doc.Count(); ++i) all[static_cast<size_t>(i)] = i;
    SaveRequest request;
    request.options = {kSaveGif, 16, 0, 0, true};
    request.destination = dir.File("out");
    ScriptedPrompt prompt({Answer::kYes, Answer::kNo});
    const SaveReport report = SaveBatch(doc, all, request, prompt, {}, 2);
    EXPECT_EQ(prompt.questions.front().textId, kStrConvertBatchAsk);
    EXPECT_TRUE(prompt.questions.back().offerYesToAll);
    EXPECT_EQ(report.saved, 4);
    EXPECT_EQ(report.skipped, 1);
    EXPECT_EQ(report.failed, 1);
    EXPECT_EQ(prompt.messages, std::vector<uint32_t>{kMsgConvertFailed});
    EXPECT_FALSE(std::filesystem::exists(dir.File("out/p3.gif")));

    std::filesystem::remove_all(dir.File("out"));
    std::filesystem::create_directories(dir.File("out"));
    ScriptedPrompt again({Answer::kYes});
    const SaveReport cancelled = SaveBatch(doc, all, request, again,
                                           [](int done, int, const std::string&) { return done < 2; });
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_EQ(cancelled.saved, 2);
}

TEST_F(SaveFlows, AFailedWriteLeavesNoOutputAndTheSourceWhole) {
    WriteGradient(dir.File("big.bmp"), 400, 300);
    Open();
    const auto before = test::Snapshot(dir.Path().string());
    SaveRequest request;
    request.options = {kSaveBmp, kTrueColourValue, 0, 0, true};
    request.appendage = "_copy";
    ScriptedPrompt prompt;
    {
        test::FileSizeLimit limit(4096);
        EXPECT_EQ(SaveCurrent(doc, 0, request, prompt).failed, 1);
    }
    EXPECT_EQ(test::Snapshot(dir.Path().string()), before);
    EXPECT_EQ(prompt.messages, std::vector<uint32_t>{kMsgConvertFailed});
}

}  // namespace
}  // namespace xelo
