// Paste never loses a file: after every branch (copy and cut, replace, skip, cancel, missing
// source, a copy that fails half-way) each image and side file exists where it should with its
// original bytes, and nowhere else.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "album/AlbumFixture.h"
#include "album/FileOperations.h"
#include "album/FileOpsFixture.h"
#include "album/TavoDoc.h"
#include "support/TempDir.h"

namespace xelo {
namespace {

using test::MakeImage;
using test::ScriptedPrompt;
using test::Snapshot;
using test::Tree;

const char* const kSides[] = {"wav", "txt", "ink"};

enum Outcome { kPasted, kUntouched };

struct PasteCase {
    const char* name;
    bool cut;
    bool conflictA;  // the destination already has a.bmp (with an audio note)
    bool conflictB;  // the destination already has b.bmp (with ink and a text note)
    std::vector<Answer> answers;
    Outcome a;
    Outcome b;
};

void PrintTo(const PasteCase& c, std::ostream* os) {
    *os << c.name;
}

class PasteFixture : public testing::Test {
  protected:
    void SetUp() override {
        src = (root.Path() / "src").string();
        dst = (root.Path() / "dst").string();
        std::filesystem::create_directory(src);
        std::filesystem::create_directory(dst);
        MakeImage(src, "a.bmp", 5, {"txt", "ink"});
        MakeImage(src, "b.bmp", 6, {"wav"});
        MakeImage(src, "c.bmp", 7);  // not on the clipboard
    }

    // Copies or cuts a.bmp and b.bmp in the source folder, then opens the destination.
    void PutOnClipboard(bool cut) {
        doc.OpenFolder(src);
        doc.ClearSelection();
        doc.SelectByName("a.bmp", true);
        doc.SelectByName("b.bmp", true);
        ASSERT_EQ(CopySelection(doc, cut), 2);
        doc.OpenFolder(dst);
    }

    // The tree after pasting `name` from the source tree `before`.
    static void ApplyPaste(Tree& tree, const std::string& name, bool cut) {
        const Tree before = tree;
        tree["dst/" + name] = before.at("src/" + name);
        for (const char* side : kSides) {
            const std::string s = name + "." + side;
            if (before.count("src/" + s)) {
                tree["dst/" + s] = before.at("src/" + s);
            } else {
                tree.erase("dst/" + s);
            }
            if (cut) tree.erase("src/" + s);
        }
        if (cut) tree.erase("src/" + name);
    }

    // The entry of `name` in the destination list, with its side-file bits as on disk.
    void ExpectEntryMatchesDisk(const std::string& name) {
        int index = -1;
        CImageEntry* entry = doc.FindByName(name, &index);
        ASSERT_NE(entry, nullptr) << name;
        uint32_t bits = 0;
        if (std::filesystem::exists(dst + "/" + name + ".txt")) bits |= kEntryHasText;
        if (std::filesystem::exists(dst + "/" + name + ".wav")) bits |= kEntryHasAudio;
        if (std::filesystem::exists(dst + "/" + name + ".ink")) bits |= kEntryHasInk;
        EXPECT_TRUE(entry->Has(kEntryAnnotationsKnown)) << name;
        EXPECT_EQ(entry->Flags() & kEntryAnnotationBits, bits) << name;
        EXPECT_EQ(entry->Size(), std::filesystem::file_size(dst + "/" + name)) << name;
    }

