// An entry reads its Exif records once, on first demand, and keeps them until released.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "album/ImageEntry.h"
#include "codec/JpegCodec.h"
#include "support/TempDir.h"
#include "support/TestData.h"

namespace xelo {
namespace {

TEST(ImageEntryMetadata, ReadOnceAndKeptUntilReleased) {
    XELO_REQUIRE_SHARED_TESTDATA();
    test::TempDir dir;
    std::filesystem::copy_file(test::SharedFile("jpeg-exif/exif-py/Canon_40D.jpg"),
                               dir.File("a.jpg"));
    FindData data;
    ASSERT_TRUE(ReadFindData(dir.Path().string(), "a.jpg", data));
    CImageEntry entry(data, dir.Path().string());
    const ExifRecords* records = entry.Metadata(dir.Path().string());
    ASSERT_NE(records, nullptr);
    EXPECT_TRUE(entry.Has(kEntryMetadata));
    const auto model = std::find_if(records->begin(), records->end(),
                                    [](const ExifRecord& r) { return r.name == "Model"; });
    ASSERT_NE(model, records->end());
    EXPECT_EQ(model->value, "Canon EOS 40D");
    // The file going away does not matter: the records are held.
    std::filesystem::remove(dir.File("a.jpg"));
    EXPECT_EQ(entry.Metadata(dir.Path().string()), records);
    entry.ReleaseMetadata();
    EXPECT_FALSE(entry.Has(kEntryMetadata));
    EXPECT_EQ(entry.Metadata(dir.Path().string()), nullptr);
}

}  // namespace
}  // namespace xelo
