// xelo-tool transition writes the starting picture and one frame per step, the last one showing
// the new image: as numbered bitmaps, or as the frames of an animated GIF.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "codec/BmpWriter.h"
#include "codec/ImageFile.h"
#include "slideshow/TransitionTestSupport.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

namespace xelo::test {
namespace {

int RunTool(const std::string& arguments) {
    return RunXeloTool(arguments).status;
}

bool SamePixels(const CDibImage& a, const CDibImage& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        if (!std::equal(a.Row(y), a.Row(y) + a.Width() * 3, b.Row(y))) return false;
    return true;
}

TEST(TransitionVerb, WritesOneBitmapPerStepEndingOnTheNewImage) {
    const TempDir dir;
    CDibImage from, to;
    PaintSlide(from, 40, 30, kOldRed);
    PaintSlide(to, 40, 30, kNewRed);
    WriteBmp(dir.File("a.bmp"), from, 100, Resolution{});
    WriteBmp(dir.File("b.bmp"), to, 100, Resolution{});
    // Wipe Left over 40 pixels at Fast: 20 steps of 2 pixels, after the starting picture.
    ASSERT_EQ(RunTool("transition --effect 32 --from " + dir.File("a.bmp") + " --to " +
                      dir.File("b.bmp") + " -o " + dir.File("wipe")),
              0);
    EXPECT_TRUE(std::filesystem::exists(dir.File("wipe-020.bmp")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("wipe-021.bmp")));
    for (const auto& [name, expected] : {std::pair{"wipe-000.bmp", &from}, {"wipe-020.bmp", &to}}) {
        CImageFrames frames;
        CImageFile().LoadFrames(dir.File(name), frames);
        ASSERT_FALSE(frames.frames.empty()) << name;
        EXPECT_TRUE(SamePixels(frames.frames.front()->image, *expected)) << name;
    }
}

TEST(TransitionVerb, RefusesBadArguments) {
    EXPECT_EQ(RunTool("transition --effect 86 --from a --to b -o out"), 2);
    EXPECT_EQ(RunTool("transition --effect 4 --from a -o out"), 2);
    EXPECT_EQ(RunTool("transition --effect 4 --from a --to b --duration -5 -o out"), 2);
    EXPECT_EQ(RunTool("transition --effect 4 --from /nonexistent/a.bmp --to /nonexistent/b.bmp "
                      "-o /nonexistent/out"),
              1);
}

}  // namespace
}  // namespace xelo::test
