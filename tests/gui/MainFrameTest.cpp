// The frame's menus: enabling rules asked as menus open.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "command/CommandIds.h"
#include "frame/MainFrame.h"
#include "gui/GuiFixture.h"

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
};

}  // namespace xelo

QTEST_MAIN(xelo::MainFrameTest)
#include "MainFrameTest.moc"
