// The window as a desktop user meets it. Built once and run twice: off screen with Qt's
// synthetic input, and on an X server (xvfb-run) with real input from xdotool.
#include <QApplication>
#include <QMenuBar>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QToolBar>
#include <filesystem>

#include "album/AlbumFixture.h"
#include "base/ViewModes.h"
#include "command/CommandIds.h"
#include "frame/MainFrame.h"
#include "frame/ODMenu.h"
#include "frame/TavoSplitter.h"
#include "gui/GuiFixture.h"
#include "views/TavoDirTree.h"
#include "views/TavoImgView.h"
#include "views/TavoView.h"

namespace xelo {

using test::GuiFixture;

namespace {

bool RealDisplay() {
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

void XDo(const QStringList& arguments) {
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), arguments), 0);
    QTest::qWait(100);  // the server's events reach the window
}

// A key as the user presses it on `target`'s window.
void Key(QWidget* target, Qt::Key key, const char* keysym) {
    if (!RealDisplay()) {
        QWidget* focus = QApplication::focusWidget();
        return QTest::keyClick(focus ? focus : target, key);
    }
    target->window()->activateWindow();
    QTRY_VERIFY(target->window()->isActiveWindow());
    XDo({"key", keysym});
}

void Click(QWidget* target, QPoint at) {
    if (!RealDisplay()) return QTest::mouseClick(target, Qt::LeftButton, {}, at);
    const QPoint global = target->mapToGlobal(at);
    XDo({"mousemove", "--sync", QString::number(global.x()), QString::number(global.y()), "click",
         "1"});
}

}  // namespace

class DesktopWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        if (RealDisplay() && QStandardPaths::findExecutable("xdotool").isEmpty())
            QSKIP("xdotool is not installed");
    }

    void treeKeepsItsSizeAfterImageModeStartsAndRestarts() {
        GuiFixture f;
        f.MakeImages(2);
        f.Start({"-i", f.Folder() + "/img01.bmp"});
        QVERIFY(f.Frame().Execute(cmd::kThumbnail));
        QVERIFY(f.Frame().Splitter()->FirstPaneSize() > 20);
        QVERIFY(f.Frame().Execute(cmd::kFullScreen));
        f.Stop();
        f.Start();
        QVERIFY(f.Frame().Splitter()->FirstPaneSize() > 20);
    }

    void modePopUpReachesEveryModeAndTheMenusOfferThem() {
        GuiFixture f(1);
        CMainFrame& frame = f.Frame();
        QWidget* switcher = qobject_cast<QToolBar*>(frame.menuBar()->cornerWidget())
                                ->widgetForAction(frame.Action(cmd::kSwitchMode));
        Click(switcher, switcher->rect().center());
        QTRY_VERIFY(frame.ModeMenu()->isVisible());
        QCOMPARE(frame.ModeMenu()->actions().size(), 7);  // Slide Show, a separator, five modes
        frame.ModeMenu()->close();
        QVERIFY(frame.ToolBar()->actions().contains(frame.Action(cmd::kFullScreen)));
        QCOMPARE(frame.menuBar()->actions()[2]->text(), QStringLiteral("Annotate"));
    }

    void keysReachThePictureInFilmstripAndAfterQuickView() {
        GuiFixture f;
        test::WriteImage(f.Folder(), "big.bmp", 900, 700);
        f.Start({"-i", f.Folder() + "/big.bmp"});
        CTavoImgView* view = f.Frame().ImgView();
        f.Frame().activateWindow();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(view));
        const int fitted = view->ZoomPercent();
        Key(view, Qt::Key_Plus, "plus");
        QVERIFY(view->ZoomPercent() > fitted);
        QCOMPARE(
            f.Frame().windowTitle(),
            QStringLiteral("big.bmp \u2014 900 \u00d7 700 \u2014 %1 %").arg(view->ZoomPercent()));
        // Quick View is modal: it is left with Escape while it runs.
        QVERIFY(f.Frame().Execute(cmd::kActualSize));
        QTimer::singleShot(
            300, view, [] { Key(QApplication::activeModalWidget(), Qt::Key_Escape, "Escape"); });
        QVERIFY(f.Frame().Execute(cmd::kQuickView));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(view));
        Key(view, Qt::Key_Minus, "minus");
        QVERIFY(view->ZoomPercent() < 100);
    }

    void deletedFolderHandsTheSelectionToItsParent() {
        GuiFixture f;
        for (const char* name : {"a", "b", "c"})
            std::filesystem::create_directory(f.Folder() + "/" + name);
        f.Start({"-t", f.Folder() + "/a"});
        CTavoDirTree* tree = f.Frame().Tree();
        const QModelIndex folder = tree->currentIndex().parent();
        tree->expand(folder);
        const QModelIndex b = tree->model()->index(1, 0, folder);  // a, b, c
        std::filesystem::remove(f.Folder() + "/b");
        Click(tree->viewport(), tree->visualRect(b).center());
        QTRY_COMPARE(tree->model()->rowCount(folder), 2);
        QTRY_COMPARE(tree->selectionModel()->selectedIndexes(), QModelIndexList{folder});
        QTRY_COMPARE(f.Doc().CurrentFolder(), f.Folder());
    }

    void clicksWithCtrlAndShiftAndTheGridKeysSelect() {
        GuiFixture f(6);
        CTavoView& view = f.View();
        const std::pair<int, Qt::KeyboardModifiers> clicks[] = {
            {1, {}}, {3, Qt::ShiftModifier}, {5, Qt::ControlModifier}};
        for (const auto& [index, keys] : clicks)
            QTest::mouseClick(view.viewport(), Qt::LeftButton, keys, f.ImageCentre(index));
        auto selected = [&f] {
            std::vector<int> on;
            for (int i = 0; i < f.Doc().Count(); ++i)
                if (f.Doc().EntryAt(i)->Has(kEntrySelected)) on.push_back(i);
            return on;
        };
        QCOMPARE(selected(), (std::vector<int>{1, 2, 3, 5}));
        Key(&view, Qt::Key_End, "End");
        QCOMPARE(selected(), std::vector<int>{5});
        QTest::keyClick(&view, Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(selected(), (std::vector<int>{4, 5}));
        Key(&view, Qt::Key_Home, "Home");
        QCOMPARE(selected(), std::vector<int>{0});
    }

    void vanishedFileSaysItCannotBeReached() {
        GuiFixture f;
        f.MakeImages(2);
        f.Start({"-i", f.Folder() + "/img01.bmp"});
        // The scan order is the directory's: the other image is before or after this one.
        const bool second = f.Doc().IndexOf(f.Frame().ImgView()->Shown()) == 0;
        std::filesystem::remove(f.Folder() + "/" + f.Doc().EntryAt(second ? 1 : 0)->Name());
        QVERIFY(f.Frame().Execute(second ? cmd::kNextImage : cmd::kPreviousImage));
        f.Frame().ImgView()->grab();
        QCOMPARE(f.Frame().ImgView()->FailedText(), QStringLiteral("Unable to access the file."));
    }
};

}  // namespace xelo

QTEST_MAIN(xelo::DesktopWindowTest)
#include "DesktopWindowTest.moc"
