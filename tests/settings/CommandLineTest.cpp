// Parsing the command line into start mode, folder and file, and starting from it; the options
// that only shape the start (screen size, screenshot, log).
#include "settings/CommandLine.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "album/AlbumFile.h"
#include "album/AlbumFixture.h"
#include "album/TavoDoc.h"
#include "base/Registry.h"
#include "base/ViewModes.h"
#include "settings/Preferences.h"
#include "settings/StartOptions.h"
#include "support/TempDir.h"

namespace xelo {
namespace {

struct ParseCase {
    const char* line;  // "@" stands for the test folder
    int openImageMode;
    int mode;
    const char* folder;  // "@" stands for the test folder
    const char* file;
};

std::string Expand(const std::string& text, const std::string& folder) {
    std::string out;
    for (char c : text)
        out += c == '@' ? folder : std::string(1, c);
    return out;
}

TEST(CommandLine, EachArgumentGivesModeFolderAndFile) {
    const ParseCase cases[] = {
        {"-t \"@/My Pics\"", 3, kStartThumbnail, "@/My Pics", ""},
        {"-T \"@/My Pics/\"", 3, kStartThumbnail, "@/My Pics", ""},
        {"-l @", 3, kStartList, "@", ""},
        {"-s /", 3, kStartSlideShow, "/", ""},
        {"-vs @", 3, kStartVgaSlideShow, "@", ""},
        {"-f @/missing", 3, kStartDefault, "", ""},
        {"-t", 3, kStartDefault, "", ""},
        {"\"@/My Pics/a.bmp\"", 3, kStartFilmstrip, "@/My Pics", "a.bmp"},
        {"\"@/My Pics/a.bmp\"", 4, kStartFullScreen, "@/My Pics", "a.bmp"},
        {"\"@/My Pics/xelo_album.xla\"", 3, kStartThumbnail, "@/My Pics", ""},
        {"\"@/My Pics/Xelo_Album.XLA\"", 4, kStartThumbnail, "@/My Pics", ""},
        {"-fs \"@/My Pics/a.bmp\"", 3, kStartFullScreen, "@/My Pics", "a.bmp"},
        {"-V \"@/My Pics/a.bmp\"", 3, kStartVgaFilmstrip, "@/My Pics", "a.bmp"},
        {"-i @/missing.bmp", 3, kStartDefault, "", ""},
        {"-i \"@/My Pics\"", 3, kStartDefault, "", ""},  // a folder is not an image
        {"-x \"@/My Pics/a.bmp\"", 3, kStartFilmstrip, "@/My Pics", "a.bmp"},
        {"a.bmp", 3, kStartDefault, "", ""},
        {"\"@/My Pics/\"", 3, kStartDefault, "", ""},
        {"", 3, 0, "", ""}};
    test::TempDir dir;
    std::filesystem::create_directory(dir.File("My Pics"));
    test::WriteImage(dir.File("My Pics"), "a.bmp");
    const std::string root = dir.Path().string();
    for (const ParseCase& c : cases) {
        CTavoCommandLineInfo info(c.openImageMode);
        ParseCommandLine(SplitCommandLine(Expand(c.line, root)), info);
        EXPECT_EQ(info.mode, c.mode) << c.line;
        EXPECT_EQ(info.folder, Expand(c.folder, root)) << c.line;
        EXPECT_EQ(info.file, c.file) << c.line;
    }
}

TEST(CommandLine, SplittingUndoesJoiningAndTheForwardedCommandIsRead) {
    const std::vector<std::string> args = {"-t", "/a b/c", "q\"uote", "back\\slash", ""};
    EXPECT_EQ(SplitCommandLine(JoinCommandLine(args)), args);
    EXPECT_EQ(SplitCommandLine("  -i   \"/x y/z.jpg\"  "),
              (std::vector<std::string>{"-i", "/x y/z.jpg"}));
}

// A folder with two images and a document that last showed it.
class Start : public testing::Test {
  protected:
    void SetUp() override {
        for (const char* n : {"a.bmp", "b.bmp"})
            test::WriteImage(Folder(), n);
        std::filesystem::create_directory(dir.File("empty"));
        doc.SetCurrentFolder(Folder());
    }
    std::string Folder() const { return dir.Path().string(); }
    StartResult Run(const std::string& line, bool vga = false) {
        CTavoCommandLineInfo info(preferences.preferences.Get(pref::kOpenImageMode));
        ParseCommandLine(SplitCommandLine(line), info);
        return ProcessCommandLine(info, doc, preferences, vga);
    }

    test::TempDir dir;
    CPreferences preferences;
    CTavoDoc doc;
};

TEST_F(Start, ABareImagePathOpensItsFolderWithThatImageSelected) {
    const StartResult r = Run(dir.File("b.bmp"));
    EXPECT_EQ(r.command, kModeFilmstrip);
    EXPECT_EQ(doc.Count(), 2);
    EXPECT_EQ(doc.SelectedIndices(), std::vector<int>{doc.IndexOf(doc.FindByName("b.bmp"))});
    preferences.preferences.Set(pref::kOpenImageMode, 4);
    EXPECT_EQ(Run(dir.File("a.bmp")).command, kModeFullScreen);
}

TEST_F(Start, AMissingImageStartsInThePreferredModeOnTheLastFolder) {
    preferences.preferences.Set(pref::kStartMode, 1);
    const StartResult r = Run("-i " + dir.File("gone.bmp"));
    EXPECT_EQ(r.command, kModeList);
    EXPECT_EQ(doc.CurrentFolder(), Folder());
    EXPECT_EQ(doc.Count(), 2);
}

TEST_F(Start, AVgaModeWithoutADeviceFallsBackToThumbnails) {
    const StartResult r = Run("-vs " + Folder());
    EXPECT_TRUE(r.noVgaDevice);
    EXPECT_EQ(r.command, kModeThumbnail);
    EXPECT_EQ(Run("-vs " + Folder(), true).command, kModeVgaSlideShow);
    preferences.preferences.Set(pref::kStartMode, 5);
    EXPECT_EQ(Run("").command, kCmdSlideShow);
}

TEST_F(Start, ReTargetingSavesTheAlbumOfTheFolderBeingLeft) {
    doc.OpenFolder(Folder());
    doc.EntryAt(0)->SetFlag(kEntryHidden, true);
    const std::string hiddenName = doc.EntryAt(0)->Name();
    Run("-t " + dir.File("empty"));
    AlbumData stored;
    ASSERT_TRUE(ReadAlbumFile(Folder(), stored));
    EXPECT_EQ(stored.names.front(), hiddenName);
    EXPECT_EQ(stored.flags.front(), 1);
    // The forwarded command is read from the store.
    test::TempDir dir;
    CMemoryRegistry registry;
    CTavoCommandLineInfo info;
    EXPECT_FALSE(ReadForwardedCommandLine(registry, info));
    registry.WriteString("Strings", "Command", JoinCommandLine({"-f", dir.Path().string()}));
    ASSERT_TRUE(ReadForwardedCommandLine(registry, info));
    EXPECT_EQ(info.mode, kStartFilename);
    EXPECT_EQ(info.folder, dir.Path().string());
}

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
