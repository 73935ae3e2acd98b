// The remote plug-in on a running window: keys the window leaves unhandled reach it, and the
// remote keys it posts back step the Filmstrip; keys the window takes are not seen twice.
#include <QTest>

#include "base/ViewModes.h"
#include "frame/MainFrame.h"
#include "frame/RemoteControl.h"
#include "gui/GuiFixture.h"
#include "output/RemotePlugins.h"
#include "views/TavoImgView.h"

namespace xelo {

class RemoteControlTest : public QObject {
    Q_OBJECT

  private slots:
    void presenterKeysStepTheFilmstripThroughThePlugin() {
        test::GuiFixture f(4);
        // The program found none beside the test: load the test's own.
        QCOMPARE(output::RemotePlugins().Discover({XELO_TEST_RMC_DIR}), 1);
        f.SelectOnly(0);
        f.Frame().SwitchMode(kModeFilmstrip);
        CTavoImgView& image = *f.Frame().ImgView();
        image.setFocus();
        QVERIFY(f.Frame().Remote()->ReopenFor("Virtual Display"));
        // Page Down is not the image view's key: it reaches the plug-in, which posts Right.
        QTest::keyClick(&image, Qt::Key_PageDown);
        QTRY_COMPARE(image.Shown(), f.Doc().EntryAt(1));
        // Right is the image view's own key: one step, not a second one through the plug-in.
        QTest::keyClick(&image, Qt::Key_Right);
        QTest::qWait(50);
        QCOMPARE(image.Shown(), f.Doc().EntryAt(2));
        QTest::keyClick(&image, Qt::Key_PageUp);
        QTRY_COMPARE(image.Shown(), f.Doc().EntryAt(1));
        f.Frame().Remote()->Close();
        QTest::keyClick(&image, Qt::Key_PageDown);
        QTest::qWait(50);
        QCOMPARE(image.Shown(), f.Doc().EntryAt(1));
    }
};

}  // namespace xelo

QTEST_MAIN(xelo::RemoteControlTest)
#include "RemoteControlTest.moc"
