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
    void startSelectsTheOpenFolder();
    void selectPathMatchesNamesWithoutRegardToCase();
    void collapsingAroundTheSelectionOpensTheCollapsedFolder();
    void aVanishedFolderLeavesTheTreeWhenSelected();
    void subfoldersShowTheirArrowBeforeTheirChildrenExist();
    void aLastFolderThatIsGoneShowsItsNearestParent();
    void refreshFollowsTheFolders();
};

void DirTreeTest::startSelectsTheOpenFolder() {
    GuiFixture f;
    std::filesystem::create_directories(f.Folder() + "/Trip");
    test::WriteImage(f.Folder() + "/Trip", "a.bmp");
    f.Start({"-t", f.Folder() + "/Trip"});
    CTavoDirTree& tree = *f.Frame().Tree();
    QCOMPARE(tree.GetSelectedPath(), f.Folder() + "/Trip");
}

void DirTreeTest::selectPathMatchesNamesWithoutRegardToCase() {
    GuiFixture f;
    std::filesystem::create_directories(f.Folder() + "/Photos/Trip");
    f.Start();
    CTavoDirTree& tree = *f.Frame().Tree();
    f.Doc().SetCurrentFolder(f.Folder() + "/PHOTOS/trip");
    tree.SelectPath();
    QCOMPARE(tree.GetSelectedPath(), f.Folder() + "/Photos/Trip");
    QCOMPARE(Selected(tree)->text(), QStringLiteral("Trip"));
}

void DirTreeTest::collapsingAroundTheSelectionOpensTheCollapsedFolder() {
    GuiFixture f;
    std::filesystem::create_directories(f.Folder() + "/Trip");
    test::WriteImage(f.Folder(), "top.bmp");
    test::WriteImage(f.Folder() + "/Trip", "a.bmp");
    f.Start({"-t", f.Folder() + "/Trip"});
    CTavoDirTree& tree = *f.Frame().Tree();
    const QModelIndex parent = tree.currentIndex().parent();
    tree.collapse(parent);
    QCOMPARE(tree.GetSelectedPath(), f.Folder());
    QTRY_COMPARE(f.Doc().CurrentFolder(), f.Folder());
    QCOMPARE(f.Names(), std::vector<std::string>{"top.bmp"});
}

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

void DirTreeTest::subfoldersShowTheirArrowBeforeTheirChildrenExist() {
    GuiFixture f;
    std::filesystem::create_directories(f.Folder() + "/Deep/Deeper");
    std::filesystem::create_directories(f.Folder() + "/Flat");
    f.Start();
    CTavoDirTree& tree = *f.Frame().Tree();
    QStandardItem* folder = Selected(tree);
    tree.expand(folder->index());
    QStandardItem* deep = folder->child(0);
    QStandardItem* flat = folder->child(1);
    QCOMPARE(deep->text(), QStringLiteral("Deep"));
    QVERIFY(tree.Model().hasChildren(deep->index()));
    QVERIFY(!tree.Model().hasChildren(flat->index()));
    tree.expand(deep->index());
    QCOMPARE(deep->child(0)->text(), QStringLiteral("Deeper"));
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
