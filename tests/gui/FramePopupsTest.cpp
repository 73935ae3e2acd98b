// The frame's tool and pen-width pop-ups, tool modes, the full-screen commands, activation, the
// remote-control keys and the message of a vanished Go To target.
#include <QAction>
#include <QApplication>
#include <QTest>
#include <QToolBar>
#include <QWidgetAction>
#include <filesystem>

#include "album/GoToTargets.h"
#include "base/StringTable.h"
#include "base/ViewModes.h"
#include "command/CommandIds.h"
#include "command/ToolModes.h"
#include "frame/MainFrame.h"
#include "frame/ODMenu.h"
#include "gui/GuiFixture.h"
#include "settings/PrefLayout.h"
#include "views/TavoDirTree.h"
#include "views/TavoListView.h"
#include "views/TavoView.h"

namespace xelo {

using test::GuiFixture;

namespace {

// The painted rows of an owner-drawn pop-up, in order.
std::vector<QWidget*> Rows(CODMenu& menu) {
    std::vector<QWidget*> rows;
    menu.ensurePolished();
    for (QAction* a : menu.actions()) {
        auto* holder = qobject_cast<QWidgetAction*>(a);
        if (holder && holder->defaultWidget()) rows.push_back(holder->defaultWidget());
    }
    return rows;
}

// True when the row's mark circle (x 6..11, vertically centred) is drawn in ink.
bool Marked(QWidget* row) {
    const QImage shot = row->grab().toImage();
    return QColor(shot.pixel(8, shot.height() / 2)) != QColor(Qt::white);
}

}  // namespace

class FramePopupsTest : public QObject {
    Q_OBJECT

  private slots:
    void exitFullScreenReturnsToABrowsingOrFilmstripMode() {
        const std::pair<int, int> cases[] = {
            {kModeThumbnail, kModeThumbnail},     {kModeList, kModeList},
            {kModeFilename, kModeFilename},       {kModeFilmstrip, kModeFilmstrip},
            {kModeSlideShowView, kModeThumbnail}, {kModeVgaFilmstrip, kModeThumbnail},
            {kModeNone, kModeThumbnail}};
        for (const auto& [previous, target] : cases)
            QCOMPARE(ExitFullScreenTarget(previous), target);
    }

    void toolMenuMarksAndSetsTheToolMode() {
        GuiFixture f(2);
        CODMenu& menu = *f.Frame().ToolMenu();
        const std::vector<QWidget*> rows = Rows(menu);
        // Pan, Zoom and Annotate Tools: 20-pixel rows at least 45 pixels plus the text wide.
        QCOMPARE(int(rows.size()), 3);
        const QFontMetrics metrics(menu.ItemFont());
        for (QWidget* row : rows)
            QCOMPARE(row->height(), kODItemHeight);
        QVERIFY(rows[1]->minimumWidth() >=
                45 + metrics.horizontalAdvance(QStringLiteral("Zoom Tools")));
        // The stored tool mode (Pan by default) carries the mark.
        QCOMPARE(menu.Current(), int(cmd::kPanTools));
        QVERIFY(Marked(rows[0]));
        QVERIFY(!Marked(rows[1]));

        // Choosing a row sets the flag field (0x2000 Zoom) and moves the mark; the rest of the word
        // is kept.
        const uint32_t before = f.App().Prefs().uiInfo.Get(ui::kFlags);
        menu.popup(QPoint(0, 0));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QTest::mouseClick(rows[1], Qt::LeftButton, {}, QPoint(20, 10));
        QVERIFY(!menu.isVisible());
        QCOMPARE(f.App().Prefs().uiInfo.Get(ui::kFlags), (before & ~0x6000u) | 0x2000u);
        QVERIFY(f.Frame().QueryState(cmd::kZoomTools).checked);
        QVERIFY(!f.Frame().QueryState(cmd::kPanTools).checked);
        QVERIFY(Marked(rows[1]));
        QVERIFY(!Marked(rows[0]));
        QVERIFY(f.Frame().Execute(cmd::kAnnotationTools));
        QCOMPARE(f.App().Prefs().uiInfo.Get(ui::kToolMode), uint32_t(kToolAnnotate));

        // A tool button opens the pop-up; the tool mode survives a restart.
        QVERIFY(f.Frame().Execute(cmd::kZoomTool));
        QVERIFY(menu.isVisible());
        menu.close();
        f.Stop();
        f.Start();
        QCOMPARE(f.Frame().ToolMenu()->Current(), int(cmd::kAnnotationTools));
    }

    void viewsDrawNothingWhileAModeSwitchRuns() {
        GuiFixture f(3);
        CTavoView& view = f.View();
        QVERIFY(QTest::qWaitFor([&] { return view.ThumbnailsComplete(); }));
        for (int i = 0; i < f.Doc().Count(); ++i)
            f.Doc().EntryAt(i)->SetFlag(kEntryThumbnail, false);

        int paints = 0;
        connect(&view, &CTavoView::cellsPainted, &view, [&paints] { ++paints; });
        f.App().SetFlag(kAppSwitchingMode, true);
        view.viewport()->repaint();
        QTest::qWait(30);
        // No cells drawn and no thumbnail made for them.
        QCOMPARE(paints, 0);
        QVERIFY(!f.Doc().EntryAt(0)->Has(kEntryThumbnail));
        f.App().SetFlag(kAppSwitchingMode, false);
        view.viewport()->repaint();
        QVERIFY(paints > 0);
        QVERIFY(QTest::qWaitFor([&] { return f.Doc().EntryAt(0)->Has(kEntryThumbnail); }));
    }

    void reactivationGivesTheFocusBack() {
        GuiFixture f(2);
        CMainFrame& frame = f.Frame();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        frame.Tree()->setFocus();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(frame.Tree()));

        QWidget other;
        other.setFocusPolicy(Qt::StrongFocus);
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(!frame.isActiveWindow());
        // A change while the frame is in the background moves its focus child to the view.
        f.View().setFocus();

        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        QVERIFY(QTest::qWaitFor(
            [&] { return QApplication::focusWidget() == static_cast<QWidget*>(frame.Tree()); }));
    }

    void vanishedGoToTargetIsReported() {
        GuiFixture f;
        f.MakeImages(1);
        const std::filesystem::path gone = std::filesystem::path(f.Folder()) / "gone";
        std::filesystem::create_directory(gone);
        f.Start({"-t", gone.string()});
        QVERIFY(f.Frame().Execute(kGoUpOneLevel));
        QCOMPARE(f.Doc().CurrentFolder(), f.Folder());
        // The recent list is now: the album folder, then "gone", which disappears.
        std::filesystem::remove(gone);
        const std::vector<std::string> recent = f.Doc().Recent().Folders();
        QCOMPARE(int(recent.size()), 2);
        QCOMPARE(recent[1], gone.string());

        std::vector<std::string> texts;
        const MessageReporter previous = SetMessageReporter(
            [&texts](QWidget*, const std::string& text) { texts.push_back(text); });
        const bool ran = f.Frame().Execute(kGoRecentFirst + 1);
        SetMessageReporter(previous);
        QVERIFY(ran);
        QCOMPARE(int(texts.size()), 1);
        QVERIFY(texts[0].find(LoadString(46012)) != std::string::npos);
        QCOMPARE(f.Doc().CurrentFolder(), f.Folder());
        QCOMPARE(f.Doc().Count(), 1);
    }
};

}  // namespace xelo

QTEST_MAIN(xelo::FramePopupsTest)
#include "FramePopupsTest.moc"
