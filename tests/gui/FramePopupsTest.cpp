// The frame's tool and pen-width pop-ups, tool modes, the full-screen commands, activation, the
// remote-control keys and the message of a vanished Go To target.
#include <QAction>
#include <QApplication>
#include <QTest>
#include <QToolBar>
#include <QWidgetAction>
#include <filesystem>

#include "album/GoToTargets.h"
#include "settings/PrefLayout.h"
#include "base/StringTable.h"
#include "base/ViewModes.h"
#include "command/CommandIds.h"
#include "frame/MainFrame.h"
#include "frame/ODMenu.h"
#include "command/ToolModes.h"
#include "gui/GuiFixture.h"
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

// Collects the texts of messages instead of showing them.
class MessageLog {
  public:
    MessageLog() {
        previous_ = SetMessageReporter(
            [this](QWidget*, const std::string& text) { texts.push_back(text); });
    }
    ~MessageLog() { SetMessageReporter(std::move(previous_)); }
    std::vector<std::string> texts;

  private:
    MessageReporter previous_;
};

}  // namespace

class FramePopupsTest : public QObject {
    Q_OBJECT

  private slots:
    void toolButtonsFollowTheToolMode_data();
    void toolButtonsFollowTheToolMode();
    void exitFullScreenReturnsToABrowsingOrFilmstripMode_data();
    void exitFullScreenReturnsToABrowsingOrFilmstripMode();
    void toolMenuMarksAndSetsTheToolMode();
    void penWidthMenuDrawsBarsAndSetsTheWidth();
    void fullScreenCommandsAreOffInTheBrowsingModes();
    void fullScreenCommandsInAFullScreenLayout();
    void viewsDrawNothingWhileAModeSwitchRuns();
    void reactivationGivesTheFocusBack();
    void remoteKeysReachTheFocusedView();
    void vanishedGoToTargetIsReported();
};

void FramePopupsTest::toolButtonsFollowTheToolMode_data() {
    QTest::addColumn<uint>("mode");
    QTest::addColumn<int>("command");
    QTest::addColumn<bool>("actualSize");
    QTest::addColumn<bool>("visible");
    QTest::newRow("pan shows pan") << uint(kToolPan) << 30051 << false << true;
    QTest::newRow("pan hides zoom in") << uint(kToolPan) << 33000 << false << false;
    QTest::newRow("pan hides edit text") << uint(kToolPan) << 30201 << false << false;
    QTest::newRow("pan shows image info") << uint(kToolPan) << 30114 << false << true;
    QTest::newRow("pan at 100% hides image info") << uint(kToolPan) << 30114 << true << false;
    QTest::newRow("pan at 100% shows actual size") << uint(kToolPan) << 30115 << true << true;
    QTest::newRow("pan hides actual size") << uint(kToolPan) << 30115 << false << false;
    QTest::newRow("zoom shows quick view") << uint(kToolZoom) << 30104 << false << true;
    QTest::newRow("zoom hides rotate") << uint(kToolZoom) << 30100 << false << false;
    QTest::newRow("zoom hides image info") << uint(kToolZoom) << 30114 << true << false;
    QTest::newRow("zoom hides erase all") << uint(kToolZoom) << 32003 << false << false;
    QTest::newRow("annotate shows pen width") << uint(kToolAnnotate) << 32001 << false << true;
    QTest::newRow("annotate hides zoom out") << uint(kToolAnnotate) << 33100 << false << false;
    QTest::newRow("no tool's button always shows") << uint(kToolZoom) << 30141 << false << true;
    QTest::newRow("slide show always shows") << uint(kToolAnnotate) << 30301 << true << true;
}

void FramePopupsTest::toolButtonsFollowTheToolMode() {
    QFETCH(uint, mode);
    QFETCH(int, command);
    QFETCH(bool, actualSize);
    QFETCH(bool, visible);
    QCOMPARE(ToolButtonVisible(mode, command, actualSize), visible);
}

void FramePopupsTest::exitFullScreenReturnsToABrowsingOrFilmstripMode_data() {
    QTest::addColumn<int>("previous");
    QTest::addColumn<int>("target");
    QTest::newRow("thumbnail") << int(kModeThumbnail) << int(kModeThumbnail);
    QTest::newRow("list") << int(kModeList) << int(kModeList);
    QTest::newRow("filename") << int(kModeFilename) << int(kModeFilename);
    QTest::newRow("filmstrip") << int(kModeFilmstrip) << int(kModeFilmstrip);
    QTest::newRow("slide show") << int(kModeSlideShowView) << int(kModeThumbnail);
    QTest::newRow("vga filmstrip") << int(kModeVgaFilmstrip) << int(kModeThumbnail);
    QTest::newRow("none yet") << int(kModeNone) << int(kModeThumbnail);
}

void FramePopupsTest::exitFullScreenReturnsToABrowsingOrFilmstripMode() {
    QFETCH(int, previous);
    QFETCH(int, target);
    QCOMPARE(ExitFullScreenTarget(previous), target);
}

