// Delete, Duplicate, Rename, New Folder, Delete Folder, the annotation removals and name
// validation, each checked on the files left on disk and on the list.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "album/AlbumFile.h"
#include "album/AlbumFixture.h"
#include "album/FileOperations.h"
#include "album/FileOpsFixture.h"
#include "album/NameValidation.h"
#include "album/TavoDoc.h"
#include "base/ViewModes.h"
#include "support/TempDir.h"

namespace xelo {
namespace {

using test::MakeImage;
using test::ScriptedPrompt;
using test::Snapshot;
using test::Tree;
using Names = std::vector<std::string>;

class FakeFrame : public DocumentHost {
  public:
    int ViewMode() const override { return mode; }
    void SendCommand(int command) override { mode = command; }
    int mode = kModeThumbnail;
};

using test::NamesOf;

Names Selected(const CTavoDoc& doc) {
    Names names;
    for (int i : doc.SelectedIndices())
        names.push_back(doc.EntryAt(i)->Name());
    return names;
}

class FileCommands : public testing::Test {
  protected:
    void SetUp() override {
        folder = dir.Path().string();
        MakeImage(folder, "a.bmp", 4, {"txt", "wav", "ink"});
        MakeImage(folder, "b.bmp", 5, {"txt"});
        MakeImage(folder, "c.bmp", 6);
    }
    void Open(std::initializer_list<const char*> select) {
        doc.OpenFolder(folder);
        std::vector<CImageEntry*> entries;
        for (const char* n : {"a.bmp", "b.bmp", "c.bmp"})
            if (CImageEntry* e = doc.FindByName(n)) entries.push_back(e);
        doc.SetOrder(entries);
        doc.ClearSelection();
        for (const char* name : select)
            doc.SelectByName(name, true);
    }
    std::string Path(const std::string& name) const { return folder + "/" + name; }
    bool Exists(const std::string& name) const { return std::filesystem::exists(Path(name)); }

