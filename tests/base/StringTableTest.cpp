#include "base/StringTable.h"

#include <gtest/gtest.h>

namespace xelo {
namespace {

// Every error message of the program has its text under its number.
TEST(StringTable, HoldsEveryErrorText) {
    const uint32_t errors[] = {
        46000, 46001, 46002, 46003, 46010, 46011, 46012, 46013, 46014, 46015, 46016, 46017, 46018,
        46019, 46020, 46021, 46022, 46023, 46024, 46025, 46030, 46031, 46032, 46040, 46041, 46042,
        46060, 46061, 46062, 46063, 46064, 46065, 46066, 46067, 46100, 46101, 46102, 46103, 46104,
        46105, 46106, 46110, 46111, 46112, 46113, 46114, 46120, 46121, 46122, 46130, 46140, 46141};
    for (uint32_t id : errors)
        EXPECT_TRUE(HasString(id)) << id;
    EXPECT_EQ(LoadString(46024), "File format is not valid.");
    EXPECT_EQ(LoadString(46030),
              "Illegal file or folder name.\nCannot contains characters such as \\/:*?\"<>|.");
    EXPECT_EQ(LoadString(kStrAppTitle), "Xelo Album");
}

TEST(StringTable, MissingNumberGivesEmptyText) {
    EXPECT_FALSE(HasString(46004));
    EXPECT_EQ(LoadString(46004), "");
}

// Field lists hold the items of a choice separated by "|".
TEST(StringTable, FieldItemPicksTheNthItem) {
    const char* list = "Large|Normal|Small|Tiny|";
    EXPECT_EQ(FieldItem(list, 0), "Large");
    EXPECT_EQ(FieldItem(list, 3), "Tiny");
    EXPECT_EQ(FieldItem(list, 4), "");
    EXPECT_EQ(FieldItem(list, 9), "");
    EXPECT_EQ(FieldItem("BMP|GIF|JPEG", 2), "JPEG");
    EXPECT_EQ(FieldItem(list, -1), "");
}

TEST(StringTable, FormatStringAppliesArguments) {
    EXPECT_EQ(FormatString(46101, "no service"), "Failed to open the mail service: no service");
    EXPECT_EQ(FormatString(46024), "File format is not valid.");
}

}  // namespace
}  // namespace xelo
