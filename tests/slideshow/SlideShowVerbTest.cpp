// xelo-tool slideshow plays exactly the visible images in the album's stored order.
#include <gtest/gtest.h>

#include "codec/BmpWriter.h"
#include "codec/ImageFile.h"
#include "slideshow/SlideComposer.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

namespace xelo::test {
namespace {

TEST(SlideShowVerb, PlaysTheVisibleImagesInAlbumOrder) {
    const TempDir dir;
    const TempDir pictures;
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) {
        CDibImage image;
        image.Create(32, 24, 3, false);
        FillDib(image, static_cast<uint32_t>(name[0]) * 0x010101u);
        WriteBmp(pictures.File(name), image, 100, Resolution{});
    }
    const std::string folder = pictures.Path().string();
    ASSERT_EQ(RunXeloTool("album " + folder + " --sort reverse --hide b.bmp").status, 0);
    const auto run = RunXeloTool("slideshow " + folder + " -o " + dir.File("show.gif") +
                                 " --size 64x48 --effect none --delay 500");
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("slide 1/2 c.bmp\nslide 2/2 a.bmp\n"), std::string::npos) << run.out;
    CImageFrames frames;
    CImageFile().LoadFrames(dir.File("show.gif"), frames);
    ASSERT_EQ(frames.frameCount, 2);  // a cut shows each slide once, held for its delay
    EXPECT_EQ(frames.frames[0]->delay, 50);

    ASSERT_EQ(RunXeloTool("album " + folder + " --hide a.bmp c.bmp").status, 0);
    const auto hidden = RunXeloTool("slideshow " + folder + " -o " + dir.File("none.gif"));
    EXPECT_EQ(hidden.status, 1);
    EXPECT_NE(hidden.out.find("All images are set to Hidden."), std::string::npos);
}

}  // namespace
}  // namespace xelo::test
