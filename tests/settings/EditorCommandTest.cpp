#include <gtest/gtest.h>

#include "settings/EditorCommand.h"

namespace xelo {
namespace {

TEST(EditorCommand, SettingQuotingAndPlaceholder) {
    const std::string image = "/photos/my trip/a.jpg";
    const struct {
        const char* setting;
        std::vector<std::string> expected;
    } cases[] = {
        {"\"/usr/bin/editor\" -open %1", {"/usr/bin/editor", "-open", image}},
        {"\"/opt/My Editor/run\"  --file=\"%1\" -x",
         {"/opt/My Editor/run", "--file=" + image, "-x"}},
        {"gimp", {"gimp", image}},
        {"gimp --new", {"gimp", image}},  // no placeholder: the image path alone
        {"gimp %1 -x", {"gimp", image}},  // a placeholder first counts as none
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EditorArguments(c.setting, image), c.expected) << c.setting;
}

}  // namespace
}  // namespace xelo
