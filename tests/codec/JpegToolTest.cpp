// xelo-tool's JPEG verbs, run as a user runs them.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/RunCommand.h"
#include "support/TempDir.h"
#include "support/TestData.h"

namespace xelo {
namespace {

std::string RunTool(const std::string& arguments, int* status = nullptr) {
    const test::CommandRun run = test::RunXeloTool(arguments);
    if (status) *status = run.status;
    return run.out;
}

// The records come in the Image Info sheet's order: group titles, then "name: value" lines.
TEST(JpegTool, ExifListsGroupsAndRecords) {
    XELO_REQUIRE_SHARED_TESTDATA();
    int status = -1;
    const std::string out = RunTool(
        "exif '" + test::SharedFile("jpeg-exif/exif-py/Canon_40D.jpg").string() + "'", &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out.rfind("Main Information\nManufacturer: Canon\nModel: Canon EOS 40D\n", 0), 0u)
        << out;
    EXPECT_NE(out.find("\nPicture-Taking Conditions\nExposure Time: 1/160 (sec)\n"),
              std::string::npos);
    EXPECT_NE(out.find("\nThumbnail Information\n"), std::string::npos);
}

TEST(JpegTool, ConvertWritesJpegWithQualityAndDensity) {
    XELO_REQUIRE_SHARED_TESTDATA();
    test::TempDir dir;
    const std::string source = test::SharedFile("jpeg-exif/wuffs/peacock.default.jpeg").string();
    int status = -1;
    RunTool("convert '" + source + "' -o '" + dir.File("out.jpg") +
                "' --quality 150 --dpi 300,200 --percent 50",
            &status);
    ASSERT_EQ(status, 0);
    const std::string info = RunTool("info '" + dir.File("out.jpg") + "'");
    EXPECT_NE(info.find("JPEG 50x37 24 bpp, 1 frame, 300x200 dpi"), std::string::npos) << info;
    EXPECT_NE(RunTool("convert '" + source + "' -o x.jpg --dpi 0,5", &status).find("--dpi"),
              std::string::npos);
    EXPECT_EQ(status, 2);
}

}  // namespace
}  // namespace xelo
