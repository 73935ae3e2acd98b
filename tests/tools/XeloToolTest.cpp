// xelo-tool run as a whole process, as scripts use it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "codec/BmpWriter.h"
#include "codec/ImageFile.h"
#include "codec/JpegCodec.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"
#include "support/TestData.h"
#include "support/ZonePlate.h"

namespace xelo {
namespace {

using ToolRun = test::CommandRun;
constexpr auto Tool = test::RunXeloTool;

std::string MakeBmp(const test::TempDir& dir, const std::string& name, int w, int h) {
    CDibImage image;
    image.Create(w, h, 3, false);
    WriteBmp(dir.File(name), image, 100, Resolution{300, 300});
    return dir.File(name);
}

TEST(XeloTool, UsageErrorsAndHelp) {
    EXPECT_EQ(Tool("--help").status, 0);
    for (const char* verb : {"info", "thumb", "convert"}) {
        const ToolRun help = Tool(std::string(verb) + " --help");
        EXPECT_EQ(help.status, 0) << verb;
        EXPECT_NE(help.out.find("usage: xelo-tool"), std::string::npos) << verb;
    }
    for (const char* bad :
         {"", "frobnicate", "info", "thumb a.bmp", "thumb a.bmp -o b.bmp --box 0x5",
          "convert a.bmp -o b.bmp --percent x", "convert a.bmp -o b.bmp --bogus"})
        EXPECT_EQ(Tool(bad).status, 2) << bad;
}

// The sample album: every file reads, and the lossless 24-bit variants show the same picture.
TEST(XeloTool, SampleAlbumReads) {
    const auto files = test::FilesIn(XELO_SOURCE_DIR "/samples", {"bmp", "2bp", "gif", "jpg"});
    ASSERT_GE(files.size(), 12u);
    for (const auto& f : files) {
        CImageFrames frames;
        ASSERT_NO_THROW(CImageFile().LoadFrames(f.string(), frames)) << f;
    }
    CImageFrames a;
    CImageFile().LoadFrames(XELO_SOURCE_DIR "/samples/01-sunset-24bit.bmp", a);
    const CDibImage& ia = a.frames[0]->image;
    for (const char* name : {"02-sunset-24bit-topdown.bmp", "03-sunset-32bit.bmp"}) {
        CImageFrames other;
        CImageFile().LoadFrames(std::string(XELO_SOURCE_DIR "/samples/") + name, other);
        const CDibImage& io = other.frames[0]->image;
        ASSERT_EQ(io.Height(), ia.Height());
        for (int y = 0; y < ia.Height(); ++y)
            ASSERT_EQ(0, std::memcmp(ia.Row(y), io.Row(y), ia.Width() * 3)) << name << y;
    }
}

// Pipes and folders are refused at once, "--" ends the options, a name with a line break still
// prints as one line, and a bad file does not stop the others.
TEST(XeloTool, RefusesPipesAndFoldersAndPrintsAnyNameOnOneLine) {
    test::TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("pipe.bmp").c_str(), 0600), 0);
    const std::string out = " -o " + dir.File("o.bmp");
    for (const std::string verb : {"info", "frames", "exif", "thumb", "convert"}) {
        const std::string tail = verb == "thumb" || verb == "convert" ? out : "";
        const ToolRun pipe = test::RunCommand("timeout 5 " XELO_TOOL_PATH " " + verb + " " +
                                              dir.File("pipe.bmp") + tail);
        EXPECT_EQ(pipe.status, 1) << verb << ": " << pipe.out;
        const ToolRun folder = Tool(verb + " " + dir.Path().string() + tail);
        EXPECT_EQ(folder.status, 1) << verb;
        EXPECT_NE(folder.out.find("error 46012: Invalid path. It is a folder"), std::string::npos)
            << folder.out;
    }
    MakeBmp(dir, "-a\nb.bmp", 4, 2);
    test::WriteBytes(dir.File("bad.bmp"), {'B', 'M', 1, 2});
    const ToolRun named = test::RunCommand("cd " + dir.Path().string() +
                                           " && " XELO_TOOL_PATH " info -- bad.bmp '-a\nb.bmp'");
    EXPECT_EQ(named.status, 1);
    EXPECT_EQ(named.out.rfind("bad.bmp: error 46023: An attempt was made to access past file", 0),
              0u);
    EXPECT_NE(named.out.find("\n-a\\nb.bmp: BMP 4x2 24 bpp, 1 frame, 300x300 dpi\n"),
              std::string::npos);
}

