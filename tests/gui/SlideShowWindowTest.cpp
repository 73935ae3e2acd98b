// The slide show in the window: -s starts it full screen, keys move it, keys pressed while a
// transition draws are dropped, Escape goes back; a folder of hidden images refuses to play.
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>

#include "app/TavoApp.h"
#include "base/ViewModes.h"
#include "command/CommandIds.h"
#include "frame/MainFrame.h"
#include "frame/SlideShowCommands.h"
#include "gui/GuiFixture.h"
#include "platform/MessageBox.h"
#include "prefs/SlidePage.h"
#include "settings/Preferences.h"
#include "slideshow/SlideShowController.h"
#include "views/SlideShowView.h"
#include "views/TavoImgView.h"

namespace xelo {

using test::GuiFixture;

namespace {

// A clock whose first sleep presses Right on the view, as an impatient user would.
class KeyDuringTransitionClock : public ITransitionClock {
  public:
    explicit KeyDuringTransitionClock(QWidget* view) : view_(view) {}
    uint32_t TickCount() override { return now_; }
    void Sleep(uint32_t ms) override {
        if (now_ == 0) {
            QApplication::postEvent(view_, new QKeyEvent(QEvent::KeyPress, Qt::Key_Right, {}));
        }
        now_ += ms;
    }

  private:
    QWidget* view_;
    uint32_t now_ = 0;
};

}  // namespace

class SlideShowWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void keysMoveTheShowAndKeysDuringATransitionAreDropped() {
        GuiFixture f;
        f.MakeImages(3);
        f.Start({"-s", f.Folder()});
        QCOMPARE(f.App().ViewMode(), static_cast<int>(kModeSlideShowView));
        CSlideShowCommands& commands = *f.Frame().SlideShow();
        CSlideShowView& view = *commands.View();
        QVERIFY(view.isVisible());
        QVERIFY(f.Frame().ToolBar()->actions().contains(f.Frame().Action(cmd::kSlideGoTo)));
        QCOMPARE(commands.Show()->Position(), 0);
        QTest::keyClick(&view, Qt::Key_Right);
        QCOMPARE(commands.Show()->Position(), 1);
        QTest::keyClick(&view, Qt::Key_Home);
        QCOMPARE(commands.Show()->Position(), 0);

        // With the Cut effect the show restarts; Cut draws white, sleeps (the key arrives), copies.
        f.App().Prefs().preferences.Set(pref::kTransition, 2);
        f.App().Prefs().preferences.Set(pref::kTransitions, 1);
        commands.onCommand(cmd::kSlideShow);
        QCOMPARE(commands.Show()->Settings().transitionEffect, 2);
        KeyDuringTransitionClock clock(&view);
        view.SetClock(&clock);
        QTest::keyClick(&view, Qt::Key_Right);
        QCoreApplication::processEvents();
        QCOMPARE(commands.Show()->Position(), 1);  // the Right pressed meanwhile did not count
        view.SetClock(nullptr);  // back to the machine's clock

        QTest::keyClick(&view, Qt::Key_Escape);
        QCOMPARE(f.App().ViewMode(), static_cast<int>(kModeThumbnail));
        QVERIFY(!commands.Running());
        QVERIFY(!view.isVisible());
    }

    void aTapStopsAPlayingShowAndOnlyAStoppedShowTakesInk() {
        GuiFixture f;
        f.MakeImages(3);
        f.Start({"-s", f.Folder()});
        f.App().Prefs().preferences.Set(pref::kInkOnSlides, 1);
        CSlideShowCommands& commands = *f.Frame().SlideShow();
        CSlideShowView& view = *commands.View();
        if (!commands.Show()->Playing()) commands.onCommand(cmd::kSlidePlay);
        const QPoint centre = view.rect().center();
        auto stroke = [&] {
            QTest::mousePress(&view, Qt::LeftButton, {}, centre - QPoint(10, 10));
            QTest::mouseMove(&view, centre);
            QTest::mouseRelease(&view, Qt::LeftButton, {}, centre + QPoint(10, 10));
            QCoreApplication::processEvents();
        };
        stroke();
        QVERIFY(!commands.Show()->Playing());
        QCOMPARE(view.Ink().Layer().Count(), 0);
        const QImage before = view.grab().toImage();
        stroke();
        QCOMPARE(view.Ink().Layer().Count(), 1);
        QVERIFY(view.grab().toImage() != before);
        QVERIFY(f.Frame().Execute(cmd::kUndoLastStroke));
        QCOMPARE(view.grab().toImage(), before);
        stroke();
        QTest::keyClick(&view, Qt::Key_Right);  // the next slide starts without ink
        QCOMPARE(view.Ink().Layer().Count(), 0);
    }

