#include "base/StringTable.h"

#include <gtest/gtest.h>

namespace xelo {
namespace {

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

TEST(StringTable, FormatStringAppliesArgumentsAndAMissingNumberGivesNoText) {
    EXPECT_EQ(FormatString(46101, "no service"), "Failed to open the mail service: no service");
    EXPECT_EQ(FormatString(46024), "File format is not valid.");
    EXPECT_FALSE(HasString(46004));
    EXPECT_EQ(LoadString(46004), "");
}

}  // namespace
}  // namespace xelo
