// Filmstrip and Full Screen in a running window: entering them keeps one image selected and
// shows it, the strip and the image view share the pane, and the image view follows the strip.
#include <QApplication>
#include <QSplitterHandle>
#include <QTest>
#include <QToolBar>

#include "app/TavoApp.h"
#include "base/ViewModes.h"
#include "command/CommandIds.h"
#include "frame/MainFrame.h"
#include "frame/TavoSplitter.h"
#include "gui/GuiFixture.h"
#include "views/CellLayout.h"
#include "views/TavoDirTree.h"
#include "views/TavoImgView.h"
#include "views/TavoView.h"

namespace xelo {

using test::GuiFixture;

namespace {

bool ToolBarHas(CMainFrame& frame, int command) {
    return frame.ToolBar()->actions().contains(frame.Action(command));
}

}  // namespace

class FilmstripTest : public QObject {
    Q_OBJECT

  private slots:

    void doubleClickOnAThumbnailOpensItInFilmstrip() {
        GuiFixture f;
        f.MakeImages(4, 640, 480);
        f.Start();
        QTest::mouseDClick(f.View().viewport(), Qt::LeftButton, {}, f.ImageCentre(2));
        QTRY_COMPARE(f.App().ViewMode(), static_cast<int>(kModeFilmstrip));
        CTavoImgView& image = *f.Frame().ImgView();
        QCOMPARE(image.Shown(), f.Doc().EntryAt(2));
        QVERIFY(image.isVisible());
        QVERIFY(!f.Frame().Tree()->isVisible());
        // The 240 × 320 screen is portrait: the strip is one row above the picture.
        const CellStyle style = f.View().Style();
        QTRY_COMPARE(f.View().height(), CellHeight(style.metrics, false));
        QVERIFY(image.y() >= f.View().height());
        QVERIFY(image.width() > 0 && image.height() > 0);
        // The picture is fitted (Smart) to the view's size once it is laid out.
        QVERIFY(image.ZoomPercent() < 100);
        QVERIFY(image.Displayed().width == image.width() ||
                image.Displayed().height == image.height());
        QVERIFY(image.Offset().x <= 0 && image.Offset().y <= 0);
    }

    void theImageViewFollowsTheStripAndLeavesWithIt() {
        GuiFixture f(3);
        const QList<int> browsing = f.Frame().Splitter()->sizes();
        QVERIFY(f.Frame().Execute(cmd::kFilmstrip));
        CTavoImgView& image = *f.Frame().ImgView();
        QCOMPARE(image.Shown(), f.Doc().EntryAt(0));
        f.SelectOnly(2);
        QCOMPARE(image.Shown(), f.Doc().EntryAt(2));
        // Zoom commands reach the image view through the routing.
        QVERIFY(f.Frame().Execute(cmd::kZoomIn));
        QCOMPARE(image.ZoomPercent(), 116);
        QVERIFY(f.Frame().Execute(cmd::kThumbnail));
        QVERIFY(!image.isVisible());
        QVERIFY(f.Frame().Tree()->isVisible());
        QCOMPARE(image.Shown(), nullptr);
        QCOMPARE(f.Frame().Splitter()->sizes().mid(0, 2), browsing.mid(0, 2));
        // In Thumbnail mode the zoom commands have no taker.
        QVERIFY(!f.Frame().Execute(cmd::kZoomIn));
    }

    void fullScreenShowsOnlyThePictureAndExitsToThePreviousMode() {
        GuiFixture f(2);
        QVERIFY(f.Frame().Execute(cmd::kFilmstrip));
        QVERIFY(f.Frame().Execute(cmd::kFullScreen));
        CTavoImgView& image = *f.Frame().ImgView();
        QVERIFY(image.isVisible());
        QVERIFY(!f.View().isVisible());
        QCOMPARE(image.Shown(), f.Doc().EntryAt(0));
        QVERIFY(f.Frame().Execute(cmd::kExitFullScreen));
        QCOMPARE(f.App().ViewMode(), static_cast<int>(kModeFilmstrip));
        QVERIFY(f.View().isVisible());
        // Enter in Full Screen goes to Thumbnail.
        QVERIFY(f.Frame().Execute(cmd::kFullScreen));
        QTest::keyClick(&image, Qt::Key_Return);
        QTRY_COMPARE(f.App().ViewMode(), static_cast<int>(kModeThumbnail));
        QVERIFY(f.Frame().Tree()->isVisible());
    }