void FramePopupsTest::toolMenuMarksAndSetsTheToolMode() {
    GuiFixture f;
    f.MakeImages(2);
    f.Start();
    CODMenu& menu = *f.Frame().ToolMenu();
    const std::vector<QWidget*> rows = Rows(menu);
    // Pan Tools, Zoom Tools, Annotate Tools; 20-pixel rows at least 45 pixels plus the text wide.
    QCOMPARE(int(rows.size()), 3);
    const QFontMetrics metrics(menu.ItemFont());
    for (QWidget* row : rows) {
        QCOMPARE(row->height(), kODItemHeight);
    }
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

void FramePopupsTest::penWidthMenuDrawsBarsAndSetsTheWidth() {
    GuiFixture f;
    f.MakeImages(1);
    f.Start();
    CODMenu& menu = *f.Frame().PenWidthMenu();
    const std::vector<QWidget*> rows = Rows(menu);
    QCOMPARE(int(rows.size()), 5);
    QCOMPARE(PenWidthText(1), QStringLiteral("1 Unit"));
    QCOMPARE(PenWidthText(4), QStringLiteral("4 Units"));
    // The default width 3 is marked.
    QCOMPARE(menu.Current(), 3);
    QVERIFY(Marked(rows[2]));
    QVERIFY(!Marked(rows[0]));
    // Each row's bar (x 16..31) is as thick as its pen.
    for (int width = 1; width <= 5; ++width) {
        const QImage shot = rows[size_t(width - 1)]->grab().toImage();
        int thick = 0;
        for (int y = 0; y < shot.height(); ++y) {
            if (QColor(shot.pixel(24, y)) != QColor(Qt::white)) ++thick;
        }
        QCOMPARE(thick, width);
    }
    // Pen Width opens the pop-up; a row sets the width (command - 32100).
    QVERIFY(f.Frame().QueryState(cmd::kPenWidth).enabled);
    QVERIFY(f.Frame().Execute(cmd::kPenWidth));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    QTest::mouseClick(rows[4], Qt::LeftButton, {}, QPoint(20, 10));
    QCOMPARE(f.App().Prefs().uiInfo.Get(ui::kInkWidth), 5u);
    QVERIFY(f.Frame().QueryState(32105).checked);
    QVERIFY(Marked(rows[4]));
    // While a GIF animation steps, Pen Width is off.
    f.App().SetFlag(kAppGifPlaying, true);
    QVERIFY(!f.Frame().QueryState(cmd::kPenWidth).enabled);
    f.App().SetFlag(kAppGifPlaying, false);
}

void FramePopupsTest::fullScreenCommandsAreOffInTheBrowsingModes() {
    GuiFixture f;
    f.MakeImages(2);
    f.Start({"-l", f.Folder()});
    for (int id : {cmd::kExitFullScreen, cmd::kToolBarFullScreen}) {
        QVERIFY(!f.Frame().QueryState(id).enabled);
        QVERIFY(!f.Frame().Execute(id));
    }
    QCOMPARE(f.App().ViewMode(), int(kModeList));
    QVERIFY(f.Frame().BottomBand()->isHidden());
}

void FramePopupsTest::fullScreenCommandsInAFullScreenLayout() {
    // Full Screen itself is not built yet: the state it leaves is set by hand.
    GuiFixture f;
    f.MakeImages(2);
    f.Start();
    f.App().SetPreviousMode(kModeFilename);
    f.App().SetMode(kModeFullScreen);

    // Toolbar in Full Screen shows the bottom band, then hides it; checked while it shows.
    QVERIFY(!f.Frame().QueryState(cmd::kToolBarFullScreen).checked);
    QVERIFY(f.Frame().Execute(cmd::kToolBarFullScreen));
    QVERIFY(!f.Frame().BottomBand()->isHidden());
    QVERIFY(f.Frame().QueryState(cmd::kToolBarFullScreen).checked);
    QVERIFY(f.Frame().Execute(cmd::kToolBarFullScreen));
    QVERIFY(f.Frame().BottomBand()->isHidden());

    // Exit Full Screen returns to the previous mode, with its browsing view.
    QVERIFY(f.Frame().QueryState(cmd::kExitFullScreen).enabled);
    QVERIFY(f.Frame().Execute(cmd::kExitFullScreen));
    QCOMPARE(f.App().ViewMode(), int(kModeFilename));
    QCOMPARE(f.App().PreviousMode(), int(kModeFullScreen));
    QCOMPARE(f.Frame().ActiveBrowser(), static_cast<QWidget*>(f.Frame().ListView()));
    QVERIFY(!f.Frame().QueryState(cmd::kExitFullScreen).enabled);
}

void FramePopupsTest::viewsDrawNothingWhileAModeSwitchRuns() {
    GuiFixture f;
    f.MakeImages(3);
    f.Start();
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

void FramePopupsTest::reactivationGivesTheFocusBack() {
    GuiFixture f;
    f.MakeImages(2);
    f.Start();
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

void FramePopupsTest::remoteKeysReachTheFocusedView() {
    GuiFixture f;
    f.MakeImages(3);
    f.Start();
    f.Doc().ClearSelection();
    f.Doc().SetSelected(1, true);
    f.View().setFocus();
    // 3 is Up: the previous image in Thumbnail mode; 4 is Down: the next one.
    f.Frame().RemoteKey(3, 0);
    QCOMPARE(f.Doc().FirstSelected(), 0);
    f.Frame().RemoteKey(4, 0);
    QCOMPARE(f.Doc().FirstSelected(), 1);
    // Unknown kinds and digits out of range do nothing.
    f.Frame().RemoteKey(9, 0);
    f.Frame().RemoteKey(0, 12);
    QCOMPARE(f.Doc().FirstSelected(), 1);
}

void FramePopupsTest::vanishedGoToTargetIsReported() {
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

    MessageLog log;
    QVERIFY(f.Frame().Execute(kGoRecentFirst + 1));
    QCOMPARE(int(log.texts.size()), 1);
    QVERIFY(log.texts[0].find(LoadString(46012)) != std::string::npos);
    QCOMPARE(f.Doc().CurrentFolder(), f.Folder());
    QCOMPARE(f.Doc().Count(), 1);
}

}  // namespace xelo

QTEST_MAIN(xelo::FramePopupsTest)
#include "FramePopupsTest.moc"
