// xelo-tool album: the listing and the album data file it writes.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "album/AlbumFile.h"
#include "album/AlbumFixture.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

namespace xelo {
namespace {

using ToolRun = test::CommandRun;

ToolRun RunTool(const std::string& arguments) {
    return test::RunXeloTool("album " + arguments);
}

TEST(AlbumVerb, SortsMarksWritesTheAlbumFileAndListsTheResult) {
    test::TempDir dir;
    const std::string folder = dir.Path().string();
    test::WriteImage(folder, "Slide10.bmp", 8, 6);
    test::WriteImage(folder, "Slide2.bmp");
    test::WriteImage(folder, "Slide1.bmp");
    test::WriteText(dir.File("Slide2.bmp.txt"), "note");
    test::WriteText(dir.File("Slide2.bmp.ink"), "");

    const std::string quoted = "'" + folder + "'";
    ToolRun run = RunTool(quoted + " --sort slides --hide slide2.bmp");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out,
              "1\tSlide1.bmp\tBMP\t4x3\tshown\t---\n"
              "2\tSlide2.bmp\tBMP\t4x3\thidden\tt-i\n"
              "3\tSlide10.bmp\tBMP\t8x6\tshown\t---\n");
    AlbumData stored;
    ASSERT_TRUE(ReadAlbumFile(folder, stored));
    EXPECT_EQ(stored.names, (std::vector<std::string>{"Slide1.bmp", "Slide2.bmp", "Slide10.bmp"}));
    EXPECT_EQ(stored.flags, (std::vector<uint8_t>{0, 1, 0}));

    // A plain listing shows the stored album and leaves the file alone.
    std::filesystem::remove(dir.File(kAlbumFileName));
    WriteAlbumFile(folder, {{"Slide10.bmp", "Slide2.bmp", "Slide1.bmp"}, {1, 0, 0}});
    run = RunTool(quoted);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "1\tSlide10.bmp\tBMP\t8x6\thidden\t---");

    run = RunTool(quoted + " --show Slide10.bmp nothere.bmp");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("no image named nothere.bmp"), std::string::npos) << run.out;
    ASSERT_TRUE(ReadAlbumFile(folder, stored));
    EXPECT_EQ(stored.flags, (std::vector<uint8_t>{0, 0, 0}));

    EXPECT_EQ(RunTool(quoted + " --sort sideways").status, 2);
    EXPECT_EQ(RunTool("'" + dir.File("missing") + "'").status, 1);
}

}  // namespace
}  // namespace xelo
