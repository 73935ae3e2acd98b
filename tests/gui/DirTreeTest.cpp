// The directory tree beside the browsing view: selection by path, collapsing and vanished
// folders.
#include <QTest>
#include <filesystem>

#include "album/AlbumFixture.h"
#include "base/Registry.h"
#include "frame/MainFrame.h"
#include "gui/GuiFixture.h"
#include "views/TavoDirTree.h"

namespace xelo {

using test::GuiFixture;

namespace {

QStandardItem* Selected(CTavoDirTree& tree) {
    return tree.Model().itemFromIndex(tree.currentIndex());
}

}  // namespace

class DirTreeTest : public QObject {
    Q_OBJECT

  private slots:
    void aVanishedFolderLeavesTheTreeWhenSelected();
    void aLastFolderThatIsGoneShowsItsNearestParent();
    void refreshFollowsTheFolders();
};

void DirTreeTest::aVanishedFolderLeavesTheTreeWhenSelected() {
    GuiFixture f;
    std::filesystem::create_directories(f.Folder() + "/Gone");
    std::filesystem::create_directories(f.Folder() + "/Kept");
    test::WriteImage(f.Folder(), "top.bmp");
    f.Start();
    CTavoDirTree& tree = *f.Frame().Tree();
    QStandardItem* folder = Selected(tree);
    tree.expand(folder->index());
    QCOMPARE(folder->rowCount(), 2);
    std::filesystem::remove(f.Folder() + "/Gone");
    tree.setCurrentIndex(folder->child(0)->index());  // the user picks "Gone"
    QCOMPARE(folder->rowCount(), 1);
    QCOMPARE(folder->child(0)->text(), QStringLiteral("Kept"));
    QCOMPARE(tree.GetSelectedPath(), f.Folder());
    QTest::qWait(20);
    QCOMPARE(f.Doc().CurrentFolder(), f.Folder());
}

void DirTreeTest::aLastFolderThatIsGoneShowsItsNearestParent() {
    GuiFixture f;
    f.Store().WriteString(reg::kStrings, reg::kPath, f.Folder() + "/Gone");
    f.Start(std::vector<std::string>{});
    QCOMPARE(f.Doc().Count(), 0);
    QCOMPARE(f.Frame().Tree()->GetSelectedPath(), f.Folder());
}

void DirTreeTest::refreshFollowsTheFolders() {
    // Refresh drops vanished subfolders and adds new ones under the selected, expanded folder.
    GuiFixture f;
    std::filesystem::create_directories(f.Folder() + "/Old");
    f.Start();
    CTavoDirTree& tree = *f.Frame().Tree();
    QStandardItem* folder = Selected(tree);
    tree.expand(folder->index());
    QCOMPARE(folder->rowCount(), 1);
    std::filesystem::remove(f.Folder() + "/Old");
    std::filesystem::create_directories(f.Folder() + "/New/Inner");
    tree.Refresh();
    QCOMPARE(folder->rowCount(), 1);
    QCOMPARE(folder->child(0)->text(), QStringLiteral("New"));
    QVERIFY(tree.Model().hasChildren(folder->child(0)->index()));
    QCOMPARE(tree.GetSelectedPath(), f.Folder());
}

}  // namespace xelo

QTEST_MAIN(xelo::DirTreeTest)
#include "DirTreeTest.moc"
