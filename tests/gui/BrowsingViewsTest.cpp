// The browsing views in a running window: grid geometry, keys, taps, drag reordering, the
// Filename table and help.
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <filesystem>
#include <fstream>

#include "album/AlbumFixture.h"
#include "base/StringTable.h"
#include "codec/BmpWriter.h"
#include "command/CommandIds.h"
#include "frame/MainFrame.h"
#include "gui/GuiFixture.h"
#include "image/DibImage.h"
#include "views/ListTexts.h"
#include "views/TavoListView.h"
#include "views/TavoView.h"

namespace xelo {

using test::GuiFixture;

class BrowsingViewsTest : public QObject {
    Q_OBJECT

  private slots:
    void handheldGridHasThreeColumns();
    void scrollBarIsSubtractedBeforeCountingColumns();
    void listRowsKeepTheirHeightForEverySize();
    void upMovesToThePreviousImage();
    void tapTogglesWithMultipleImages();
    void dragNextToTheCurrentImageMovesNothing_data();
    void dragNextToTheCurrentImageMovesNothing();
    void filenameSortBySizeTwice();
    void unknownResolutionShowsNotAvailable();
    void helpKeyInFilenameViewOpensItsTopic();
    void onlyVisibleCellsAreDecoded();
    void dragFromTheGapSelectsARange();
    void holdingAPressOpensTheContextMenu();
    void selectionCommands();
    void filenameKeysMoveTheSelection();
    void upOneLevelOpensTheParent();
    void filenameFocusKeepsItsRowWhenTheListChanges();
    void paintedCellsShowSelectionAndThumbnails();
};

void BrowsingViewsTest::handheldGridHasThreeColumns() {
    // Normal thumbnails, 3D border and labels on a 240-wide window: 3 columns, gap 10, margin 0.
    GuiFixture f;
    f.MakeImages(3);
    f.Start();
    QCOMPARE(f.View().width(), 240);
    const GridLayout& g = f.View().Layout();
    QCOMPARE(g.columns, 3);
    QCOMPARE(g.gap, 10);
    QCOMPARE(g.margin, 0);
    QCOMPARE(g.cellWidth, 70);
    QVERIFY(!f.View().verticalScrollBar()->isVisible());
}

void BrowsingViewsTest::scrollBarIsSubtractedBeforeCountingColumns() {
    GuiFixture f;
    f.MakeImages(30);
    f.Start();
    const GridLayout& g = f.View().Layout();
    QVERIFY(f.View().verticalScrollBar()->isVisible());
    QCOMPARE(g.clientWidth, 240 - f.View().verticalScrollBar()->width());
    QCOMPARE(g.columns, 3);
    QCOMPARE(g.totalRows, 10);
    QVERIFY(g.gap < 10);
}

void BrowsingViewsTest::listRowsKeepTheirHeightForEverySize() {
    GuiFixture f;
    f.MakeImages(5);
    f.Start({"-l", f.Folder()});
    QCOMPARE(f.App().ViewMode(), int(cmd::kList));
    for (int size = cmd::kLargeThumbnail; size <= cmd::kTinyThumbnail; ++size) {
        QVERIFY(f.Frame().Execute(size));
        const GridLayout& g = f.View().Layout();
        QCOMPARE(g.columns, 1);
        QCOMPARE(g.gap, 0);
        QCOMPARE(g.margin, 0);
        QCOMPARE(g.cellHeight, 2 * 3 + 47);
    }
}

void BrowsingViewsTest::upMovesToThePreviousImage() {
    // Up moves by one image, not by one row.
    GuiFixture f;
    f.MakeImages(9);
    f.Start();
    f.Doc().ClearSelection();
    f.Doc().SetSelected(4, true);
    f.View().setFocus();
    QTest::keyClick(&f.View(), Qt::Key_Up);
    QCOMPARE(f.Doc().SelectedIndices(), std::vector<int>{3});
    QTest::keyClick(&f.View(), Qt::Key_Down);
    QTest::keyClick(&f.View(), Qt::Key_Down);
    QCOMPARE(f.Doc().SelectedIndices(), std::vector<int>{5});
}

void BrowsingViewsTest::tapTogglesWithMultipleImages() {
    GuiFixture f;
    f.MakeImages(4);
    f.Start();
    f.Doc().ClearSelection();
    QVERIFY(f.Frame().Execute(cmd::kMultipleImages));
    QWidget* viewport = f.View().viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, f.ImageCentre(1));
    QTest::mouseClick(viewport, Qt::LeftButton, {}, f.ImageCentre(2));
    QCOMPARE(f.Doc().SelectedIndices(), (std::vector<int>{1, 2}));
    QTest::mouseClick(viewport, Qt::LeftButton, {}, f.ImageCentre(1));
    QCOMPARE(f.Doc().SelectedIndices(), std::vector<int>{2});
    // Without the option a tap makes the image the only selection.
    QVERIFY(f.Frame().Execute(cmd::kMultipleImages));
    QTest::mouseClick(viewport, Qt::LeftButton, {}, f.ImageCentre(3));
    QCOMPARE(f.Doc().SelectedIndices(), std::vector<int>{3});
}

