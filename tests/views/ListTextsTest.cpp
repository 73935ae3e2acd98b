#include "views/ListTexts.h"

#include <gtest/gtest.h>

namespace xelo {
namespace {

TEST(ListTexts, SizesInUnitsOf1024AndDates) {
    const std::pair<uint64_t, const char*> cases[] = {
        {0, "0 B"},          {1023, "1023 B"},        {1024, "1 KB"},
        {1536, "1.50 KB"},   {1048575, "1023.99 KB"}, {1048576, "1 MB"},
        {5505024, "5.25 MB"}};
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(FormatFileSize(bytes), text) << bytes;
    // The actual size is not available without a resolution.
    EXPECT_EQ(FormatActualSize(ActualTenths(640, -1, true)), "N/A");
    EXPECT_EQ(FormatActualSize(ActualTenths(640, 0, true)), "N/A");
    EXPECT_EQ(FormatActualSize(ActualTenths(640, 72, false)), "N/A");  // header unknown
    // 640 / 72 = 8.88…: tenths truncated.
    EXPECT_EQ(FormatActualSize(ActualTenths(640, 72, true)), "8.8 Inches");
    EXPECT_EQ(FormatActualSize(ActualTenths(300, 300, true)), "1.0 Inches");
    // Short dates are month/day/year hour:minute.
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(FormatShortDate(int64_t{1614834367} * 1000000000), "03/04/21 05:06");
}

TEST(ListTexts, ColourCounts) {
    EXPECT_EQ(FormatColours(256), "256");
    EXPECT_EQ(FormatColours(257), "256");  // 256 grey levels count as 256
    EXPECT_EQ(FormatColours(65536), "65536");
    EXPECT_EQ(FormatColours(1u << 24), "16.77 M");
    EXPECT_EQ(FormatColours(2000000), "2 M");
    // Bits per pixel from the colour count.
    EXPECT_EQ(BitsPerPixel(1u << 24, true), 24);
    EXPECT_EQ(BitsPerPixel(257, true), 8);
    EXPECT_EQ(BitsPerPixel(32768, true), 15);
    EXPECT_EQ(BitsPerPixel(2, true), 1);
    EXPECT_EQ(BitsPerPixel(1u << 24, false), 0);
}

}  // namespace
}  // namespace xelo
