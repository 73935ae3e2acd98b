// The browsing views in a running window: grid geometry, keys, taps, drag reordering, the
// Filename table and help.
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "album/AlbumFixture.h"
#include "command/CommandIds.h"
#include "frame/MainFrame.h"
#include "gui/GuiFixture.h"
#include "views/ListTexts.h"
#include "views/TavoListView.h"
#include "views/TavoView.h"

namespace xelo {

using test::GuiFixture;

class BrowsingViewsTest : public QObject {
    Q_OBJECT

  private slots:
    void dragNextToTheCurrentImageMovesNothing() {
        // The current image is 1; the drop mark sits before the cell when the pointer is at its
        // left edge, after it otherwise. Only the drop at the front moves it.
        for (const auto& [dropIndex, leftHalf] :
             {std::pair{1, true}, {1, false}, {2, true}, {0, true}}) {
            GuiFixture f(4);
            f.SelectOnly(1);
            const std::vector<std::string> before = f.Names();
            QWidget* viewport = f.View().viewport();
            const Rect cell = f.View().CellRect(dropIndex).cell;
            const QPoint drop(leftHalf ? cell.left + 1 : cell.left + 40, cell.top + 20);
            QTest::mousePress(viewport, Qt::LeftButton, {}, f.ImageCentre(1));
            QTest::mouseMove(viewport, drop);
            QTest::mouseRelease(viewport, Qt::LeftButton, {}, drop);
            if (dropIndex == 0)
                QCOMPARE(f.Names().front(), before[1]);
            else
                QVERIFY(f.Names() == before);
        }
    }

    void visibleCellsAreDecodedFirst() {
        GuiFixture f(40);
        CTavoView& view = f.View();
        QSignalSpy complete(&view, &CTavoView::screenComplete);
        view.viewport()->update();
        QVERIFY(complete.wait(5000) || view.ThumbnailsComplete());
        const int first = view.FirstVisibleIndex();
        const int visible = view.Layout().rows * view.Layout().columns;
        for (int i = first; i < first + visible; ++i)
            QVERIFY(f.Doc().EntryAt(i)->Has(kEntryThumbnail));
        // Scrolling down shows the newly visible ones (made by now or first in the queue).
        view.verticalScrollBar()->setValue(view.Layout().cellHeight * 3);
        QVERIFY(complete.wait(5000) || view.ThumbnailsComplete());
        QVERIFY(f.Doc().EntryAt(first + visible + 3)->Has(kEntryThumbnail));
    }

    void dragFromTheGapSelectsARange() {
        GuiFixture f(6);
        f.Doc().SetSelected(2, true);
        QWidget* viewport = f.View().viewport();
        const Rect gap = f.View().CellRect(0).cell;
        const QPoint start(gap.right - 2, gap.top + 30);  // the gap owned by cell 0
        QTest::mousePress(viewport, Qt::LeftButton, {}, start);
        QCOMPARE(f.Doc().SelectedCount(), 0);
        QTest::mouseMove(viewport, f.ImageCentre(1));  // the anchor
        QTest::mouseMove(viewport, f.ImageCentre(4));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, f.ImageCentre(4));
        QCOMPARE(f.Doc().SelectedIndices(), (std::vector<int>{1, 2, 3, 4}));
    }

    void holdingAPressOpensTheContextMenu() {
        GuiFixture f(3);
        f.Doc().ClearSelection();
        QWidget* viewport = f.View().viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, f.ImageCentre(2));
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(menu->title(), QStringLiteral("Thumbnail"));  // an image is selected
        menu->close();
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, f.ImageCentre(2));
        QCOMPARE(f.Doc().SelectedIndices(), std::vector<int>{2});
        // The right button opens the same menus at once; with nothing selected, "Thumbnail2".
        const Rect cell = f.View().CellRect(0).cell;
        QTest::mouseClick(viewport, Qt::RightButton, {}, QPoint(cell.right - 2, cell.top + 30));
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QCOMPARE(menu->title(), QStringLiteral("Thumbnail2"));
        menu->close();
    }

    void filenameFocusKeepsItsRowWhenTheListChanges() {
        GuiFixture f;
        f.MakeImages(4);
        f.Start({"-f", f.Folder()});
        CTavoListView& list = f.ListView();
        list.ClickColumn(kColName);  // a sort mark that the change clears
        f.Doc().ClearSelection();
        list.setFocus();
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(&list, Qt::Key_Up);  // to the top
        QTest::keyClick(&list, Qt::Key_Down);
        QTest::keyClick(&list, Qt::Key_Down);
        QCOMPARE(list.FocusedRow(), 2);
        QVERIFY(f.Frame().Execute(cmd::kReorderReverse));
        QCOMPARE(list.FocusedRow(), 2);
        QVERIFY(!list.header()->isSortIndicatorShown());
        QCOMPARE(list.Model().EntryAtRow(0), f.Doc().EntryAt(0));  // album order again
    }

    void paintedCellsShowSelectionAndThumbnails() {
        // Images of pure white on the default colours: the selected cell's ring is yellow, the
        // other's the Preview grey; a made thumbnail fills its image box.
        GuiFixture f;
        for (const char* name : {"a.bmp", "b.bmp"})
            test::WriteImage(f.Folder(), name, 60, 45, 255);
        f.Start();
        f.SelectOnly(0);
        CTavoView& view = f.View();
        QSignalSpy complete(&view, &CTavoView::screenComplete);
        view.viewport()->update();
        QVERIFY(complete.wait(5000) || view.ThumbnailsComplete());
        const QImage shot = view.viewport()->grab().toImage();
        const Rect ring0 = view.CellRect(0).selection;
        const Rect ring1 = view.CellRect(1).selection;
        const int mid = (ring0.top + ring0.bottom) / 2;
        QCOMPARE(QColor(shot.pixel(ring0.left, mid)), QColor(255, 255, 0));
        QCOMPARE(QColor(shot.pixel(ring1.left, mid)), QColor(0x66, 0x66, 0x66));
        const Rect box = view.CellRect(1).image;
        QCOMPARE(QColor(shot.pixel(box.right - 2, box.bottom - 2)), QColor(Qt::white));
    }
};

}  // namespace xelo

QTEST_MAIN(xelo::BrowsingViewsTest)
#include "BrowsingViewsTest.moc"