void BrowsingViewsTest::dragNextToTheCurrentImageMovesNothing_data() {
    QTest::addColumn<int>("dropIndex");
    QTest::addColumn<bool>("leftHalf");
    QTest::addColumn<bool>("moves");
    // The current image is 1; the drop mark sits before the cell when the pointer is at its
    // left edge, after it otherwise.
    QTest::newRow("just before itself") << 1 << true << false;
    QTest::newRow("just after itself") << 1 << false << false;
    QTest::newRow("before the next one") << 2 << true << false;
    QTest::newRow("to the front") << 0 << true << true;
}

void BrowsingViewsTest::dragNextToTheCurrentImageMovesNothing() {
    QFETCH(int, dropIndex);
    QFETCH(bool, leftHalf);
    QFETCH(bool, moves);
    GuiFixture f;
    f.MakeImages(4);
    f.Start();
    f.Doc().ClearSelection();
    f.Doc().SetSelected(1, true);
    const std::vector<std::string> before = f.Names();
    QWidget* viewport = f.View().viewport();
    const Rect cell = f.View().CellRect(dropIndex).cell;
    const QPoint drop(leftHalf ? cell.left + 1 : cell.left + 40, cell.top + 20);
    QTest::mousePress(viewport, Qt::LeftButton, {}, f.ImageCentre(1));
    QTest::mouseMove(viewport, drop);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, drop);
    if (moves) {
        QCOMPARE(f.Names().front(), before[1]);
    } else {
        QVERIFY(f.Names() == before);
    }
}

void BrowsingViewsTest::filenameSortBySizeTwice() {
    // Sizes: small (a, c with the same size), big (b); equal sizes are ordered by name.
    GuiFixture f;
    test::WriteImage(f.Folder(), "c.bmp", 10, 10);
    test::WriteImage(f.Folder(), "b.bmp", 40, 40);
    test::WriteImage(f.Folder(), "a.bmp", 10, 10);
    f.Start({"-f", f.Folder()});
    CTavoListView& list = f.ListView();
    auto rowNames = [&list] {
        std::vector<std::string> names;
        for (int r = 0; r < list.Model().rowCount(); ++r) {
            names.push_back(list.Model().EntryAtRow(r)->Name());
        }
        return names;
    };
    const std::vector<std::string> documentOrder = f.Names();
    list.header()->sectionClicked(kColSize);
    QVERIFY(rowNames() == (std::vector<std::string>{"a.bmp", "c.bmp", "b.bmp"}));
    QCOMPARE(list.header()->sortIndicatorOrder(), Qt::AscendingOrder);
    list.header()->sectionClicked(kColSize);
    QVERIFY(rowNames() == (std::vector<std::string>{"b.bmp", "c.bmp", "a.bmp"}));
    QCOMPARE(list.header()->sortIndicatorOrder(), Qt::DescendingOrder);
    QVERIFY(f.Names() == documentOrder);  // the album order is untouched
}

