#include "image/TavoException.h"

#include <gtest/gtest.h>

#include "image/ErrorReport.h"

namespace xelo {
namespace {

// An error raised with origins shows them as a last line of four numbers.
TEST(TavoException, OriginsFormAFinalLine) {
    const CTavoException e(kErrNoMemory, 3003, 122, 531, 0);
    EXPECT_EQ(e.GetCode(), 46040u);
    EXPECT_EQ(e.GetErrorMessage(), "Not enough memory.\n3003:122:531:0");
    EXPECT_EQ(e.GetFourthOrigin(), 0u);
}

TEST(TavoException, NoOriginsNoNumberLine) {
    const CTavoException e(kErrFormatInvalid);
    EXPECT_EQ(e.GetErrorMessage(), "File format is not valid.");
}

TEST(TavoException, GetErrorMessageTruncatesToTheBuffer) {
    const CTavoException e(kErrFormatInvalid);
    char buffer[5];
    ASSERT_TRUE(e.GetErrorMessage(buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "File");
    EXPECT_FALSE(e.GetErrorMessage(buffer, 0));
}

TEST(TavoException, ThrowErrorCarriesTheOrigin) {
    try {
        ThrowError(kErrEndOfFile, {kComponentFileStream, 10, 77});
        FAIL();
    } catch (const CTavoException& e) {
        EXPECT_EQ(e.GetCode(), 46023u);
        EXPECT_EQ(e.GetOrigin(0), 750u);
        EXPECT_EQ(e.GetOrigin(2), 77u);
    }
}

// ReportError: message, second message, "o1:o2:o3" line, then the exception's own text.
TEST(ErrorReport, ComposesAllParts) {
    const CTavoException e(kErrEndOfFile, 750, 10, 5, 0);
    EXPECT_EQ(ReportText(kErrFormatInvalid, kErrNoMemory, 38001, 40, 99, &e),
              "File format is not valid.\nNot enough memory.\n38001:40:99\n"
              "An attempt was made to access past file end.\n750:10:5:0");
}

TEST(ErrorReport, ExceptionAloneReportsItself) {
    const CTavoException e(kErrFileNotFound);
    EXPECT_EQ(ReportText(0, 0, 0, 0, 0, &e), "File was not found.");
}

TEST(ErrorReport, ArgumentsAreFormattedIntoTheText) {
    EXPECT_EQ(ReportText(46113, 0, 0, 0, 0, nullptr, "timeout"),
              "Failed to read data from IR port: timeout.");
}

}  // namespace
}  // namespace xelo
