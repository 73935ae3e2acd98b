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

class DirTreeTest : public QObject {
    Q_OBJECT

  private slots:
    void aLastFolderThatIsGoneShowsItsNearestParent() {
        GuiFixture f;
        f.Store().WriteString(reg::kStrings, reg::kPath, f.Folder() + "/Gone");
        f.Start(std::vector<std::string>{});
        QCOMPARE(f.Doc().Count(), 0);
        QCOMPARE(f.Frame().Tree()->GetSelectedPath(), f.Folder());
    }

    void refreshFollowsTheFolders() {
        // Refresh drops vanished subfolders and adds new ones under the selected, expanded folder.
        GuiFixture f;
        std::filesystem::create_directories(f.Folder() + "/Old");
        f.Start();
        CTavoDirTree& tree = *f.Frame().Tree();
        QStandardItem* folder = tree.Model().itemFromIndex(tree.currentIndex());
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
};

}  // namespace xelo

QTEST_MAIN(xelo::DirTreeTest)
#include "DirTreeTest.moc"