void BrowsingViewsTest::unknownResolutionShowsNotAvailable() {
    GuiFixture f;
    test::WriteImage(f.Folder(), "known.bmp", 96, 48);
    const std::string unknown = f.Folder() + "/unknown.bmp";
    test::WriteImage(f.Folder(), "unknown.bmp", 96, 48);
    {
        // Pixels per metre of the BMP info header (offsets 38 and 42): 0 = not given.
        std::fstream file(unknown, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(38);
        const char zeros[8] = {};
        file.write(zeros, sizeof zeros);
    }
    f.Start({"-f", f.Folder()});
    CFilenameModel& model = f.ListView().Model();
    for (int r = 0; r < model.rowCount(); ++r) {
        const bool isUnknown = model.EntryAtRow(r)->Name() == "unknown.bmp";
        for (int column : {int(kColActualWidth), int(kColActualHeight)}) {
            const QString text = model.data(model.index(r, column), Qt::DisplayRole).toString();
            QCOMPARE(text == "N/A", isUnknown);
        }
    }
}

void BrowsingViewsTest::helpKeyInFilenameViewOpensItsTopic() {
    GuiFixture f;
    f.MakeImages(2);
    f.Start({"-f", f.Folder()});
    QUrl opened;
    f.Frame().openHelp = [&opened](const QUrl& url) { opened = url; };
    f.ListView().setFocus();
    QTest::keyClick(&f.ListView(), Qt::Key_F1);
    QCOMPARE(opened.fragment(), QStringLiteral("Filename-View"));
    QVERIFY(opened.path().endsWith("xelo_album_help.htm"));
}

void BrowsingViewsTest::onlyVisibleCellsAreDecoded() {
    GuiFixture f;
    f.MakeImages(40);
    f.Start();
    CTavoView& view = f.View();
    QSignalSpy complete(&view, &CTavoView::screenComplete);
    view.viewport()->update();
    QVERIFY(complete.wait(5000) || view.ThumbnailsComplete());
    const int first = view.FirstVisibleIndex();
    const int visible = view.Layout().rows * view.Layout().columns;
    for (int i = 0; i < f.Doc().Count(); ++i) {
        const bool shown = i >= first && i < first + visible;
        QCOMPARE(f.Doc().EntryAt(i)->Has(kEntryThumbnail), shown);
    }
    // Scrolling down makes the newly visible ones.
    view.verticalScrollBar()->setValue(view.Layout().cellHeight * 3);
    QVERIFY(complete.wait(5000));
    QVERIFY(f.Doc().EntryAt(first + visible + 3)->Has(kEntryThumbnail));
    QVERIFY(!f.Doc().EntryAt(f.Doc().Count() - 1)->Has(kEntryThumbnail));
}

void BrowsingViewsTest::dragFromTheGapSelectsARange() {
    GuiFixture f;
    f.MakeImages(6);
    f.Start();
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

void BrowsingViewsTest::holdingAPressOpensTheContextMenu() {
    GuiFixture f;
    f.MakeImages(3);
    f.Start();
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

void BrowsingViewsTest::selectionCommands() {
    GuiFixture f;
    f.MakeImages(4);
    f.Start();
    f.Doc().ClearSelection();
    f.Doc().SetSelected(1, true);
    QVERIFY(f.Frame().Execute(cmd::kSelectInvert));
    QCOMPARE(f.Doc().SelectedIndices(), (std::vector<int>{0, 2, 3}));
    QVERIFY(f.Frame().Execute(cmd::kSelectAll));
    QCOMPARE(f.Doc().SelectedCount(), 4);
    QVERIFY(f.Frame().Execute(cmd::kSelectNone));
    QCOMPARE(f.Doc().SelectedCount(), 0);
}

void BrowsingViewsTest::filenameKeysMoveTheSelection() {
    GuiFixture f;
    f.MakeImages(3);
    f.Start({"-f", f.Folder()});
    CTavoListView& list = f.ListView();
    list.setFocus();
    QCOMPARE(list.FocusedRow(), 0);
    QTest::keyClick(&list, Qt::Key_Down);
    QTest::keyClick(&list, Qt::Key_Down);
    QCOMPARE(list.FocusedRow(), 2);
    QCOMPARE(f.Doc().SelectedIndices(), std::vector<int>{2});
    QTest::keyClick(&list, Qt::Key_Down);  // the last row: a beep, nothing moves
    QCOMPARE(list.FocusedRow(), 2);
    QTest::keyClick(&list, Qt::Key_Up);
    QCOMPARE(f.Doc().SelectedIndices(), std::vector<int>{1});
}

void BrowsingViewsTest::upOneLevelOpensTheParent() {
    GuiFixture f;
    std::filesystem::create_directories(f.Folder() + "/Sub");
    test::WriteImage(f.Folder() + "/Sub", "inner.bmp");
    test::WriteImage(f.Folder(), "outer.bmp");
    f.Start({"-t", f.Folder() + "/Sub"});
    QVERIFY(f.Frame().Execute(34000));  // Up One Level
    QCOMPARE(f.Doc().CurrentFolder(), f.Folder());
    QCOMPARE(f.Names(), std::vector<std::string>{"outer.bmp"});
    QCOMPARE(f.Doc().Recent().Folders().front(), f.Folder());
}

void BrowsingViewsTest::paintedCellsShowSelectionAndThumbnails() {
    // Images of pure white on the default colours: the selected cell's ring is yellow, the
    // other's the Preview grey; a made thumbnail fills its image box.
    GuiFixture f;
    for (const char* name : {"a.bmp", "b.bmp"}) {
        CDibImage white;
        white.Create(60, 45, 3, false);
        std::fill(white.Bits(), white.Bits() + white.Stride() * 45, uint8_t{255});
        WriteBmp(f.Folder() + "/" + name, white, 100, Resolution{});
    }
    f.Start();
    f.Doc().ClearSelection();
    f.Doc().SetSelected(0, true);
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

void BrowsingViewsTest::filenameFocusKeepsItsRowWhenTheListChanges() {
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

}  // namespace xelo

QTEST_MAIN(xelo::BrowsingViewsTest)
#include "BrowsingViewsTest.moc"
