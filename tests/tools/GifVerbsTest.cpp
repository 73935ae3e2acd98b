// xelo-tool's GIF verbs, run as a user runs them.
#include <gtest/gtest.h>

#include <string>

#include "codec/BmpWriter.h"
#include "codec/GifBytes.h"
#include "codec/GifCodec.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"
#include "support/TestData.h"

namespace xelo {
namespace {

using test::RunXeloTool;

TEST(GifVerbs, FramesAndConvert) {
    test::TempDir dir;
    const auto gif = test::GifBytes(6, 4, 4)
                         .Descriptor(0, 0, 6, 4)
                         .Literals(2, std::vector<uint8_t>(24, 1))
                         .Control(2, 35, 3)
                         .Descriptor(2, 1, 3, 2, true, 16)
                         .Literals(4, {1, 2, 3, 4, 5, 6})
                         .Trailer()
                         .Bytes();
    test::WriteBytes(dir.File("anim.gif"), gif);
    test::CommandRun run = RunXeloTool("frames " + dir.File("anim.gif"));
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("GIF 6x4, 2 frames\n"
                           "frame 0: 0,0 6x4 delay 100 disposal 0 transparent -1 interlaced 0 "
                           "palette 4\n"
                           "frame 1: 2,1 3x2 delay 35 disposal 2 transparent 3 interlaced 1 "
                           "palette 16\n"),
              std::string::npos)
        << run.out;
    // convert rounds the colour count up to a table size; a bad file is reported.
    CDibImage picture;
    picture.Create(40, 30, 3, false);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            picture.Row(y)[x * 3] = static_cast<uint8_t>(x * 6 + y * 40);
    WriteBmp(dir.File("in.bmp"), picture, 100, Resolution{});
    const std::string convert = "convert " + dir.File("in.bmp") + " -o ";
    ASSERT_EQ(RunXeloTool(convert + dir.File("out.gif") + " --colors 20 --no-dither").status, 0);
    ImageInfo info;
    CGifCodec().ReadInfo(dir.File("out.gif"), info);
    EXPECT_EQ(info.width, 40);
    EXPECT_EQ(info.palette.count, 32);

    run = RunXeloTool(convert + dir.File("x.gif") + " --colors 1");
    EXPECT_NE(run.out.find("--colors"), std::string::npos);
    EXPECT_EQ(run.status, 2);
    test::WriteBytes(dir.File("bad.gif"),
                     {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0x21});
    run = RunXeloTool("frames " + dir.File("bad.gif"));
    EXPECT_NE(run.out.find("error 46024"), std::string::npos);
    EXPECT_EQ(run.status, 1);
}

}  // namespace
}  // namespace xelo
