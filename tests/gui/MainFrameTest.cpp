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
#include "settings/ThumbnailOptions.h"
#include "base/ViewModes.h"
#include "command/CommandIds.h"
#include "frame/MainFrame.h"
#include "frame/ODMenu.h"
#include "frame/ThumbnailsDialog.h"
#include "gui/GuiFixture.h"
#include "views/CellPainter.h"
#include "views/TavoListView.h"
#include "views/TavoView.h"

namespace xelo {

using test::GuiFixture;

class MainFrameTest : public QObject {
    Q_OBJECT

  private slots:
    void browseToolBarHoldsOnlyBuiltCommands();
    void selectionCommandsAreEnabledWhenTheMenuOpens();
    void modesSwitchTheBrowsingView();
    void modeMenuMarksTheCurrentMode();
    void thumbnailsDialogStoresOnlyWhenConfirmed();
    void selectionRingFollowsThePreviewColour();
    void goToMenuListsRecentFoldersThenThePlaces();
    void toolBarToggleIsRemembered();
    void thumbnailSizeCommandsRelayTheGrid();
};

void MainFrameTest::browseToolBarHoldsOnlyBuiltCommands() {
    GuiFixture f;
    f.MakeImages(2);
    f.Start();
    std::vector<QAction*> buttons;
    for (QAction* a : f.Frame().ToolBar()->actions()) {
        if (!a->isSeparator()) buttons.push_back(a);
    }
    // Of 902's buttons, Thumbnail Option and Home Folder exist so far, in that order.
    QCOMPARE(int(buttons.size()), 2);
    QCOMPARE(buttons[0], f.Frame().Action(cmd::kThumbnailOption));
    QCOMPARE(buttons[1], f.Frame().Action(cmd::kHomeFolder));
    QVERIFY(!f.Frame().Action(cmd::kSlideShow));  // absent, not dead
}

void MainFrameTest::selectionCommandsAreEnabledWhenTheMenuOpens() {
    GuiFixture f;
    f.MakeImages(1);
    f.Start();
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

void MainFrameTest::modesSwitchTheBrowsingView() {
    GuiFixture f;
    f.MakeImages(3);
    f.Start();
    QCOMPARE(f.Frame().ActiveBrowser(), static_cast<QWidget*>(&f.View()));
    QVERIFY(f.Frame().Execute(cmd::kFilename));
    QCOMPARE(f.App().ViewMode(), int(kModeFilename));
    QCOMPARE(f.Frame().ActiveBrowser(), static_cast<QWidget*>(&f.ListView()));
    QCOMPARE(f.ListView().Model().rowCount(), 3);
    QVERIFY(f.Frame().Execute(cmd::kList));
    QCOMPARE(f.ListView().Model().rowCount(), 0);  // rows exist only in Filename mode
    QCOMPARE(f.App().PreviousMode(), int(kModeFilename));
    QCOMPARE(f.View().Layout().columns, 1);
}

void MainFrameTest::modeMenuMarksTheCurrentMode() {
    GuiFixture f;
    f.MakeImages(1);
    f.Start({"-l", f.Folder()});
    CODMenu* menu = f.Frame().ModeMenu();
    QCOMPARE(menu->Current(), int(kModeList));
    // Filename, List, Thumbnail: the built modes in the menu's order.
    QCOMPARE(menu->actions().size(), 3);
    // Destroying the window with its menu open and a view focused is clean.
    f.View().setFocus();
    menu->popup(QPoint(0, 0));
    QTest::qWait(20);
    QCOMPARE(QApplication::activePopupWidget(), static_cast<QWidget*>(menu));
}

void MainFrameTest::thumbnailsDialogStoresOnlyWhenConfirmed() {
    GuiFixture f;
    f.MakeImages(2);
    f.Start();
    const ThumbnailOptions before = ThumbnailOptions::Read(f.App().Prefs());
    f.Frame().runDialog = [](QDialog& dialog) {
        auto& d = static_cast<CThumbnailsDialog&>(dialog);
        ThumbnailOptions o = d.Options();
        o.size = 0;
        d.SetOptions(o);
        return int(QDialog::Rejected);
    };
    QVERIFY(f.Frame().Execute(cmd::kThumbnailsAndColors));
    QVERIFY(ThumbnailOptions::Read(f.App().Prefs()) == before);

    f.Frame().runDialog = [](QDialog& dialog) {
        auto& d = static_cast<CThumbnailsDialog&>(dialog);
        ThumbnailOptions o = d.Options();
        o.size = 0;   // Large
        o.frame = 0;  // None
        d.SetOptions(o);
        return int(QDialog::Accepted);
    };
    QVERIFY(f.Frame().Execute(cmd::kThumbnailsAndColors));
    QCOMPARE(f.View().Layout().cellWidth, 96 + 4);
    // "Preferences" is written at once.
    CPreferences stored;
    stored.Load(f.Store(), PreferenceContext{});
    QCOMPARE(ThumbnailOptions::Read(stored).size, 0);
}

void MainFrameTest::selectionRingFollowsThePreviewColour() {
    // On the default dark grey the ring is yellow; on white, blue.
    CellStyle style;
    QCOMPARE(HighlightColour(style), QColor(255, 255, 0));
    style.previewColour = 0xFFFFFF;
    QCOMPARE(HighlightColour(style), QColor(0, 0, 255));
    style.listMode = true;
    style.previewColour = 0x666666;
    QCOMPARE(HighlightColour(style), QColor(0, 0, 255));
}

void MainFrameTest::goToMenuListsRecentFoldersThenThePlaces() {
    GuiFixture f;
    f.MakeImages(1);
    f.Start();
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

void MainFrameTest::toolBarToggleIsRemembered() {
    GuiFixture f;
    f.MakeImages(1);
    f.Start();
    QVERIFY(f.Frame().ToolBar()->isVisible());
    QVERIFY(f.Frame().Execute(cmd::kToolBar));
    QVERIFY(!f.Frame().ToolBar()->isVisible());
    f.Stop();
    f.Start();  // the choice survives a restart
    QVERIFY(!f.Frame().ToolBar()->isVisible());
    QVERIFY(!f.Frame().QueryState(cmd::kToolBar).checked);
}

void MainFrameTest::thumbnailSizeCommandsRelayTheGrid() {
    GuiFixture f;
    f.MakeImages(4);
    f.Start();
    QVERIFY(f.Frame().Execute(cmd::kLargeThumbnail));
    QCOMPARE(f.View().Layout().cellWidth, 96 + 2 * 3 + 4);
    QCOMPARE(f.View().Layout().columns, 2);  // 240 / 108
    QVERIFY(f.Frame().QueryState(cmd::kLargeThumbnail).checked);
    QVERIFY(!f.Frame().QueryState(cmd::kNormalThumbnail).checked);
    QVERIFY(f.Frame().Execute(cmd::kTinyThumbnail));
    QCOMPARE(f.View().Layout().cellWidth, 32 + 2 * 3 + 4);
}

}  // namespace xelo

QTEST_MAIN(xelo::MainFrameTest)
#include "MainFrameTest.moc"
