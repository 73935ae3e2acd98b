// Nothing lost: side files stay with their image through renames and Delete Folder, hidden marks
// follow names, notes are read and saved without losing a character, and a folder merely looked
// at gets no album file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "album/AlbumFile.h"
#include "album/AlbumFixture.h"
#include "album/FileOperations.h"
#include "album/FileOpsFixture.h"
#include "album/Ordering.h"
#include "album/TavoDoc.h"
#include "album/TextNote.h"
#include "support/TempDir.h"
#include "support/TestData.h"
#include "views/ListTexts.h"

namespace xelo {
namespace {

using Names = std::vector<std::string>;

Names NamesOf(const CTavoDoc& doc) {
    Names names;
    for (const CImageEntry* e : doc.Order())
        names.push_back(e->Name() + (e->Has(kEntryHidden) ? "*" : ""));
    return names;
}

// Sets or clears the immutable attribute; false where the file system or our rights do not allow.
bool SetImmutable(const std::string& path, bool on) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    int flags = 0;
    bool ok = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0) ::close(fd);
    return ok;
}

TEST(SideFiles, RenamesOntoSideFileNamesAreRefusedAndDeleteFolderKeepsAStuckImagesNotes) {
    test::TempDir dir;
    const std::string folder = dir.Path().string();
    test::MakeImage(folder, "a.bmp", 4, {"wav"});
    test::MakeImage(folder, "b.bmp", 5, {"txt", "ink"});
    CTavoDoc doc;
    doc.OpenFolder(folder);
    const test::Tree before = test::Snapshot(folder);
    for (const char* name : {"a.bmp.txt", "A.BMP.wav", "b.bmp.wav"})
        EXPECT_EQ(RenameEntry(doc, 0, name), 46030u) << name;
    EXPECT_EQ(RenameEntry(doc, 1, "a.bmp.ink"), 46030u);
    EXPECT_EQ(test::Snapshot(folder), before);

    if (!SetImmutable(folder + "/b.bmp", true)) GTEST_SKIP() << "no immutable files here";
    test::ScriptedPrompt prompt({Answer::kYes});
    const bool gone = DeleteFolder(folder, kImageExtensions, prompt);
    SetImmutable(folder + "/b.bmp", false);
    EXPECT_FALSE(gone);
    Names left;
    for (const auto& [name, bytes] : test::Snapshot(folder))
        left.push_back(name);
    EXPECT_EQ(left, (Names{"b.bmp", "b.bmp.ink", "b.bmp.txt"}));
}

TEST(FolderScan, ListsInNameOrderAppliesMarksByNameAndWritesAnAlbumFileOnlyWhenArranged) {
    test::TempDir dir;
    const std::string folder = dir.Path().string();
    for (const char* name : {"b.bmp", "C.bmp", "a10.bmp", "B.bmp", "a2.bmp"})
        test::WriteImage(folder, name);
    CTavoDoc doc;
    doc.OpenFolder(folder);
    EXPECT_EQ(NamesOf(doc), (Names{"a10.bmp", "a2.bmp", "B.bmp", "b.bmp", "C.bmp"}));
    doc.Close();
    EXPECT_FALSE(std::filesystem::exists(dir.File(kAlbumFileName))) << "only looked at";

    doc.OpenFolder(folder);
    doc.SetSelected(1, true);
    SetSelectedHidden(doc, true);
    doc.Close();
    EXPECT_TRUE(std::filesystem::exists(dir.File(kAlbumFileName)));
    // Marks follow names, an exact one before one in other case; "gone.bmp" was renamed.
    WriteAlbumFile(folder, {{"gone.bmp", "b.bmp", "A2.BMP", "B.bmp", "C.bmp"}, {1, 1, 1, 0, 0}});
    doc.OpenFolder(folder);
    EXPECT_EQ(NamesOf(doc), (Names{"b.bmp*", "a2.bmp*", "B.bmp", "C.bmp", "a10.bmp"}));

    test::TempDir other;
    test::WriteImage(other.Path().string(), "a.bmp");
    doc.SetAlbumForEveryFolder(true);
    doc.OpenFolder(other.Path().string());
    doc.Close();
    EXPECT_TRUE(std::filesystem::exists(other.File(kAlbumFileName)));
}

TEST(TextNote, KeepsEveryCharacterAndLeavesAnUnchangedNoteAlone) {
    const std::vector<uint8_t> cp1252{'c', 'a', 'f', 0xE9, 0x80};
    EXPECT_EQ(DecodeTextNote(cp1252.data(), cp1252.size()), "caf\xC3\xA9\xE2\x82\xAC");
    test::TempDir dir;
    const std::string path = dir.File("a.jpg.txt"), stored = "\xEF\xBB\xBFline\r\n\r\n";
    test::WriteText(path, stored);  // a byte-order mark, a line, a blank line
    std::string text;
    ASSERT_TRUE(ReadTextNote(path, text));
    EXPECT_EQ(text, stored);
    struct stat a {
    }, b{};
    ::stat(path.c_str(), &a);
    WriteTextNote(path, text);
    ::stat(path.c_str(), &b);
    EXPECT_EQ(a.st_ino, b.st_ino) << "an unchanged note is not rewritten";
    WriteTextNote(path, "\xEF\xBB\xBFline 1\r\n\r\n");
    ASSERT_TRUE(ReadTextNote(path, text));
    EXPECT_EQ(text, "\xEF\xBB\xBFline 1\r\n\r\n");
}

TEST(ListTexts, AThirtyTwoBitPictureShowsThirtyTwoBits) {
    XELO_REQUIRE_SHARED_TESTDATA();
    CTavoDoc doc;
    doc.OpenFolder(test::SharedFile("bmp/bmpsuite/g").string());
    const CImageEntry* entry = doc.FindByName("rgb32.bmp");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(BitsPerPixel(entry->Header().colourCount, true), 32);
}

}  // namespace
}  // namespace xelo
