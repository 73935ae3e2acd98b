#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "settings/DesktopShortcuts.h"
#include "support/TempDir.h"

namespace xelo {
namespace {

constexpr char kProgram[] = "/opt/xelo/bin/xelo_album";

class DesktopShortcutsTest : public ::testing::Test {
  protected:
    test::TempDir dir;
    CDesktopShortcuts shortcuts{kProgram, dir.File("apps"), dir.File("Desktop")};

    std::string Folder(const std::string& name) {
        std::filesystem::create_directories(dir.Path() / name);
        return dir.File(name);
    }
};

TEST_F(DesktopShortcutsTest, FolderShortcutIsNamedAndStartsTheMode) {
    const std::string folder = Folder("My Documents");
    const std::string file =
        shortcuts.Make(folder, *FindShortcutMode("l"), ShortcutPlace::kPrograms);
    EXPECT_EQ(file, dir.File("apps/My Documents - List mode.desktop"));
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("\nExec=\"" + std::string(kProgram) + "\" -l \"" + folder + "\"\n"),
              std::string::npos)
        << text.str();
    EXPECT_NE(std::filesystem::status(file).permissions() & std::filesystem::perms::owner_exec,
              std::filesystem::perms::none);
}

TEST_F(DesktopShortcutsTest, AwkwardNamesRoundTripAndOnlyOurLaunchersAreListed) {
    const std::string odd = Folder("a \"quoted\" $HOME `x` 100% \\ name");
    const std::string file =
        shortcuts.Make(odd, *FindShortcutMode("Slide Show mode"), ShortcutPlace::kDesktop);
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("-s \"" + dir.Path().string() +
                              "/a \\\\\"quoted\\\\\" \\\\$HOME \\\\`x\\\\` 100%% \\\\\\\\ name\""),
              std::string::npos)
        << text.str();
    // Someone else's launcher, and one of ours without a mode, are not listed.
    std::ofstream(dir.File("Desktop/other.desktop")) << "[Desktop Entry]\nName=x\nExec=gimp %F\n";
    std::ofstream(dir.File("Desktop/bare.desktop"))
        << "[Desktop Entry]\nName=y\nExec=" << kProgram << "\n";
    const std::vector<Shortcut> listed = shortcuts.List(ShortcutPlace::kDesktop);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].target, odd);
    EXPECT_EQ(listed[0].option, "s");
    EXPECT_EQ(listed[0].name, "a \"quoted\" $HOME `x` 100% \\ name - Slide Show mode");
    EXPECT_TRUE(shortcuts.List(ShortcutPlace::kPrograms).empty());
}

TEST_F(DesktopShortcutsTest, SameNameTwiceRenameAndRemove) {
    const ShortcutMode& mode = *FindShortcutMode("t");
    shortcuts.Make(Folder("one/Photos"), mode, ShortcutPlace::kPrograms);
    shortcuts.Make(Folder("two/Photos"), mode, ShortcutPlace::kPrograms);
    std::vector<Shortcut> listed = shortcuts.List(ShortcutPlace::kPrograms);
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[1].name, "Photos - Thumbnail mode (2)");
    EXPECT_FALSE(shortcuts.Rename(listed[1], listed[0].name));
    EXPECT_FALSE(shortcuts.Rename(listed[1], "a/b"));
    ASSERT_TRUE(shortcuts.Rename(listed[1], " Holiday"));
    listed = shortcuts.List(ShortcutPlace::kPrograms);
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].name, " Holiday");
    EXPECT_EQ(listed[0].file, dir.File("apps/ Holiday.desktop"));
    EXPECT_EQ(listed[0].target, dir.File("two/Photos"));
    EXPECT_TRUE(shortcuts.Remove(listed[0]));
    EXPECT_EQ(shortcuts.List(ShortcutPlace::kPrograms).size(), 1u);
}

}  // namespace
}  // namespace xelo