    test::TempDir dir;
    std::string folder;
    FakeFrame frame;
    CTavoDoc doc{nullptr, &frame};
};

// Cancel ends Delete with every file in place; Yes removes an image with its side files, No keeps
// one, and the selection moves to the first deleted one's place.
TEST_F(FileCommands, DeleteRemovesImagesWithTheirSideFilesOrNothingWhenCancelled) {
    Open({"a.bmp", "b.bmp", "c.bmp"});
    const Tree before = Snapshot(folder);
    ScriptedPrompt cancelled({Answer::kNo, Answer::kCancel});
    DeleteSelection(doc, cancelled);
    EXPECT_EQ(Snapshot(folder), before);
    EXPECT_EQ(doc.Count(), 3);
    EXPECT_EQ(doc.SelectedCount(), 3);

    doc.SelectByName("c.bmp", false);
    ScriptedPrompt prompt({Answer::kYes, Answer::kNo});
    DeleteSelection(doc, prompt);
    EXPECT_EQ(NamesOf(doc), (Names{"b.bmp", "c.bmp"}));
    EXPECT_FALSE(Exists("a.bmp"));
    for (const char* side : {"a.bmp.txt", "a.bmp.wav", "a.bmp.ink"})
        EXPECT_FALSE(Exists(side)) << side;
    EXPECT_TRUE(Exists("b.bmp.txt"));
    ASSERT_EQ(prompt.questions.size(), 2u);
    EXPECT_EQ(prompt.questions[0].text, "Delete file 'a.bmp' ?");
    EXPECT_EQ(prompt.questions[0].titleId, 2442u);
    EXPECT_TRUE(prompt.questions[0].offerYesToAll);
    EXPECT_EQ(Selected(doc), Names{"b.bmp"});
}

TEST_F(FileCommands, DuplicatingTwiceNumbersTheSecondCopyAndCopiesTheNotes) {
    Open({"a.bmp"});
    ScriptedPrompt prompt;
    DuplicateSelection(doc, prompt);
    DuplicateSelection(doc, prompt);
    EXPECT_TRUE(prompt.messages.empty());
    const Tree tree = Snapshot(folder);
    for (const std::string copy : {"Copy of a.bmp", "Copy (2) of a.bmp"}) {
        EXPECT_EQ(tree.at(copy), tree.at("a.bmp")) << copy;
        for (const char* side : {".txt", ".wav", ".ink"})
            EXPECT_EQ(tree.at(copy + side), tree.at(std::string("a.bmp") + side)) << copy << side;
        ASSERT_NE(doc.FindByName(copy), nullptr);
        EXPECT_EQ(doc.FindByName(copy)->Flags() & kEntryAnnotationBits, kEntryAnnotationBits);
    }
    EXPECT_EQ(doc.Count(), 5);
}

TEST_F(FileCommands, DuplicateStopsOnAFullDiskWithoutLeavingAPartialCopy) {
    MakeImage(folder, "a.bmp", 2000);
    Open({"a.bmp", "b.bmp"});
    const Tree before = Snapshot(folder);
    ScriptedPrompt prompt;
    {
        test::FileSizeLimit limit(4096);
        DuplicateSelection(doc, prompt);
    }
    EXPECT_EQ(prompt.messages, std::vector<uint32_t>{20508});
    EXPECT_EQ(Snapshot(folder), before);  // b.bmp was not tried
    EXPECT_EQ(doc.Count(), 3);
}

// Existing files and bad names are refused with nothing changed; a rename moves the side files
// (over a stray one) and refreshes the entry.
TEST_F(FileCommands, RenameMovesTheSideFilesOrRefusesExistingFilesAndBadNames) {
    Open({"a.bmp"});
    const Tree before = Snapshot(folder);
    for (const char* taken : {"b.bmp", "b.bmp.txt"})
        EXPECT_EQ(RenameEntry(doc, 0, taken), 20513u) << taken;
    EXPECT_EQ(RenameEntry(doc, 0, ".a.bmp"), 46032u);
    EXPECT_EQ(RenameEntry(doc, 0, "sub/a.bmp"), 46030u);
    EXPECT_EQ(Snapshot(folder), before);
    test::WriteText(Path("z.bmp.ink"), "stray");
    EXPECT_EQ(RenameEntry(doc, 0, "  z.bmp "), 0u);
    const Tree after = Snapshot(folder);
    EXPECT_EQ(after.at("z.bmp"), before.at("a.bmp"));
    for (const char* side : {".txt", ".wav", ".ink"}) {
        EXPECT_EQ(after.at(std::string("z.bmp") + side), before.at(std::string("a.bmp") + side));
        EXPECT_EQ(after.count(std::string("a.bmp") + side), 0u);
    }
    EXPECT_EQ(NamesOf(doc), (Names{"z.bmp", "b.bmp", "c.bmp"}));
    EXPECT_EQ(doc.EntryAt(0)->Flags() & kEntryAnnotationBits, kEntryAnnotationBits);
}

TEST_F(FileCommands, NewFolderProposesAFreeNameAndRefusesAnExistingOne) {
    EXPECT_EQ(ProposeFolderName(folder), "New Folder");
    EXPECT_EQ(CreateFolder(folder, ProposeFolderName(folder)), 0u);
    EXPECT_EQ(ProposeFolderName(folder), "New Folder1");
    EXPECT_EQ(CreateFolder(folder, "New Folder1"), 0u);
    EXPECT_EQ(ProposeFolderName(folder), "New Folder2");
    EXPECT_EQ(CreateFolder(folder, " New Folder "), 20511u);
    EXPECT_EQ(CreateFolder(folder, ".hidden"), 46032u);
    EXPECT_EQ(CreateFolder(folder, "what?"), 46030u);
    EXPECT_TRUE(std::filesystem::is_directory(Path("New Folder1")));
    EXPECT_FALSE(Exists(".hidden"));
}

TEST_F(FileCommands, AFolderHoldingASubfolderCannotBeDeleted) {
    std::filesystem::create_directory(Path("inner"));
    const Tree before = Snapshot(folder);
    ScriptedPrompt prompt;
    EXPECT_FALSE(DeleteFolder(folder, kImageExtensions, prompt));
    EXPECT_EQ(prompt.messages, std::vector<uint32_t>{20510});
    EXPECT_EQ(Snapshot(folder), before);
}

TEST_F(FileCommands, DeleteFolderWithYesRemovesEverythingWithoutMoreQuestions) {
    WriteAlbumFile(folder, AlbumData{{"c.bmp", "a.bmp"}, {0, 0}});
    test::WriteText(Path("readme"), "x");
    ScriptedPrompt prompt({Answer::kYes});
    EXPECT_TRUE(DeleteFolder(folder, kImageExtensions, prompt));
    EXPECT_FALSE(std::filesystem::exists(folder));
    ASSERT_EQ(prompt.questions.size(), 1u);
    // 3 images; 4 side files, the album data file and readme.
    EXPECT_EQ(prompt.questions[0].text,
              "This folder contains 3 image file(s) and 6 non-image file(s).\n\nAre you sure you "
              "want to delete all files now?");
    EXPECT_FALSE(prompt.questions[0].offerYesToAll);
}

TEST_F(FileCommands, DeleteFolderWithNoAsksPerFileAndKeepsWhatTheUserKeeps) {
    WriteAlbumFile(folder, AlbumData{{"c.bmp", "a.bmp"}, {0, 0}});
    // No for the folder question, then a.bmp yes, b.bmp no, c.bmp yes; b's note kept.
    ScriptedPrompt prompt(
        {Answer::kNo, Answer::kYes, Answer::kNo, Answer::kYes, Answer::kNo, Answer::kYes});
    EXPECT_FALSE(DeleteFolder(folder, kImageExtensions, prompt));
    EXPECT_EQ(prompt.questions[5].textId, 2426u);
    EXPECT_EQ(prompt.messages, std::vector<uint32_t>{20504});  // the folder is not empty
    const Tree after = Snapshot(folder);
    Names left;
    for (const auto& [name, bytes] : after)
        left.push_back(name);
    // The album data stays with the image that stays.
    EXPECT_EQ(left, (Names{"b.bmp", "b.bmp.txt", "xelo_album.xla"}));
}

TEST_F(FileCommands, RemoveAllAsksForInkTextThenAudioEachWithYesToAll) {
    Open({"a.bmp", "b.bmp", "c.bmp"});
    ScriptedPrompt prompt({Answer::kYesToAll, Answer::kNo, Answer::kYes, Answer::kYes});
    RemoveAllAnnotations(doc, prompt);
    std::vector<uint32_t> asked;
    for (const Question& q : prompt.questions) {
        asked.push_back(q.textId);
        EXPECT_TRUE(q.offerYesToAll);
    }
    // ink: a (yes to all); text: a (no), b (yes); audio: a (yes).
    EXPECT_EQ(asked, (std::vector<uint32_t>{2436, 2434, 2434, 2435}));
    EXPECT_EQ(prompt.questions[1].text, "Delete text annotation for 'a.bmp' ?");
    EXPECT_FALSE(Exists("a.bmp.ink"));
    EXPECT_TRUE(Exists("a.bmp.txt"));
    EXPECT_FALSE(Exists("b.bmp.txt"));
    EXPECT_FALSE(Exists("a.bmp.wav"));
    EXPECT_EQ(doc.FindByName("a.bmp")->Flags() & kEntryAnnotationBits, kEntryHasText);
    EXPECT_EQ(doc.FindByName("b.bmp")->Flags() & kEntryAnnotationBits, 0u);
}

struct NameCase {
    const char* input;
    bool withFolder;
    uint32_t code;
    const char* trimmed;
};

TEST(NameRule, TrimmedThenCheckedForEmptinessLengthAndCharacters) {
    const NameCase cases[] = {
        {"  holiday  ", false, 0, "holiday"},
        {"", false, 46032, ""},
        {"   ", false, 46032, ""},
        {".git", false, 46032, ""},
        {" .x", false, 46032, ""},
        {"a?b", false, 46030, ""},
        {"a:b", false, 46030, ""},
        {"a\\b", false, 46030, ""},
        {"a|b", false, 46030, ""},
        {"a#b", false, 46030, ""},
        {"a.b", true, 0, "a.b"},
        {"0123456789012345678901234567890123456789012345678901234567890123456789"
         "0123456789012345678901234567890123456789",
         true, 46031, ""}};
    const std::string folder(4000, 'f');
    for (const NameCase& c : cases) {
        std::string name = c.input;
        EXPECT_EQ(ValidateName(name, c.withFolder ? &folder : nullptr, "#"), c.code) << c.input;
        if (c.code == 0) {
            EXPECT_EQ(name, c.trimmed);
        }
    }
}

}  // namespace
}  // namespace xelo
