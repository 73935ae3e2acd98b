// The document: folder scan, album data applied on open, refresh, selection, recent folders.
#include "album/TavoDoc.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "album/AlbumFixture.h"
#include "base/Registry.h"
#include "base/ViewModes.h"
#include "codec/CodecTestUtil.h"
#include "support/TempDir.h"
#include "support/TestData.h"

namespace xelo {
namespace {

using Names = std::vector<std::string>;

using test::NamesOf;

Names Sorted(Names names) {
    std::sort(names.begin(), names.end());
    return names;
}

// Writes the named images into the folder and gives its path.
std::string WithImages(const test::TempDir& dir, std::initializer_list<const char*> names) {
    for (const char* name : names)
        test::WriteImage(dir.Path().string(), name);
    return dir.Path().string();
}

// The frame: records the commands and switches its mode as the frame would.
class FakeFrame : public DocumentHost {
  public:
    explicit FakeFrame(int mode) : mode(mode) {}
    int ViewMode() const override { return mode; }
    void SendCommand(int command) override {
        commands.push_back(command);
        mode = command;
    }
    int mode;
    std::vector<int> commands;
};

class RecordingView : public DocumentObserver {
  public:
    void OnListChanged(UpdateHint hint) override { hints.push_back(hint); }
    void OnCurrentChanged(const CImageEntry* entry) override { current.push_back(entry); }
    std::vector<UpdateHint> hints;
    std::vector<const CImageEntry*> current;
};

TEST(FolderScan, ListsReadableImagesOnlyAndLeavesOtherFilesOut) {
    test::TempDir dir;
    const std::string folder = dir.Path().string();
    test::WriteImage(folder, "a.BMP");
    test::WriteImage(folder, "x.peg");  // the content decides the format, not the extension
    test::WriteImage(folder, "plain");
    test::WriteText(dir.File("broken.bmp"), "not a bitmap");
    test::WriteText(dir.File("notes.txt"), "text");
    std::filesystem::create_directory(dir.File("folder.bmp"));
    ASSERT_EQ(::mkfifo(dir.File("pipe.bmp").c_str(), 0600), 0);  // must not block the scan

    CTavoDoc doc;
    doc.OpenFolder(folder);
    EXPECT_EQ(Sorted(NamesOf(doc)), (Names{"a.BMP", "x.peg"}));
    const CImageEntry* a = doc.FindByName("A.bmp");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->Header().width, 4);
    EXPECT_EQ(a->Header().height, 3);
    EXPECT_EQ(a->Header().colourCount, 1u << 24);
    EXPECT_TRUE(a->Has(kEntryFileFacts | kEntryHeader));
    EXPECT_EQ(a->Type(), 1);  // BMP
    doc.OpenFolder("/nonexistent/xelo/folder");
    EXPECT_EQ(doc.Count(), 0);
}

TEST(AlbumOnOpen, ADamagedAlbumFileLeavesTheScanOrderWithoutComplaint) {
    test::TempDir dir;
    const std::string folder = WithImages(dir, {"a.bmp", "b.bmp", "c.bmp"});
    CTavoDoc plain;
    plain.OpenFolder(folder);
    std::vector<uint8_t> bytes = EncodeAlbumData({{"c.bmp", "b.bmp", "a.bmp"}, {1, 1, 1}});
    bytes.resize(bytes.size() - 2);  // the last flag and part of the flag count are cut off
    test::WriteBytes(dir.File(kAlbumFileName), bytes);

    CTavoDoc doc;
    EXPECT_NO_THROW(doc.OpenFolder(folder));
    EXPECT_EQ(NamesOf(doc), NamesOf(plain));
    for (const CImageEntry* e : doc.Order())
        EXPECT_FALSE(e->Has(kEntryHidden));
}

TEST(AlbumOnOpen, OrderAndHiddenMarksSurviveLeavingAndReenteringTheFolder) {
    test::TempDir dir;
    const std::string folder = WithImages(dir, {"a.bmp", "b.bmp", "c.bmp"});
    test::TempDir other;
    CTavoDoc doc;
    doc.OpenFolder(folder);
    std::vector<CImageEntry*> order = doc.Order();
    std::reverse(order.begin(), order.end());
    EXPECT_FALSE(doc.SetOrder({order[0], order[0], order[1]})) << "an entry named twice";
    EXPECT_FALSE(doc.SetOrder({order[0], order[1]})) << "an entry left out";
    ASSERT_TRUE(doc.SetOrder(order));
    doc.EntryAt(0)->SetFlag(kEntryHidden, true);
    const Names shown = NamesOf(doc);

    ASSERT_TRUE(doc.GoTo(other.Path().string()));
    EXPECT_EQ(doc.Count(), 0);
    EXPECT_FALSE(std::filesystem::exists(other.File(kAlbumFileName)))
        << "an empty folder never gets an album file";
    ASSERT_TRUE(doc.GoTo(folder));
    EXPECT_EQ(NamesOf(doc), shown);
    EXPECT_TRUE(doc.EntryAt(0)->Has(kEntryHidden));
    EXPECT_FALSE(doc.EntryAt(1)->Has(kEntryHidden));
}

TEST(AlbumOnClose, ClosingWritesTheAlbumOfAFolderWithImagesOnly) {
    test::TempDir dir;
    test::TempDir empty;
    test::WriteImage(dir.Path().string(), "a.bmp");
    CTavoDoc doc;
    doc.SetAlbumForEveryFolder(true);
    doc.OpenFolder(empty.Path().string());
    doc.Close();
    EXPECT_FALSE(std::filesystem::exists(empty.File(kAlbumFileName)));
    doc.Reopen(dir.Path().string());
    EXPECT_FALSE(std::filesystem::exists(empty.File(kAlbumFileName)));
    doc.Close();
    AlbumData stored;
    ASSERT_TRUE(ReadAlbumFile(dir.Path().string(), stored));
    EXPECT_EQ(stored.names, Names{"a.bmp"});
    EXPECT_EQ(doc.Count(), 0);
}

TEST(GoTo, EmptyMissingAndCurrentTargets) {
    test::TempDir dir;
    CTavoDoc doc;
    doc.OpenFolder(dir.Path().string());
    EXPECT_EQ(test::ErrorOf([&] { doc.GoTo(dir.File("missing")); }), kErrBadPath);
    EXPECT_FALSE(doc.GoTo(dir.Path().string() + "/"));
    EXPECT_EQ(doc.CurrentFolder(), dir.Path().string());
}

TEST(Refresh, DropsVanishedRefillsChangedAndAddsNewFiles) {
    test::TempDir dir;
    const std::string folder = WithImages(dir, {"a.bmp", "b.bmp", "c.bmp"});
    CTavoDoc doc;
    doc.OpenFolder(folder);
    doc.FindByName("a.bmp")->SetFlag(kEntrySelected, true);
    EXPECT_EQ(doc.FindByName("b.bmp")->Annotations(folder), 0u);

    std::filesystem::remove(dir.File("c.bmp"));
    test::WriteImage(folder, "a.bmp", 9, 7);
    test::WriteImage(folder, "d.bmp");
    test::WriteText(dir.File("b.bmp.txt"), "note");
    doc.Scan(true);

    EXPECT_EQ(Sorted(NamesOf(doc)), (Names{"a.bmp", "b.bmp", "d.bmp"}));
    EXPECT_EQ(doc.EntryAt(doc.Count() - 1)->Name(), "d.bmp") << "new files go to the tail";
    const CImageEntry* a = doc.FindByName("a.bmp");
    EXPECT_EQ(a->Header().width, 9);
    EXPECT_TRUE(a->Has(kEntrySelected)) << "a refilled entry keeps its selection";
    EXPECT_EQ(doc.FindByName("b.bmp")->Annotations(folder), uint32_t{kEntryHasText});
}

TEST(Selection, OperationsAndTheCurrentImageNotice) {
    test::TempDir dir;
    const std::string folder = WithImages(dir, {"a.bmp", "b.bmp", "c.bmp"});
    WriteAlbumFile(folder, {{"a.bmp", "b.bmp", "c.bmp"}, {0, 0, 0}});
    CTavoDoc doc;
    RecordingView view;
    doc.AddObserver(&view);
    doc.OpenFolder(folder);
    EXPECT_EQ(view.hints, std::vector<UpdateHint>{kHintNewFolder});

    EXPECT_EQ(doc.SelectByName("B.BMP", true), 1);
    EXPECT_EQ(view.current, std::vector<const CImageEntry*>{doc.EntryAt(1)});
    EXPECT_EQ(doc.SelectByName("", true), -1);
    EXPECT_EQ(doc.SelectByName("zzz.bmp", true), -1);
    EXPECT_EQ(doc.FirstSelected(), 1);
    doc.InvertSelection();
    EXPECT_EQ(doc.SelectedIndices(), (std::vector<int>{0, 2}));
    doc.SelectAll();
    EXPECT_EQ(doc.SelectedCount(), 3);
    doc.ClearSelection();
    EXPECT_EQ(doc.FirstSelected(), -1);
    EXPECT_EQ(doc.IndexOf(doc.EntryAt(2)), 2);
    EXPECT_EQ(doc.IndexOf(nullptr), -1);
    EXPECT_EQ(doc.EntryAt(3), nullptr);
}

TEST(ViewMode, SingleImageModesKeepOneSelectedAndLeaveAnEmptyFolder) {
    test::TempDir dir;
    const std::string folder = WithImages(dir, {"a.bmp", "b.bmp", "c.bmp"});
    FakeFrame frame(kModeFullScreen);
    CTavoDoc doc(nullptr, &frame);
    doc.OpenFolder(folder);
    EXPECT_EQ(doc.SelectedIndices(), std::vector<int>{0});
    doc.SelectAll();
    doc.UpdateViews(kHintEntriesChanged);
    EXPECT_EQ(doc.SelectedIndices(), std::vector<int>{0});
    // An empty folder in an image mode returns to thumbnails.
    test::TempDir empty;
    doc.OpenFolder(empty.Path().string());
    EXPECT_EQ(frame.commands, std::vector<int>{kModeThumbnail});

    FakeFrame list(kModeList);
    CTavoDoc listDoc(nullptr, &list);
    listDoc.OpenFolder(empty.Path().string());
    EXPECT_TRUE(list.commands.empty());
}

TEST(RecentFolders, NeverMoreThanFiveAndReopeningMovesToTheHead) {
    CRecentFolders recent;
    for (const char* path : {"/1", "/2", "/3", "/4", "/5", "/6"})
        recent.Add(path);
    EXPECT_EQ(recent.Folders(), (Names{"/6", "/5", "/4", "/3", "/2"}));
    recent.Add("/4");
    EXPECT_EQ(recent.Folders(), (Names{"/4", "/6", "/5", "/3", "/2"}));

    CMemoryRegistry registry;
    recent.Save(registry);
    EXPECT_EQ(registry.ReadString("Strings", "Recent1"), "/4");
    EXPECT_EQ(registry.ReadString("Strings", "Recent5"), "/2");
    registry.WriteString("Strings", "Recent2", "");
    CRecentFolders loaded;
    loaded.Load(registry);
    EXPECT_EQ(loaded.Folders(), (Names{"/4", "/5", "/3", "/2"}));
}

}  // namespace
}  // namespace xelo