// A file cut short again and again while the tool reads it ends each run normally.
TEST(XeloTool, SurvivesAFileTruncatedWhileItIsRead) {
    test::TempDir dir;
    const std::string file = MakeBmp(dir, "f.bmp", 1200, 900);
    const std::string size = std::to_string(std::filesystem::file_size(file));
    const ToolRun run = test::RunCommand(
        "(while :; do truncate -s 3000 " + file + "; truncate -s " + size + " " + file +
        "; done) & w=$!; for i in $(seq 30); do " XELO_TOOL_PATH " convert " + file + " -o " +
        dir.File("o.bmp") + " >/dev/null 2>&1; s=$?; [ $s -ge 128 ] && echo signal $s; done; " +
        "kill $w; wait");
    EXPECT_EQ(run.out.find("signal"), std::string::npos) << run.out;
}

TEST(XeloTool, ThumbManyFilesToAFolderAndToTheCache) {
    test::TempDir dir;
    const std::string a = MakeBmp(dir, "a.bmp", 400, 100);
    const std::string b = MakeBmp(dir, "b.bmp", 30, 20);
    test::WriteBytes(dir.File("bad.bmp"), {'B', 'M', 1, 2});
    EXPECT_EQ(Tool("thumb " + a + " --out-dir " + dir.File("")).status, 2);  // over a.bmp
    std::filesystem::create_directory(dir.File("o"));
    ToolRun run = Tool("thumb " + a + " " + b + " " + dir.File("bad.bmp") + " --out-dir " +
                       dir.File("o") + " --box 50x50");
    EXPECT_EQ(run.status, 1);  // the bad file fails, the others are written
    ImageInfo info;
    CImageFile().ReadInfo(dir.File("o/a.bmp"), info);
    EXPECT_EQ(info.width, 50);
    EXPECT_EQ(info.height, 12);
    EXPECT_NE(run.out.find("bad.bmp: error 46023"), std::string::npos) << run.out;
    EXPECT_EQ(Tool("thumb " + a + " " + dir.File("x/a.gif") + " --out-dir " + dir.File("o")).status,
              2);  // both would be o/a.bmp
    run = test::RunCommand("XDG_CACHE_HOME=" + dir.File("cache") + " " XELO_TOOL_PATH " thumb " +
                           a + " --cache --large");
    EXPECT_EQ(run.out, a + ": 256x64 thumbnail cached\n");
}

// --percent below 100 decodes the JPEG reduced and filters it: a zone plate keeps no moiré, and
// the source's resolution is kept.
TEST(XeloTool, ConvertPercentFiltersTheReduction) {
    test::TempDir dir;
    CDibImage plate;
    test::ZonePlate(plate, 960, 720, 3);
    JpegWriterSettings settings;
    settings.xDpi = settings.yDpi = 300;
    WriteJpeg(settings, dir.File("plate.jpg"), plate, 100);
    const std::string convert = "convert " + dir.File("plate.jpg") + " -o " + dir.File("q.bmp");
    ASSERT_EQ(Tool(convert + " --percent 25").status, 0);
    CImageFrames frames;
    CImageFile().LoadFrames(dir.File("q.bmp"), frames);
    const CDibImage& quarter = frames.frames.at(0)->image;
    EXPECT_EQ(quarter.Width(), 240);
    ImageInfo info;
    CImageFile().ReadInfo(dir.File("q.bmp"), info);
    EXPECT_EQ(info.xResolution, 300);
    EXPECT_LT(test::MoireAbove(quarter, 960, 720, 0.25), 6.0);
}

}  // namespace
}  // namespace xelo
