// Find in the window: hits open their folder and join the selection; the walk ends above the
// start folder with "Image file not found.".
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "album/AlbumFixture.h"
#include "command/CommandIds.h"
#include "frame/FindCommands.h"
#include "frame/MainFrame.h"
#include "gui/GuiFixture.h"
#include "settings/Preferences.h"
#include "views/FindDialog.h"
#include "views/FindWindow.h"
#include "views/TavoDirTree.h"

namespace xelo {

using test::GuiFixture;

class FindTest : public QObject {
    Q_OBJECT

  private slots:
    void hitsOpenTheirFolderAndWithMultipleImagesJoinTheSelection() {
        GuiFixture f(3);
        std::filesystem::create_directory(f.Folder() + "/Sub");
        test::WriteImage(f.Folder() + "/Sub", "sub.bmp");
        f.Start();
        f.App().Prefs().uiInfo.Set(ui::kMultipleSelection, 1);
        f.Frame().runDialog = [](QDialog& d) {
            d.findChild<QLineEdit*>(QStringLiteral("name"))->setText(QStringLiteral("B"));
            return int(QDialog::Accepted);
        };
        QVERIFY(f.Frame().Execute(cmd::kFind));
        CFindWindow* window = f.Frame().FindCommands()->Window();
        QVERIFY(window);
        // "B" matches every ".bmp" in any case; the search stays in the start folder.
        QTRY_COMPARE(window->Status(), QStringLiteral("Found: img01.bmp"));
        window->FindNext();
        QTRY_COMPARE(window->Status(), QStringLiteral("Found: img02.bmp"));
        QCOMPARE(f.Doc().SelectedCount(), 2);
        window->FindNext();
        QTRY_COMPARE(window->Status(), QStringLiteral("Found: img03.bmp"));
        window->FindNext();
        QTRY_VERIFY(window->Exhausted());
        QCOMPARE(window->Status(), QStringLiteral("Image file not found."));
        QVERIFY(!window->findChild<QPushButton*>(QStringLiteral("findNext"))->isEnabled());

        FindCriteria criteria;
        criteria.folder = f.Folder();
        criteria.subfolders = true;
        criteria.name = "sub";
        f.App().Prefs().uiInfo.Set(ui::kMultipleSelection, 0);
        f.Frame().FindCommands()->Start(criteria);
        window = f.Frame().FindCommands()->Window();
        QTRY_COMPARE(window->Status(), QStringLiteral("Found: sub.bmp"));
        QCOMPARE(f.Doc().CurrentFolder(), f.Folder() + "/Sub");
        QCOMPARE(f.Names(), std::vector<std::string>{"sub.bmp"});
        QCOMPARE(f.Doc().SelectedCount(), 1);
        QCOMPARE(f.Frame().Tree()->GetSelectedPath(), f.Folder() + "/Sub");
    }
};

}  // namespace xelo

QTEST_MAIN(xelo::FindTest)
#include "FindTest.moc"
