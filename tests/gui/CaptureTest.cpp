// Screen capture. Run off screen and again on an X server (xvfb-run), where the grabbed pixels
// and the capture key pressed through xdotool are real.
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QtEndian>

#include "album/AlbumFixture.h"
#include "command/CommandIds.h"
#include "frame/CaptureCommands.h"
#include "frame/MainFrame.h"
#include "gui/GuiFixture.h"
#include "platform/GlobalKey.h"
#include "settings/Preferences.h"

namespace xelo {

using test::GuiFixture;

namespace {

// A picture of four known colours, left to right.
const QRgb kBands[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)};

QImage Bands(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y)
            image.setPixel(x, y, kBands[x * 4 / width]);
    }
    return image;
}

void CheckBands(const QString& path, QSize size) {
    const QImage saved(path);
    QCOMPARE(saved.size(), size);
    for (int band = 0; band < 4; ++band)
        QCOMPARE(saved.pixel(size.width() * band / 4 + 2, size.height() / 2), kBands[band]);
}

void Configure(GuiFixture& f, bool confirm) {
    UiInfoBlock& ui = f.App().Prefs().uiInfo;
    ui.Set(ui::kCaptureConfirm, confirm ? 1 : 0);
    ui.Set(ui::kCaptureFormat, 0);
    f.App().Prefs().snapPath = f.Folder();
    f.App().Prefs().snapName = "xelosnap";
}

}  // namespace

class CaptureTest : public QObject {
    Q_OBJECT

  private slots:
    void aTriggerDuringTheSaveIsIgnoredAndTheFileJoinsTheShownFolder() {
        GuiFixture f(2);
        Configure(f, true);
        f.App().Prefs().uiInfo.Set(ui::kCaptureDpi, 200);
        CCaptureCommands& capture = *f.Frame().CaptureCommands();
        int asked = 0;
        f.Frame().runDialog = [&](QDialog&) {
            ++asked;
            capture.Perform(Bands(8, 8));  // a second trigger while the first waits to be saved
            return int(QDialog::Accepted);
        };
        capture.Perform(Bands(64, 16));
        QCOMPARE(asked, 1);
        QCOMPARE(f.Names(),
                 (std::vector<std::string>{"img01.bmp", "img02.bmp", "xelosnap001.bmp"}));
        const QString saved = QString::fromStdString(f.Folder() + "/xelosnap001.bmp");
        CheckBands(saved, QSize(64, 16));
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray head = file.read(42);  // biXPelsPerMeter at 38: 200 dpi is 7874
        QCOMPARE(qFromLittleEndian<qint32>(head.constData() + 38), 7874);
        QVERIFY(!QFile::exists(QString::fromStdString(f.Folder() + "/xelosnap002.bmp")));
    }

    void theDialogOffersKeysOnlyWhereTheDesktopHasThem() {
        GuiFixture f(1);
        f.Frame().runDialog = [](QDialog& d) {
            auto* trigger = d.findChild<QComboBox*>(QStringLiteral("trigger"));
            const bool keys = CGlobalKey::Supported();
            if (keys != (d.findChild<QLabel*>(QStringLiteral("noKeys")) == nullptr)) return 0;
            trigger->setCurrentIndex(trigger->findText(QStringLiteral("Delay 5 seconds")));
            return int(QDialog::Accepted);
        };
        f.App().Prefs().uiInfo.Set(ui::kCaptureEnabled, 1);
        QVERIFY(f.Frame().Execute(cmd::kScreenCapture));
        QVERIFY(f.Frame().CaptureCommands()->Delay().isActive());
        QCOMPARE(f.Frame().CaptureCommands()->Delay().interval(), 5000);
        QCOMPARE(f.App().Prefs().uiInfo.Get(ui::kCaptureTrigger), 5000u);
    }

    void theDelayAndTheKeyCaptureWhatTheServerShows() {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) QSKIP("needs an X server");
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
            QSKIP("needs xdotool");
        }
        GuiFixture f(1);
        Configure(f, false);
        f.App().Prefs().uiInfo.Set(ui::kCaptureEnabled, 1);
        const QSize screen = QGuiApplication::primaryScreen()->size();
        QLabel cover;
        cover.setWindowFlags(Qt::FramelessWindowHint);
        cover.setPixmap(QPixmap::fromImage(Bands(screen.width(), screen.height())));
        cover.setGeometry(0, 0, screen.width(), screen.height());
        cover.show();
        QVERIFY(QTest::qWaitForWindowExposed(&cover));
        QTest::qWait(200);
        CCaptureCommands& capture = *f.Frame().CaptureCommands();
        capture.Delay().start(100);
        const QString first = QString::fromStdString(f.Folder() + "/xelosnap001.bmp");
        QTRY_VERIFY(QFile::exists(first));
        CheckBands(first, screen);

        // The key reaches the program while another window has the focus.
        f.Frame().runDialog = [](QDialog& d) {
            auto* trigger = d.findChild<QComboBox*>(QStringLiteral("trigger"));
            trigger->setCurrentIndex(trigger->findText(QStringLiteral("F9")));
            return int(QDialog::Accepted);
        };
        QVERIFY(f.Frame().Execute(cmd::kScreenCapture));
        QVERIFY(capture.Key().Registered());
        cover.activateWindow();
        QCOMPARE(QProcess::execute(QStringLiteral("xdotool"),
                                   {QStringLiteral("key"), QStringLiteral("F9")}),
                 0);
        QTRY_VERIFY(QFile::exists(QString::fromStdString(f.Folder() + "/xelosnap002.bmp")));
    }
};

}  // namespace xelo

QTEST_MAIN(xelo::CaptureTest)
#include "CaptureTest.moc"
