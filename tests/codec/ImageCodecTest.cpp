// The shared codec operations, exercised through the BMP codec.
#include "codec/ImageCodec.h"

#include <gtest/gtest.h>

#include "BmpBuilder.h"
#include "CodecTestUtil.h"
#include "codec/BmpWriter.h"
#include "codec/MappedFile.h"
#include "support/TempDir.h"
#include "support/TestData.h"

namespace xelo {
namespace {

using test::ErrorOf;

std::string WriteTestBmp(const test::TempDir& dir, int w, int h) {
    CDibImage image;
    image.Create(w, h, 3, false);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.Row(y)[x * 3] = static_cast<uint8_t>(x), image.Row(y)[x * 3 + 1] = uint8_t(y);
    const std::string path = dir.File(std::to_string(w) + "x" + std::to_string(h) + ".bmp");
    WriteBmp(path, image, 100, Resolution{});
    return path;
}

TEST(ImageCodec, PathsAndMappedFilesFailWithTheirCodes) {
    CDibImage thumb;
    EXPECT_EQ(ErrorOf([&] { CImageFile().ReadThumbnail("/no/such/file.bmp", thumb, 0, 72); }),
              kErrInvalidParameter);
    EXPECT_EQ(ErrorOf([&] { CImageFile().ReadThumbnail("", thumb, 96, 72); }),
              kErrInvalidParameter);
    ImageInfo info;
    EXPECT_EQ(ErrorOf([&] { CImageFile().ReadInfo("", info); }), kErrInvalidParameter);
    EXPECT_EQ(ErrorOf([&] { CImageFile().ReadInfo("/no/such/file.bmp", info); }), kErrFileNotFound);
    // The mapped file's own codes: a folder cannot be read, an empty file has nothing to read.
    test::TempDir dir;
    CMappedFile file;
    EXPECT_EQ(ErrorOf([&] { file.Open(""); }), kErrInvalidParameter);
    EXPECT_EQ(ErrorOf([&] { file.Open(dir.Path().string()); }), kErrAccessDenied);
    test::WriteBytes(dir.File("empty.bmp"), {});
    file.Open(dir.File("empty.bmp"));
    EXPECT_EQ(file.GetLength(), 0u);
    EXPECT_EQ(ErrorOf([&] { file.Read(1); }), kErrEndOfFile);
}

TEST(ImageCodec, ScaledAndClippedFrames) {
    test::TempDir dir;
    const std::string path = WriteTestBmp(dir, 101, 40);
    CMappedFile file;
    file.Open(path);
    CImageFrames frames;
    CImageFile().LoadFramesScaled(file, frames, 50);
    ASSERT_EQ(frames.frames.size(), 1u);
    EXPECT_EQ(frames.frames[0]->image.Width(), 50);
    EXPECT_EQ(frames.frames[0]->image.Height(), 20);
    EXPECT_EQ(frames.width, 101);
    EXPECT_EQ(frames.colourCount, 1 << 24);

    // Clip to a region: the image holds exactly that region, at the target scale.
    CImageFrames clipped;
    CImageFile().LoadFrames(path, clipped, std::nullopt, Rect{10, 5, 30, 25});
    const CImageFrame& f = *clipped.frames[0];
    EXPECT_EQ(f.shownRect, (Rect{10, 5, 30, 25}));
    ASSERT_EQ(f.image.Width(), 20);
    EXPECT_EQ(test::RgbAt(f.image, 0, 0)[2], 10);  // blue carries the column
    EXPECT_EQ(test::RgbAt(f.image, 0, 0)[1], 5);

    CImageFrames doubled;
    CImageFile().LoadFrames(path, doubled, Size{202, 80});
    EXPECT_EQ(doubled.frames[0]->image.Width(), 202);
    EXPECT_EQ(test::RgbAt(doubled.frames[0]->image, 201, 79)[2], 100);

    CImageFrames outside;
    CImageFile().LoadFrames(path, outside, std::nullopt, Rect{200, 0, 300, 10});
    EXPECT_TRUE(outside.frames[0]->image.IsEmpty());
}

// A failure part-way releases everything: no frames, an empty thumbnail.
TEST(ImageCodec, FailureLeavesNothingBehind) {
    test::BmpBuilder b;
    b.width = 4;
    b.height = 4;
    b.bitCount = 8;
    b.compression = 1;
    b.palette.assign(1024, 0);
    b.pixels = {4, 1, 0, 0, 4, 2};  // run-length data cut short
    const auto bytes = b.Bytes();
    CMemoryStream s(bytes.data(), static_cast<uint32_t>(bytes.size()));
    CImageFrames frames;
    EXPECT_EQ(ErrorOf([&] { CImageFile().LoadFrames(s, frames); }), kErrEndOfFile);
    EXPECT_TRUE(frames.frames.empty());
    CDibImage thumb;
    EXPECT_EQ(ErrorOf([&] { CImageFile().ReadThumbnail(s, thumb, 2, 2); }), kErrEndOfFile);
    EXPECT_TRUE(thumb.IsEmpty());
}

}  // namespace
}  // namespace xelo
