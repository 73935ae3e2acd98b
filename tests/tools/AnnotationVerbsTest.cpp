// xelo-tool ink and note: what they print, write and how they fail.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "album/AlbumFixture.h"
#include "ink/InkFile.h"
#include "ink/LtFreeHand.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

namespace xelo {
namespace {

using ToolRun = test::CommandRun;
constexpr auto RunTool = test::RunXeloTool;

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

TEST(InkVerb, PrintsTheLayerAndFailsOnADamagedFile) {
    test::TempDir dir;
    CXeloLtManager layer;
    auto f = std::make_unique<CXeloLtFreeHand>(3);
    f->SetPen({0, 2, 0x0000FF});
    f->SetStrokes({{{1, 2}, {3, 4}}, {{7, 7}, {8, 8}, {9, 7}}});
    layer.Append(std::move(f));
    layer.Append(nullptr);
    const std::string path = dir.File("a.jpg.ink");
    ASSERT_TRUE(SaveInk(path, layer));
    ToolRun run = RunTool("ink " + Quoted(path));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "objects 2 current 1\n"
              "view scale 1 offset 0,0 reserved 0 handle 3 tolerance 2 flags 0x42 1 0\n"
              "object 0 CXeloLtFreeHand kind 3 bounds 0,1,10,9 origin 0,0 pen 0 width 2 colour "
              "0x0000FF fill 0 hatch -1 colour 0xFFFFFF strokes 2 points 5\n"
              "  stroke 0: 1,2 3,4\n"
              "  stroke 1: 7,7 8,8 9,7\n"
              "object 1 null\n");

    const std::vector<uint8_t> bytes = EncodeInk(layer);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), 40);  // cut inside the object
    run = RunTool("ink " + Quoted(path));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("error 46023"), std::string::npos) << run.out;
    EXPECT_EQ(RunTool("ink " + Quoted(dir.File("none.ink"))).status, 1);
    EXPECT_EQ(RunTool("ink").status, 2);
}

TEST(NoteVerb, SetsPrintsAndRemovesTheNote) {
    test::TempDir dir;
    test::WriteImage(dir.Path().string(), "a.bmp");
    const std::string image = Quoted(dir.File("a.bmp"));
    EXPECT_EQ(RunTool("note " + image + " --set 'first\nsecond'").status, 0);
    std::ifstream in(dir.File("a.bmp.txt"), std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), {}), "first\r\nsecond");
    ToolRun run = RunTool("note " + image);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "first\nsecond\n");
    EXPECT_EQ(RunTool("note " + image + " --remove").status, 0);
    EXPECT_FALSE(std::filesystem::exists(dir.File("a.bmp.txt")));
    EXPECT_EQ(RunTool("note " + image).out, "");
    EXPECT_EQ(RunTool("note " + Quoted(dir.File("none.bmp")) + " --set x").status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("none.bmp.txt")));
    EXPECT_EQ(RunTool("note " + image + " --set x --remove").status, 2);
}

}  // namespace
}  // namespace xelo
