#include "settings/StartOptions.h"

#include <gtest/gtest.h>

namespace xelo {
namespace {

TEST(StartOptions, TakenOutOfTheArgumentsInBothSpellings) {
    std::vector<std::string> args = {
        "--screen", "240x320", "-t", "/photos", "--screenshot=/tmp/a.png", "--log"};
    const StartOptions o = ExtractStartOptions(args);
    EXPECT_EQ(o.screen, (Size{240, 320}));
    EXPECT_EQ(o.screenshot, "/tmp/a.png");
    EXPECT_TRUE(o.log);
    EXPECT_TRUE(o.error.empty());
    EXPECT_EQ(args, (std::vector<std::string>{"-t", "/photos"}));
    // Malformed options are reported.
    args = {"--screen", "big"};
    EXPECT_FALSE(ExtractStartOptions(args).error.empty());
    args = {"--screenshot"};
    EXPECT_FALSE(ExtractStartOptions(args).error.empty());
}

}  // namespace
}  // namespace xelo
