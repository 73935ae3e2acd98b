// Merging ink into a picture through xelo-tool ink --merge: which pixels a pen of each width
// inks, that the source stays as it was, and that the resolution is kept.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "codec/BmpWriter.h"
#include "codec/ImageFile.h"
#include "ink/InkFile.h"
#include "ink/LtFreeHand.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

namespace xelo {
namespace {

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(InkMerge, PensInkTheirWidthWithRoundEndsAndTheSourceStays) {
    test::TempDir dir;
    const std::string image = dir.File("a.bmp");
    CDibImage white;
    white.Create(40, 30, 3, false);
    std::fill(white.Bits(), white.Bits() + white.Stride() * 30, 0xFF);
    WriteBmp(image, white, 100, Resolution{200, 150});
    CXeloLtManager layer;
    for (const auto& [width, colour, from, to] :
         {std::tuple{3, 0x0000FFu, Point{5, 10}, Point{30, 10}},
          std::tuple{2, 0xFF0000u, Point{20, 20}, Point{20, 26}}}) {
        auto stroke = std::make_unique<CXeloLtFreeHand>();
        stroke->SetPen({0, width, colour});
        stroke->SetStrokes({{from, to}});
        layer.Append(std::move(stroke));
    }
    ASSERT_TRUE(SaveInk(image + ".ink", layer));
    const std::string before = Bytes(image);
    const std::string out = dir.File("out.bmp");
    ASSERT_EQ(test::RunXeloTool("ink '" + image + "' --merge -o '" + out + "'").status, 0);
    EXPECT_EQ(Bytes(image), before);

    CImageFrames frames;
    CImageFile().LoadFirstFrame(out, frames);
    const CDibImage& merged = frames.frames.at(0)->image;
    auto at = [&](int x, int y) {
        const uint8_t* p = merged.Row(y) + 3 * x;
        return uint32_t{p[2]} | (uint32_t{p[1]} << 8) | (uint32_t{p[0]} << 16);
    };
    // Width 3 is centred on its pixels; width 2 lies on the left edge of column 20.
    const struct { int x, y; uint32_t colour; } kExpected[] = {
        {15, 8, 0xFFFFFF}, {15, 9, 0x0000FF}, {15, 10, 0x0000FF}, {15, 11, 0x0000FF},
        {15, 12, 0xFFFFFF}, {4, 10, 0x0000FF}, {3, 10, 0xFFFFFF}, {31, 10, 0x0000FF},
        {33, 10, 0xFFFFFF}, {18, 23, 0xFFFFFF}, {19, 23, 0xFF0000}, {20, 23, 0xFF0000},
        {21, 23, 0xFFFFFF}};
    for (const auto& e : kExpected)
        EXPECT_EQ(at(e.x, e.y), e.colour) << e.x << "," << e.y;
    ImageInfo info;
    CImageFile().ReadInfo(out, info);
    EXPECT_EQ(info.xResolution, 200);
    EXPECT_EQ(info.yResolution, 150);

    // Without ink there is nothing to merge, and nothing is written.
    std::filesystem::remove(image + ".ink");
    EXPECT_EQ(test::RunXeloTool("ink '" + image + "' --merge -o '" + dir.File("b.bmp") + "'")
                  .status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("b.bmp")));
}

}  // namespace
}  // namespace xelo
