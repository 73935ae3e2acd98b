// The frame: tool bars and menus built from their lists, enabling rules asked as menus open,
// mode switching and the "Thumbnails and Colors" dialog.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

#include "base/Registry.h"
#include "base/ViewModes.h"
#include "command/CommandIds.h"
#include "frame/MainFrame.h"
#include "frame/ODMenu.h"
#include "frame/ThumbnailsDialog.h"
#include "gui/GuiFixture.h"
#include "settings/ThumbnailOptions.h"
#include "views/CellPainter.h"
#include "views/TavoListView.h"
#include "views/TavoView.h"

namespace xelo {

using test::GuiFixture;

class MainFrameTest : public QObject {
    Q_OBJECT

  private slots:
    void selectionCommandsAreEnabledWhenTheMenuOpens() {
        GuiFixture f(1);
        QAction* hide = f.Frame().Action(cmd::kHideSlide);
        QMenu* viewMenu = f.Frame().menuBar()->actions().at(1)->menu();
        f.Doc().ClearSelection();
        emit viewMenu->aboutToShow();
        QVERIFY(!hide->isEnabled());
        f.Doc().SetSelected(0, true);
        emit viewMenu->aboutToShow();
        QVERIFY(hide->isEnabled());
        // A single image cannot be reordered; the submenu asks as it opens.
        QMenu* reorder = nullptr;
        for (QAction* a : viewMenu->actions()) {
            if (a->menu() && a->menu()->actions().contains(f.Frame().Action(cmd::kReorderByName))) {
                reorder = a->menu();
            }
        }
        QVERIFY(reorder);
        emit reorder->aboutToShow();
        QVERIFY(!f.Frame().Action(cmd::kReorderByName)->isEnabled());
        // A disabled command does nothing when it arrives anyway.
        QVERIFY(!f.Frame().Execute(cmd::kReorderReverse));
    }

    void goToMenuListsRecentFoldersThenThePlaces() {
        GuiFixture f(1);
        QMenu* menu = f.Frame().GoToMenu();
        emit menu->aboutToShow();
        QStringList texts;
        for (QAction* a : menu->actions())
            texts << (a->isSeparator() ? QString("-") : a->text());
        // One recent folder (this one), numbered 1, then the fixed places.
        QCOMPARE(texts.size(), 6);
        QVERIFY(texts[0].startsWith("1 "));
        QCOMPARE(texts[1], QStringLiteral("-"));
        QCOMPARE(texts[3], QStringLiteral("Browse Flash Card"));
        QCOMPARE(texts[4], QStringLiteral("Up One Level"));
        QCOMPARE(texts[5], QStringLiteral("Home Folder"));
    }
};

}  // namespace xelo

QTEST_MAIN(xelo::MainFrameTest)
#include "MainFrameTest.moc"
