// Remote-control plug-ins: discovery keeps only sound plug-ins, the operations refuse indexes
// outside the table, and the presenter-keys plug-in turns keys into the program's messages.
#include <gtest/gtest.h>

#include <vector>

#include "output/RemotePlugins.h"

namespace xelo::output {
namespace {

std::vector<uintptr_t> gPosted;  // message, wParam, ...

int Record(void*, uint32_t message, uintptr_t wParam, intptr_t) {
    gPosted.insert(gPosted.end(), {message, wParam});
    return 0;
}

class RemotePluginsTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(table.Discover({XELO_TEST_RMC_DIR}, &rejected), 1); }
    RemotePluginTable table;
    std::vector<std::string> rejected;
};

TEST_F(RemotePluginsTest, OnlyTheSoundPluginIsLoadedAndFoundByName) {
    // A missing export, a failing driver check and a crash while loading are each left out.
    EXPECT_EQ(rejected.size(), 3u);
    std::string name;
    ASSERT_TRUE(table.GetName(0, name));
    EXPECT_EQ(name, "Virtual Display");
    EXPECT_EQ(table.FindByName("Virtual Display"), 0);
    EXPECT_EQ(table.FindByName("Second Screen"), -1);
    EXPECT_FALSE(table.GetName(1, name));
}

TEST_F(RemotePluginsTest, ButtonsAnswerOnlyBelowTheRememberedCount) {
    std::u16string name;
    int value = 0;
    EXPECT_FALSE(table.GetUserSettingBtnName(0, 0, name));  // the count was not asked yet
    ASSERT_EQ(table.GetUserSettingBtnCount(0), 2);
    ASSERT_TRUE(table.GetUserSettingBtnName(0, 1, name));
    EXPECT_EQ(name, u"Previous");
    EXPECT_TRUE(table.GetUserSettingBtnValue(0, 0, value));
    for (const auto& [plugin, button] : {std::pair{0, 2}, {0, -1}, {-1, 0}, {1, 0}}) {
        EXPECT_FALSE(table.GetUserSettingBtnName(plugin, button, name)) << plugin << "," << button;
        EXPECT_FALSE(table.GetUserSettingBtnValue(plugin, button, value)) << plugin << "," << button;
    }
    EXPECT_EQ(table.FindButtonByName(0, u"Previous"), 1);
    EXPECT_EQ(table.FindButtonByName(0, u"Prev"), -1);
    EXPECT_EQ(table.FindButtonByName(-1, u"Next"), -1);
    ASSERT_EQ(table.Discover({XELO_TEST_RMC_DIR}), 1);  // a second discovery forgets the count
    EXPECT_FALSE(table.GetUserSettingBtnName(0, 0, name));
}

TEST_F(RemotePluginsTest, PresenterKeysBecomeRemoteKeysAndCommands) {
    EXPECT_FALSE(table.Open(0, nullptr));
    EXPECT_FALSE(table.MsgHandler(-1, nullptr, XELO_MSG_KEYDOWN, 0xff56, 0));
    XeloRemoteOpen params{reinterpret_cast<const XeloChar16*>(u"Xelo_Album_Main"), this, Record};
    ASSERT_TRUE(table.Open(0, &params));
    const struct {
        uint32_t message;
        uintptr_t keysym;
        intptr_t modifiers, taken;
        std::vector<uintptr_t> posted;
    } rows[] = {
        {XELO_MSG_KEYDOWN, 0xff56, 0, 1, {XELO_MSG_REMOTE_KEY, XELO_REMOTE_RIGHT}},  // Page Down
        {XELO_MSG_KEYDOWN, 0xff55, 0, 1, {XELO_MSG_REMOTE_KEY, XELO_REMOTE_LEFT}},   // Page Up
        {XELO_MSG_KEYDOWN, 0xffc2, XELO_MOD_SHIFT, 1, {XELO_MSG_COMMAND, 30131}},    // Shift+F5
        {XELO_MSG_KEYDOWN, 0xff1b, 0, 1, {XELO_MSG_COMMAND, 30116}},                 // Escape
        {XELO_MSG_KEYDOWN, 'b', 0, 1, {XELO_MSG_COMMAND, 30804}},
        {XELO_MSG_KEYUP, 0xff56, 0, 1, {}},                 // the release of a taken key
        {XELO_MSG_KEYDOWN, 'b', XELO_MOD_CONTROL, 0, {}},  // meant for a shortcut
        {XELO_MSG_KEYDOWN, 'x', 0, 0, {}},
        {XELO_MSG_COMMAND, 0xff56, 0, 0, {}},
    };
    for (const auto& row : rows) {
        gPosted.clear();
        EXPECT_EQ(table.MsgHandler(0, this, row.message, row.keysym, row.modifiers), row.taken)
            << std::hex << row.keysym;
        EXPECT_EQ(gPosted, row.posted) << std::hex << row.keysym;
    }
    ASSERT_TRUE(table.Close(0));
    EXPECT_EQ(table.MsgHandler(0, this, XELO_MSG_KEYDOWN, 0xff56, 0), 0);
}

}  // namespace
}  // namespace xelo::output
