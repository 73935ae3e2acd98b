#include "image/TavoException.h"

#include <gtest/gtest.h>

#include "image/ErrorReport.h"

namespace xelo {
namespace {

// Origins show as a last line of four numbers; the C-style copy is cut to the buffer.
TEST(TavoException, MessagesOriginsCopiesAndReports) {
    EXPECT_EQ(CTavoException(kErrNoMemory, 3003, 122, 531, 0).GetErrorMessage(),
              "Not enough memory.\n3003:122:531:0");
    const CTavoException e(kErrFormatInvalid);
    EXPECT_EQ(e.GetErrorMessage(), "File format is not valid.");
    char buffer[5];
    ASSERT_TRUE(e.GetErrorMessage(buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "File");
    EXPECT_FALSE(e.GetErrorMessage(buffer, 0));
    try {
        ThrowError(kErrEndOfFile, {kComponentFileStream, 10, 77});
        FAIL();
    } catch (const CTavoException& thrown) {
        EXPECT_EQ(thrown.GetCode(), 46023u);
        EXPECT_EQ(thrown.GetOrigin(0), 750u);
        EXPECT_EQ(thrown.GetOrigin(2), 77u);
    }
    // ReportText: message, second message, "o1:o2:o3" line, then the exception's own text.
    const CTavoException eof(kErrEndOfFile, 750, 10, 5, 0);
    EXPECT_EQ(ReportText(kErrFormatInvalid, kErrNoMemory, 38001, 40, 99, &eof),
              "File format is not valid.\nNot enough memory.\n38001:40:99\n"
              "An attempt was made to access past file end.\n750:10:5:0");
    const CTavoException alone(kErrFileNotFound);
    EXPECT_EQ(ReportText(0, 0, 0, 0, 0, &alone), "File was not found.");
    EXPECT_EQ(ReportText(46113, 0, 0, 0, 0, nullptr, "timeout"),
              "Failed to read data from IR port: timeout.");
}

}  // namespace
}  // namespace xelo