    void anAnimatedPictureBringsTheAnimationToolBarsAndStopsWhenLeft() {
        GuiFixture f;
        f.MakeImages(1);
        test::WriteAnimation(f.Folder() + "/zz.gif", 4, {{0, 0, 4, 0, 1, 10}, {0, 0, 4, 1, 1, 10}});
        f.Start();
        int gif = -1;
        f.Doc().FindByName("zz.gif", &gif);
        f.SelectOnly(gif);
        QVERIFY(f.Frame().Execute(cmd::kFullScreen));
        QVERIFY(ToolBarHas(f.Frame(), cmd::kPlay));  // bar 908
        QVERIFY(!ToolBarHas(f.Frame(), cmd::kRotateMenu));
        QVERIFY(f.App().Flags() & kAppGifPlaying);
        f.SelectOnly(1 - gif);
        QVERIFY(!(f.App().Flags() & kAppGifPlaying));
        QVERIFY(!ToolBarHas(f.Frame(), cmd::kPlay));  // bar 907
        QVERIFY(ToolBarHas(f.Frame(), cmd::kRotateMenu));
        f.SelectOnly(gif);
        QVERIFY(f.Frame().Execute(cmd::kExitFullScreen));
        QCOMPARE(f.App().ViewMode(), static_cast<int>(kModeThumbnail));
        QVERIFY(f.Frame().Execute(cmd::kFilmstrip));
        QVERIFY(ToolBarHas(f.Frame(), cmd::kPreviousFrame));  // bar 905
        QVERIFY(f.App().Flags() & kAppGifPlaying);
        // Leaving the program's window stops the animation.
        QWidget other;
        other.show();
        other.activateWindow();
        QTRY_VERIFY(!f.Frame().isActiveWindow());
        QVERIFY(!(f.App().Flags() & kAppGifPlaying));
        QVERIFY(!f.Frame().ImgView()->Animation().Playing());
        QVERIFY(f.Frame().Execute(cmd::kPlay));
        QVERIFY(f.Frame().Execute(cmd::kThumbnail));
        QVERIFY(!(f.App().Flags() & kAppGifPlaying));
    }

    void theStripShowsTheCurrentImageAndCollapsesBelowHalfItsSize() {
        GuiFixture f(30);
        f.SelectOnly(27);
        QVERIFY(f.Frame().Execute(cmd::kFilmstrip));
        CTavoView& strip = f.View();
        // The strip is one row high on the portrait screen and scrolled to the shown image.
        const int row = CellHeight(strip.Style().metrics, false);
        QTRY_COMPARE(strip.height(), row);
        QTRY_VERIFY(strip.viewport()->rect().contains(f.ImageCentre(27)));
        QVERIFY(f.App().Flags() & kAppFilmstripVisible);
        CTavoSplitter& splitter = *f.Frame().Splitter();
        QSplitterHandle* handle = splitter.handle(2);
        auto drag = [&](int to) {
            const QPoint grip = handle->rect().center();
            QTest::mousePress(handle, Qt::LeftButton, {}, grip);
            QTest::mouseMove(handle, grip + QPoint(0, to - strip.height()));
            QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + QPoint(0, to - strip.height()));
        };
        // A little smaller: the strip springs back to its row.
        QVERIFY(handle->isVisible());  // the handle between strip and picture
        drag(row * 3 / 4);
        QTRY_COMPARE(splitter.sizes().value(1), row);
        QVERIFY(f.App().Flags() & kAppFilmstripVisible);
        // Below half a row: it collapses.
        drag(row / 3);
        QTRY_COMPARE(splitter.sizes().value(1), 0);
        QVERIFY(!(f.App().Flags() & kAppFilmstripVisible));
    }
};

}  // namespace xelo

QTEST_MAIN(xelo::FilmstripTest)
#include "FilmstripTest.moc"
