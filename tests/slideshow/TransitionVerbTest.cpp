// xelo-tool transition writes the starting picture and one frame per step, the last one showing
// the new image: as numbered bitmaps, or as the frames of an animated GIF.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <sys/wait.h>

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
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width() * 3; ++x) {
            if (a.Row(y)[x] != b.Row(y)[x]) return false;
        }
    }
    return true;
}

// The old slide (red kOldRed) as a.bmp and the new one (red kNewRed) as b.bmp, both 40 × 30.
struct SlideFiles {
    TempDir dir;
    CDibImage from;
    CDibImage to;
    SlideFiles() {
        PaintSlide(from, 40, 30, kOldRed);
        PaintSlide(to, 40, 30, kNewRed);
        WriteBmp(dir.File("a.bmp"), from, 100, Resolution{});
        WriteBmp(dir.File("b.bmp"), to, 100, Resolution{});
    }
};

TEST(TransitionVerb, WritesOneBitmapPerStepEndingOnTheNewImage) {
    const SlideFiles slides;
    const TempDir& dir = slides.dir;
    const CDibImage& from = slides.from;
    const CDibImage& to = slides.to;

    // Wipe Left over 40 pixels at Fast: 20 steps of 2 pixels, after the starting picture.
    ASSERT_EQ(RunTool("transition --effect 32 --from " + dir.File("a.bmp") + " --to " +
                      dir.File("b.bmp") + " -o " + dir.File("wipe")),
              0);
    EXPECT_TRUE(std::filesystem::exists(dir.File("wipe-020.bmp")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("wipe-021.bmp")));
    CImageFile file;
    CImageFrames first;
    file.LoadFrames(dir.File("wipe-000.bmp"), first);
    ASSERT_FALSE(first.frames.empty());
    EXPECT_TRUE(SamePixels(first.frames.front()->image, from));
    CImageFrames last;
    file.LoadFrames(dir.File("wipe-020.bmp"), last);
    ASSERT_FALSE(last.frames.empty());
    EXPECT_TRUE(SamePixels(last.frames.front()->image, to));
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
