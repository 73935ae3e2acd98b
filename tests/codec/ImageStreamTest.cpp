#include "codec/ImageStream.h"

#include <gtest/gtest.h>

#include "CodecTestUtil.h"

namespace xelo {
namespace {

using test::ErrorOf;

TEST(ImageStream, ReadsAndSeeksStopAtTheEnds) {
    const uint8_t bytes[] = {1, 2, 3, 4, 5, 6};
    CMemoryStream s(bytes, sizeof bytes);
    EXPECT_EQ(s.ReadLe16(), 0x0201);
    EXPECT_EQ(s.ReadBe16(), 0x0304);
    EXPECT_EQ(s.GetPosition(), 4u);
    EXPECT_EQ(ErrorOf([&] { s.Read(3); }), kErrEndOfFile);
    EXPECT_EQ(s.GetPosition(), 4u);  // a failed read does not move
    uint32_t n = 10;
    EXPECT_EQ(s.Peek(n)[1], 6);
    EXPECT_EQ(n, 2u);  // a peek is cut at the end
    EXPECT_EQ(s.Read(2)[0], 5);
    EXPECT_EQ(s.Remaining(), 0u);
    s.Skip(0);  // skipping nothing at the end is fine

    // Seeks may reach the end but not beyond either end.
    EXPECT_EQ(ErrorOf([&] { s.Seek(7, CImageStream::kBegin); }), kErrEndOfFile);
    EXPECT_EQ(ErrorOf([&] { s.Seek(-7, CImageStream::kEnd); }), kErrEndOfFile);
    EXPECT_EQ(ErrorOf([&] { s.Seek(-1, CImageStream::kBegin); }), kErrEndOfFile);
    s.Seek(-3, CImageStream::kEnd);
    s.Seek(2, CImageStream::kCurrent);
    EXPECT_EQ(s.GetPosition(), 5u);
    s.Seek(6, CImageStream::kBegin);
    EXPECT_EQ(s.GetPosition(), 6u);
}

}  // namespace
}  // namespace xelo
