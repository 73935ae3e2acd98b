#include "views/ShootingDate.h"

#include <gtest/gtest.h>

#include "album/AlbumFixture.h"
#include "support/TempDir.h"
#include "support/TestData.h"

namespace xelo {
namespace {

TEST(ShootingDate, TheOriginalDateOfACameraFileAndNoneWithoutAnExifBlock) {
    test::TempDir dir;
    test::WriteImage(dir.Path().string(), "a.bmp");
    EXPECT_EQ(ReadShootingDate(dir.File("a.bmp")), "");
    EXPECT_EQ(ReadShootingDate(dir.File("missing.jpg")), "");
    XELO_REQUIRE_SHARED_TESTDATA();
    EXPECT_EQ(ReadShootingDate(
                  (test::SharedTestData() / "jpeg-exif/exif-py/Canon_PowerShot_S40.jpg").string()),
              "2003:12:14 12:01:44");
}

}  // namespace
}  // namespace xelo
