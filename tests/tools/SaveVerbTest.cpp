// xelo-tool save and histogram as a script uses them.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "album/AlbumFixture.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

namespace xelo {
namespace {

TEST(SaveVerb, BatchNamesOutputsAndNeverOverwritesUnasked) {
    test::TempDir dir;
    for (const char* name : {"b.bmp", "a.bmp"}) test::WriteImage(dir.Path().string(), name, 300, 200);
    const std::string files = " " + dir.File("b.bmp") + " " + dir.File("a.bmp");
    const test::CommandRun first = test::RunXeloTool("save" + files + " --resize 50% --format gif --append _h");
    ASSERT_EQ(first.status, 0) << first.out;
    // Album order (by name here), not command-line order.
    EXPECT_LT(first.out.find("a_h.gif"), first.out.find("b_h.gif")) << first.out;
    const auto stamp = std::filesystem::last_write_time(dir.File("a_h.gif"));
    const test::CommandRun again = test::RunXeloTool("save" + files + " --format gif --append _h </dev/null");
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(std::filesystem::last_write_time(dir.File("a_h.gif")), stamp);
    EXPECT_NE(again.out.find("not overwritten"), std::string::npos) << again.out;
    for (const char* bad : {" --crop 1,2,3", " --resize 12%", " --format tiff", " --colors 7 --format bmp"}) {
        EXPECT_EQ(test::RunXeloTool("save" + files + bad).status, 2) << bad;
    }
}

TEST(SaveVerb, HistogramCountsEveryThumbnailPixelInEachChannel) {
    test::TempDir dir;
    test::WriteImage(dir.Path().string(), "s.bmp", 40, 30);
    const test::CommandRun run = test::RunXeloTool("histogram " + dir.File("s.bmp"));
    ASSERT_EQ(run.status, 0) << run.out;
    std::istringstream lines(run.out);
    std::string line;
    uint64_t sums[4] = {};
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        int value = 0;
        uint64_t counts[4] = {};
        fields >> value >> counts[0] >> counts[1] >> counts[2] >> counts[3];
        for (int c = 0; c < 4; ++c) sums[c] += counts[c];
    }
    for (uint64_t sum : sums) EXPECT_EQ(sum, 40u * 30u);
}

}  // namespace
}  // namespace xelo
