// The ink file: exact bytes, round trips, the load-time repairs and damaged files.
#include "ink/InkFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "codec/CodecTestUtil.h"
#include "ink/InkArchive.h"
#include "ink/LtFreeHand.h"
#include "support/TempDir.h"

namespace xelo {
namespace {

using Bytes = std::vector<uint8_t>;

std::unique_ptr<CXeloLtFreeHand> Stroke(std::vector<std::vector<Point>> strokes, int width = 1,
                                        uint32_t color = 0, uint32_t kind = 0) {
    auto f = std::make_unique<CXeloLtFreeHand>(kind);
    f->SetPen({0, width, color});
    f->SetStrokes(strokes);
    return f;
}

void PutLe16(Bytes& b, uint16_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
void PutLe32(Bytes& b, uint32_t v) {
    for (int s = 0; s < 32; s += 8)
        b.push_back(static_cast<uint8_t>(v >> s));
}
void PutName(Bytes& b, const char* name) {
    b.insert(b.end(), name, name + std::strlen(name));
}

// The archived data of a freehand object with one stroke (x0,y0)-(x1,y1), pen width 2, red.
void PutFreeHand(Bytes& b, std::vector<Point> points, uint32_t kind) {
    int32_t l = INT32_MAX, t = INT32_MAX, r = INT32_MIN, bo = INT32_MIN;
    for (Point p : points) {
        l = std::min(l, p.x - 1), t = std::min(t, p.y - 1);
        r = std::max(r, p.x + 1), bo = std::max(bo, p.y + 1);
    }
    // Bounds, kind, origin, pen style, width, colour, fill style, hatch -1, fill colour, one
    // stroke and its length.
    for (uint32_t v : {uint32_t(l), uint32_t(t), uint32_t(r), uint32_t(bo), kind, 0u, 0u, 0u, 2u,
                       0x0000FFu, 0u, 0xFFFFFFFFu, 0xFFFFFFu, 1u, uint32_t(points.size())})
        PutLe32(b, v);
    for (Point p : points) {
        PutLe32(b, static_cast<uint32_t>(p.x));
        PutLe32(b, static_cast<uint32_t>(p.y));
    }
}

// The default view block.
void PutView(Bytes& b) {
    const double scale = 1.0;
    uint64_t bits;
    std::memcpy(&bits, &scale, 8);
    for (int s = 0; s < 64; s += 8)
        b.push_back(static_cast<uint8_t>(bits >> s));
    for (uint32_t v : {0u, 0u, 0u, 3u, 2u, 0x42u, 1u, 0u})
        PutLe32(b, v);
}

Bytes TwoObjectFile(int32_t current) {
    Bytes b;
    PutLe16(b, 2);       // element count
    PutLe16(b, 0xFFFF);  // new class
    PutLe16(b, 10);      // schema
    PutLe16(b, 15);      // class name length
    PutName(b, "CXeloLtFreeHand");
    PutFreeHand(b, {{10, 20}, {30, 40}}, 0);
    PutLe16(b, 0x8001);  // class index 1
    PutFreeHand(b, {{-5, 7}, {0, 0}, {100, 3}}, 1);
    PutLe32(b, static_cast<uint32_t>(current));
    PutView(b);
    return b;
}

// Every stored field is written back, so equal bytes mean equal objects.
void ExpectSameLayer(const CXeloLtManager& a, const CXeloLtManager& b) {
    ASSERT_EQ(a.Count(), b.Count());
    EXPECT_EQ(a.Current(), b.Current());
    EXPECT_EQ(a.View(), b.View());
    EXPECT_EQ(EncodeInk(a), EncodeInk(b));
    for (int i = 0; i < a.Count(); ++i) {
        if (a.GetAt(i) && b.GetAt(i)) {
            EXPECT_TRUE(a.GetAt(i)->IsEqual(*b.GetAt(i))) << i;
        }
    }
}

uint32_t DecodeError(const Bytes& b) {
    CXeloLtManager layer;
    return test::ErrorOf([&] { DecodeInk(b.data(), b.size(), layer); });
}

// Two objects: the new-class tag, then class index one; any layer reads back equal.
TEST(InkFile, WrittenLayersHaveTheArchiveBytesAndReadBackEqual) {
    CXeloLtManager layer;
    layer.Append(Stroke({{{10, 20}, {30, 40}}}, 2, 0x0000FF, 0));
    layer.Append(Stroke({{{-5, 7}, {0, 0}, {100, 3}}}, 2, 0x0000FF, 1));
    EXPECT_EQ(EncodeInk(layer), TwoObjectFile(1));
    // A layer with every kind of field reads back equal, object by object.
    layer.RemoveAll();
    layer.Append(Stroke({{{1, 1}, {2, 2}}, {{5, 5}, {6, 9}, {7, 7}}}, 3, 0x123456, 0));
    layer.InsertAt(0, nullptr);  // a null element survives as one
    layer.Append(Stroke({{{-100, 4000}, {INT32_MAX, INT32_MIN}}}, 1, 0, 2));
    LtViewParams view;
    view.scale = 0.25, view.xOffset = -7, view.yOffset = 9, view.flags = 0x10;
    layer.SetView(view);
    layer.SetCurrent(1);
    const Bytes bytes = EncodeInk(layer);
    CXeloLtManager back;
    DecodeInk(bytes.data(), bytes.size(), back);
    ExpectSameLayer(layer, back);
    EXPECT_EQ(EncodeInk(back), bytes);
}

TEST(InkFile, LoadRepairsFieldsAndDropsOnePointStrokes) {
    Bytes b = TwoObjectFile(7);  // current past the two objects
    const size_t view = b.size() - 40;
    const double nan = std::nan("");
    std::memcpy(&b[view], &nan, 8);       // scale
    b[view + 20] = 0, b[view + 21] = 0;   // handle half-size 0
    std::memset(&b[view + 24], 0xFF, 4);  // hit tolerance -1
    CXeloLtManager layer;
    DecodeInk(b.data(), b.size(), layer);
    EXPECT_EQ(layer.Current(), 0);
    EXPECT_EQ(layer.View().handleHalfSize, 3);
    EXPECT_EQ(layer.View().hitTolerance, 0);
    EXPECT_EQ(layer.View().scale, 1.0);
    // Stored strokes of one point are dropped, the stored bounds kept.
    Bytes taps;
    PutLe16(taps, 1);
    PutLe16(taps, 0xFFFF), PutLe16(taps, 10), PutLe16(taps, 15);
    PutName(taps, "CXeloLtFreeHand");
    for (uint32_t v : {1u, 2u, 300u, 400u, 0u, 0u, 0u, 0u, 1u, 0u, 0u, 0xFFFFFFFFu, 0xFFFFFFu})
        PutLe32(taps, v);  // bounds, kind, origin, shape
    PutLe32(taps, 3);      // three strokes: a tap, a line, an empty stroke
    PutLe32(taps, 1), PutLe32(taps, 2), PutLe32(taps, 0);
    for (uint32_t v : {9u, 9u, 10u, 10u, 20u, 20u})
        PutLe32(taps, v);
    PutLe32(taps, 0);
    PutView(taps);
    CXeloLtManager tapped;
    DecodeInk(taps.data(), taps.size(), tapped);
    const auto* f = dynamic_cast<const CXeloLtFreeHand*>(tapped.GetAt(0));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->StrokeLengths(), std::vector<uint32_t>{2});
    EXPECT_EQ(f->Points(), (std::vector<Point>{{10, 10}, {20, 20}}));
    EXPECT_EQ(f->Bounds(), (Rect{1, 2, 300, 400}));
}

struct DamagedCase {
    const char* what;
    size_t offset;  // where the good file is changed
    Bytes bytes;    // the bytes written there
    uint32_t code;
};

// Offsets in TwoObjectFile: 0 count, 2 tag, 4 schema, 6 name length, 8 name, 23 first object,
// 23+52 its stroke count, 23+56 its stroke length, 23+76 second tag.
TEST(InkFile, DamagedFieldsFailWithAnErrorCode) {
    const DamagedCase cases[] = {
        {"count beyond the data", 0, {0xFF, 0x7F}, kErrEndOfFile},
        {"32-bit count beyond the data", 0, {0xFF, 0xFF}, kErrEndOfFile},
        {"wrong schema", 4, {11, 0}, kErrFormatInvalid},
        {"wrong class name", 8, {'D'}, kErrFormatInvalid},
        {"class name length too long", 6, {64, 0}, kErrFormatInvalid},
        {"class name length past the end", 6, {0xFF, 0xFF}, kErrFormatInvalid},
        {"negative stroke count", 23 + 52, {0xFF, 0xFF, 0xFF, 0xFF}, kErrFormatInvalid},
        {"huge stroke count", 23 + 52, {0xFF, 0xFF, 0xFF, 0x7F}, kErrEndOfFile},
        {"huge stroke length", 23 + 56, {0xFF, 0xFF, 0xFF, 0xFF}, kErrEndOfFile},
        {"reference to the first object", 23 + 76, {0x02, 0x00}, kErrFormatInvalid},
        {"unknown class index", 23 + 76, {0x05, 0x80}, kErrFormatInvalid},
        {"class index of an object", 23 + 76, {0x02, 0x80}, kErrFormatInvalid},
        {"big tag to an object", 23 + 76, {0xFF, 0x7F, 1, 0, 0, 0}, kErrFormatInvalid}};
    for (const DamagedCase& c : cases) {
        Bytes b = TwoObjectFile(0);
        std::copy(c.bytes.begin(), c.bytes.end(), b.begin() + static_cast<long>(c.offset));
        EXPECT_EQ(DecodeError(b), c.code) << c.what;
    }
}

TEST(InkFile, EveryCutOfAGoodFileFailsCleanlyAndChangesNothing) {
    const Bytes good = TwoObjectFile(0);
    for (size_t n = 0; n < good.size(); ++n) {
        const Bytes cut(good.begin(), good.begin() + static_cast<long>(n));
        EXPECT_EQ(DecodeError(cut), kErrEndOfFile) << n;
    }
    // A failed load leaves the layer as it was.
    CXeloLtManager layer;
    layer.Append(Stroke({{{1, 1}, {2, 2}}}));
    const Bytes bad = {1, 0, 0xFF, 0xFF, 9, 0};
    EXPECT_THROW(DecodeInk(bad.data(), bad.size(), layer), CTavoException);
    EXPECT_EQ(layer.Count(), 1);
}

TEST(InkFileOnDisk, OnlyALayerWithObjectsReplacesTheFileWhole) {
    test::TempDir dir;
    const std::string path = dir.File("a.jpg.ink");
    CXeloLtManager empty;
    EXPECT_FALSE(SaveInk(path, empty));
    EXPECT_FALSE(std::filesystem::exists(path));
    std::ofstream(path) << "old";
    EXPECT_FALSE(SaveInk(path, empty));
    EXPECT_EQ(std::filesystem::file_size(path), 3u);
    // A layer with objects replaces the file whole and loads back.
    EXPECT_EQ(InkPathFor(dir.File("a.jpg")), path);
    std::ofstream(path) << std::string(5000, 'x');
    CXeloLtManager layer;
    layer.Append(Stroke({{{3, 4}, {5, 6}}}, 4, 0xFF00FF));
    ASSERT_TRUE(SaveInk(path, layer));
    std::ifstream in(path, std::ios::binary);
    const Bytes onDisk((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(onDisk, EncodeInk(layer));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    CXeloLtManager back;
    EXPECT_TRUE(LoadInk(path, back));
    ExpectSameLayer(layer, back);
    EXPECT_FALSE(LoadInk(dir.File("none.jpg.ink"), back));
    EXPECT_EQ(back.Count(), 1);
}

}  // namespace
}  // namespace xelo