    test::TempDir root;
    std::string src, dst;
    CTavoDoc doc;
};

class PasteBranches : public PasteFixture, public testing::WithParamInterface<PasteCase> {};

TEST_P(PasteBranches, EveryFileEndsUpExactlyOnceWithItsBytes) {
    const PasteCase& c = GetParam();
    if (c.conflictA) MakeImage(dst, "a.bmp", 9, {"wav"});
    if (c.conflictB) MakeImage(dst, "b.bmp", 10, {"ink", "txt"});
    PutOnClipboard(c.cut);
    Tree expected = Snapshot(root.Path().string());
    if (c.a == kPasted) ApplyPaste(expected, "a.bmp", c.cut);
    if (c.b == kPasted) ApplyPaste(expected, "b.bmp", c.cut);

    ScriptedPrompt prompt({c.answers.begin(), c.answers.end()});
    Paste(doc, prompt);

    EXPECT_EQ(Snapshot(root.Path().string()), expected);
    EXPECT_TRUE(prompt.answers.empty()) << "questions not asked";
    EXPECT_TRUE(prompt.messages.empty());
    for (const Question& q : prompt.questions) {
        EXPECT_EQ(q.textId, 2428u);
        EXPECT_EQ(q.titleId, 2427u);
        EXPECT_TRUE(q.offerYesToAll);
    }
    if (c.a == kPasted) ExpectEntryMatchesDisk("a.bmp");
    if (c.b == kPasted) ExpectEntryMatchesDisk("b.bmp");
    // A cut empties the clipboard; a copy can be pasted again elsewhere.
    EXPECT_EQ(doc.Clipboard().names.empty(), c.cut);
}

INSTANTIATE_TEST_SUITE_P(
    Branches, PasteBranches,
    testing::Values(
        PasteCase{"CopyIntoEmpty", false, false, false, {}, kPasted, kPasted},
        PasteCase{"CutIntoEmpty", true, false, false, {}, kPasted, kPasted},
        PasteCase{
            "CopyReplaceDropsStaleNotes", false, false, true, {Answer::kYes}, kPasted, kPasted},
        PasteCase{"CutReplace", true, true, true, {Answer::kYes, Answer::kYes}, kPasted, kPasted},
        PasteCase{"CutSkip", true, false, true, {Answer::kNo}, kPasted, kUntouched},
        PasteCase{"CutCancelAtSecond", true, false, true, {Answer::kCancel}, kPasted, kUntouched},
        PasteCase{"CutCancelAtFirst", true, true, true, {Answer::kCancel}, kUntouched, kUntouched},
        PasteCase{"CopyYesToAllAsksOnce", false, true, true, {Answer::kYesToAll}, kPasted, kPasted},
        PasteCase{
            "CutNoThenYes", true, true, true, {Answer::kNo, Answer::kYes}, kUntouched, kPasted}),
    [](const testing::TestParamInfo<PasteCase>& info) { return std::string(info.param.name); });

TEST_F(PasteFixture, AMissingSourceIsReportedAndTheOthersGoOn) {
    PutOnClipboard(true);
    std::filesystem::remove(src + "/a.bmp");
    Tree expected = Snapshot(root.Path().string());
    ApplyPaste(expected, "b.bmp", true);
    ScriptedPrompt prompt;
    Paste(doc, prompt);
    EXPECT_EQ(prompt.messages, std::vector<uint32_t>{20502});
    EXPECT_EQ(prompt.messageTexts[0], "File 'a.bmp' does not exist.");
    // The side files of the vanished image stay where they were.
    EXPECT_EQ(Snapshot(root.Path().string()), expected);
}

TEST_F(PasteFixture, PastingIntoTheSourceFolderIsRefusedHoweverItIsSpelt) {
    for (const std::string& spelling : {src, src + "/.", (root.Path() / "link").string()}) {
        std::error_code ec;
        std::filesystem::create_directory_symlink(src, root.Path() / "link", ec);
        doc.OpenFolder(src);
        doc.SelectAll();
        CopySelection(doc, true);
        doc.SetCurrentFolder(spelling);
        const Tree before = Snapshot(root.Path().string());
        ScriptedPrompt prompt;
        Paste(doc, prompt);
        EXPECT_EQ(prompt.messages, std::vector<uint32_t>{20512}) << spelling;
        EXPECT_EQ(Snapshot(root.Path().string()), before) << spelling;
    }
}

TEST_F(PasteFixture, ACutWhoseCopyFailsHalfWayLeavesBothFoldersAsTheyWere) {
    // Images wider than the size limit: every image copy fails part-way.
    MakeImage(src, "a.bmp", 2000, {"txt", "ink"});
    MakeImage(src, "b.bmp", 2001, {"wav"});
    MakeImage(dst, "a.bmp", 9, {"wav"});
    PutOnClipboard(true);
    const Tree before = Snapshot(root.Path().string());
    ScriptedPrompt prompt({Answer::kYes});
    {
        test::FileSizeLimit limit(4096);
        Paste(doc, prompt);
    }
    EXPECT_EQ(prompt.messages, (std::vector<uint32_t>{20504, 20504}));
    EXPECT_EQ(Snapshot(root.Path().string()), before);  // no partial file, no temporary file
    ASSERT_NE(doc.FindByName("a.bmp"), nullptr);
    EXPECT_EQ(doc.FindByName("a.bmp")->Size(), before.at("dst/a.bmp").size());
    EXPECT_EQ(doc.FindByName("b.bmp"), nullptr);
}

TEST_F(PasteFixture, ACutWhoseSideFileCopyFailsKeepsEverySource) {
    test::WriteText(src + "/a.bmp.txt", std::string(20000, 'n'));  // beyond the limit
    PutOnClipboard(true);
    const Tree before = Snapshot(root.Path().string());
    ScriptedPrompt prompt;
    {
        test::FileSizeLimit limit(4096);
        Paste(doc, prompt);
    }
    const Tree after = Snapshot(root.Path().string());
    for (const auto& [path, bytes] : before) {
        if (path.rfind("src/a.bmp", 0) != 0) continue;
        ASSERT_TRUE(after.count(path)) << path;
        EXPECT_EQ(after.at(path), bytes) << path;
    }
    EXPECT_EQ(after.at("dst/a.bmp"), before.at("src/a.bmp"));
    EXPECT_EQ(after.count("dst/a.bmp.txt"), 0u);
    EXPECT_EQ(prompt.messages, std::vector<uint32_t>{20504});
    // b.bmp had nothing large: it moved.
    EXPECT_EQ(after.count("src/b.bmp"), 0u);
    EXPECT_EQ(after.at("dst/b.bmp.wav"), before.at("src/b.bmp.wav"));
}

TEST_F(PasteFixture, ACopyThatCannotTakeItsPlaceLeavesNoTemporaryFile) {
    // A folder named like the image: the copy is complete but cannot be renamed over it.
    std::filesystem::create_directory(dst + "/a.bmp");
    test::WriteText(dst + "/a.bmp/inside", "x");
    PutOnClipboard(true);
    Tree expected = Snapshot(root.Path().string());
    ApplyPaste(expected, "b.bmp", true);
    ScriptedPrompt prompt({Answer::kYes});
    Paste(doc, prompt);
    EXPECT_EQ(prompt.messages, std::vector<uint32_t>{20504});
    EXPECT_EQ(Snapshot(root.Path().string()), expected);
}

TEST_F(PasteFixture, AReadOnlyDestinationLeavesEverySourceInPlace) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    PutOnClipboard(true);
    const Tree before = Snapshot(root.Path().string());
    ::chmod(dst.c_str(), 0555);
    ScriptedPrompt prompt;
    Paste(doc, prompt);
    ::chmod(dst.c_str(), 0755);
    EXPECT_EQ(Snapshot(root.Path().string()), before);
    EXPECT_EQ(prompt.messages, (std::vector<uint32_t>{20504, 20504}));
}

}  // namespace
}  // namespace xelo
