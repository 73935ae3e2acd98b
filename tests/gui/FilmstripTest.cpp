// Filmstrip and Full Screen in a running window: entering them keeps one image selected and
// shows it, the strip and the image view share the pane, and the image view follows the strip.
#include <QTest>

#include "app/ViewModes.h"
#include "frame/CommandIds.h"
#include "frame/MainFrame.h"
#include "frame/TavoSplitter.h"
#include "gui/GuiFixture.h"
#include "views/CellLayout.h"
#include "views/TavoDirTree.h"
#include "views/TavoImgView.h"
#include "views/TavoView.h"

namespace xelo {

using test::GuiFixture;

class FilmstripTest : public QObject {
    Q_OBJECT

  private slots:
    void threeSelectedKeepOnlyTheFirst() {
        GuiFixture f;
        f.MakeImages(5);
        f.Start();
        f.Doc().ClearSelection();
        for (int i : {1, 3, 4})
            f.Doc().SetSelected(i, true);
        QVERIFY(f.Frame().Execute(cmd::kFilmstrip));
        QCOMPARE(f.App().ViewMode(), static_cast<int>(kModeFilmstrip));
        QCOMPARE(f.Doc().SelectedIndices(), std::vector<int>{1});
        QCOMPARE(f.Frame().ImgView()->Shown(), f.Doc().EntryAt(1));
    }

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
        // The picture takes the default zoom (Smart) for the view's size once it is laid out.
        const double factor = std::min(image.width() / 640.0, image.height() / 480.0);
        QCOMPARE(image.ZoomPercent(), static_cast<int>((factor + 0.005) * 100));
        QCOMPARE(image.Displayed(),
                 (Size{static_cast<int>(640 * factor), static_cast<int>(480 * factor)}));
        QVERIFY(image.Offset().x <= 0 && image.Offset().y <= 0);
    }

    void theImageViewFollowsTheStripAndLeavesWithIt() {
        GuiFixture f;
        f.MakeImages(3);
        f.Start();
        const QList<int> browsing = f.Frame().Splitter()->sizes();
        QVERIFY(f.Frame().Execute(cmd::kFilmstrip));
        CTavoImgView& image = *f.Frame().ImgView();
        QCOMPARE(image.Shown(), f.Doc().EntryAt(0));
        f.Doc().ClearSelection();
        f.Doc().SetSelected(2, true);
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
        GuiFixture f;
        f.MakeImages(2);
        f.Start();
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

    void anEmptyFolderStaysInThumbnail() {
        GuiFixture f;
        f.Start();
        QVERIFY(f.Frame().Execute(cmd::kFilmstrip));
        QCOMPARE(f.App().ViewMode(), static_cast<int>(kModeThumbnail));
        QVERIFY(f.Frame().Execute(cmd::kFullScreen));
        QCOMPARE(f.App().ViewMode(), static_cast<int>(kModeThumbnail));
        QVERIFY(!f.Frame().ImgView()->isVisible());
    }
};

}  // namespace xelo

QTEST_MAIN(xelo::FilmstripTest)
#include "FilmstripTest.moc"