    void pictureFrameCommandsChangeTheFullScreenPicture() {
        GuiFixture f;
        f.MakeImages(2, 200, 200);
        f.Start();
        f.App().Prefs().preferences.Set(pref::kFramesFullScreen, 1);
        QVERIFY(f.Frame().Execute(cmd::kFullScreen));
        CTavoImgView& view = *f.Frame().ImgView();
        QVERIFY(QTest::qWaitFor([&] { return view.height() > 0; }));
        auto grab = [&] { return view.grab().toImage(); };
        // The frames in turn differ, and a second flip restores the picture.
        for (int i = 0; i < 3; ++i) {
            const QImage before = grab();
            QVERIFY(f.Frame().Execute(cmd::kChangePictureFrame));
            const QImage framed = grab();
            QVERIFY(framed != before);
            QVERIFY(f.Frame().Execute(cmd::kFlipPictureFrame));
            f.Frame().Execute(cmd::kFlipPictureFrame);
            QCOMPARE(grab(), framed);
        }
        const QImage framed = grab();
        f.Frame().Execute(cmd::kTogglePictureFrame);
        QVERIFY(grab() != framed);
        f.Frame().Execute(cmd::kTogglePictureFrame);
        QCOMPARE(grab(), framed);
        QCOMPARE(f.Frame().QueryState(cmd::kTogglePictureFrame).text,
                 std::string("Disable Picture Frame"));
        f.Frame().Execute(cmd::kTogglePictureFrame);
        QCOMPARE(f.Frame().QueryState(cmd::kTogglePictureFrame).text,
                 std::string("Enable Picture Frame"));
        QVERIFY(!f.Frame().QueryState(cmd::kFlipPictureFrame).enabled);
    }

    void allHiddenRefusesWithBothMessages() {
        GuiFixture f;
        f.MakeImages(2);
        f.Start();
        for (int i = 0; i < f.Doc().Count(); ++i)
            f.Doc().EntryAt(i)->SetFlag(kEntryHidden, true);
        std::string said;
        const MessageReporter previous =
            SetMessageReporter([&said](QWidget*, const std::string& text) { said = text; });
        QVERIFY(!f.Frame().QueryState(cmd::kSlideShow).enabled);
        f.Frame().SlideShow()->onCommand(cmd::kSlideShow);
        SetMessageReporter(previous);
        QCOMPARE(said, std::string("Unable to play Slide Show.\nAll images are set to Hidden."));
        QCOMPARE(f.App().ViewMode(), static_cast<int>(kModeThumbnail));
    }

    void aDelayOutOfRangeKeepsTheSheetOpen() {
        CPreferences prefs;
        prefs.preferences.Set(pref::kSlideDelay, 5);
        CPrefSheet sheet(prefs);
        auto* page = new CSlidePage(sheet.Working(), &sheet);
        sheet.AddPage(page, QStringLiteral("Slide Show"));
        std::string said;
        const MessageReporter previous =
            SetMessageReporter([&said](QWidget*, const std::string& text) { said = text; });
        page->DelayEdit()->setText(QStringLiteral("301"));
        sheet.accept();
        QCOMPARE(said, std::string("Please input an integer between 0 and 300."));
        QCOMPARE(page->DelayEdit()->selectedText(), QStringLiteral("301"));
        QCOMPARE(sheet.Working().preferences.Get(pref::kSlideDelay), uint16_t{5});
        page->DelayEdit()->setText(QStringLiteral("300"));
        sheet.accept();
        SetMessageReporter(previous);
        QCOMPARE(sheet.result(), int{QDialog::Accepted});
        QCOMPARE(sheet.Working().preferences.Get(pref::kSlideDelay), uint16_t{300});
    }
};

}  // namespace xelo

QTEST_MAIN(xelo::SlideShowWindowTest)
#include "SlideShowWindowTest.moc"
