// Start-up and exit: what a restart comes back to, and two real processes handing over.
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSettings>
#include <QTest>
#include <csignal>
#include <filesystem>

#include "album/AlbumFixture.h"
#include "base/Registry.h"
#include "base/ViewModes.h"
#include "command/CommandIds.h"
#include "frame/MainFrame.h"
#include "gui/GuiFixture.h"
#include "support/TempDir.h"
#include "views/TavoView.h"

namespace xelo {

using test::GuiFixture;

namespace {

// Waits until the process's standard error holds `text`.
bool WaitForOutput(QProcess& process, QByteArray& seen, const QByteArray& text) {
    for (int i = 0; i < 100 && !seen.contains(text); ++i) {
        process.waitForReadyRead(100);
        seen += process.readAllStandardError();
    }
    return seen.contains(text);
}

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT

  private slots:
    void restartComesBackToFolderAndThumbnailSettings() {
        GuiFixture f(4);
        QVERIFY(f.Frame().Execute(cmd::kSmallThumbnail));
        QVERIFY(f.Frame().Execute(cmd::kReorderReverse));
        const std::vector<std::string> reversed = f.Names();
        f.Stop();
        // The album data of the folder was written on the way out.
        QVERIFY(std::filesystem::exists(f.Folder() + "/xelo_album.xla"));
        QCOMPARE(f.Store().ReadString(reg::kStrings, reg::kPath).value_or(""), f.Folder());

        f.Start(std::vector<std::string>{});  // no arguments: the last folder, in the start-up mode
        QCOMPARE(f.Doc().CurrentFolder(), f.Folder());
        QCOMPARE(f.App().ViewMode(), int(kModeThumbnail));
        QVERIFY(f.Names() == reversed);
        const GridLayout& g = f.View().Layout();
        QCOMPARE(g.cellWidth, 44 + 2 * 3 + 4);  // Small thumbnails
    }

    void secondStartRetargetsTheFirst() {
        test::TempDir config;
        test::TempDir first;
        test::TempDir second;
        test::WriteImage(first.Path().string(), "a.bmp");
        test::WriteImage(second.Path().string(), "b.bmp");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_CONFIG_HOME", QString::fromStdString(config.Path().string()));
        auto start = [&env](QProcess& p, const QStringList& args) {
            p.setProcessEnvironment(env);
            p.start(QStringLiteral(XELO_ALBUM_PATH), args);
            return p.waitForStarted(5000);
        };

        QProcess running;
        QVERIFY(start(running, {"--log", "-t", QString::fromStdString(first.Path().string())}));
        QByteArray log;
        QVERIFY(WaitForOutput(
            running, log, "mode 30124 folder " + QByteArray::fromStdString(first.Path().string())));

        // With arguments: the first switches to that folder in List mode; the second ends.
        QProcess retarget;
        QVERIFY(start(retarget, {"-l", QString::fromStdString(second.Path().string())}));
        QVERIFY(retarget.waitForFinished(10000));
        QCOMPARE(retarget.exitCode(), 0);
        QVERIFY(WaitForOutput(
            running, log,
            "mode 30125 folder " + QByteArray::fromStdString(second.Path().string())));

        // Without arguments: the second ends and nothing changes.
        const int modeLines = log.count("mode ");
        QProcess bare;
        QVERIFY(start(bare, {}));
        QVERIFY(bare.waitForFinished(10000));
        QCOMPARE(bare.exitCode(), 0);
        running.waitForReadyRead(500);
        log += running.readAllStandardError();
        QCOMPARE(log.count("mode "), modeLines);
        QCOMPARE(running.state(), QProcess::Running);

        // Ending the first in order writes its preferences: the folder it was sent to.
        ::kill(static_cast<pid_t>(running.processId()), SIGTERM);
        QVERIFY(running.waitForFinished(10000));
        const QString ini = QDir(QString::fromStdString(config.Path().string()))
                                .filePath("Xelo Style/Xelo Album.ini");
        QSettings stored(ini, QSettings::IniFormat);
        QCOMPARE(stored.value("2.30/Strings/Path").toString(),
                 QString::fromStdString(second.Path().string()));
    }

    // Browsing a folder and leaving it writes no album file; hiding a slide does.
    void aFolderOnlyBrowsedGetsNoAlbumFile() {
        GuiFixture f;
        f.MakeImages(3);
        const std::string album = f.Folder() + "/xelo_album.xla";
        f.Start();
        QVERIFY(f.Frame().Execute(kModeFilmstrip));
        f.Stop();
        QVERIFY(!std::filesystem::exists(album));
        f.Start();
        f.Doc().SetSelected(0, true);
        QVERIFY(f.Frame().Execute(cmd::kHideSlide));
        f.Stop();
        QVERIFY(std::filesystem::exists(album));
    }

    void helpAndVersionAnswerWithoutADisplay() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(name);
        for (const auto& [option, answer] :
             {std::pair{"--help", "Usage: xelo_album"}, std::pair{"--version", "xelo_album 0."}}) {
            QProcess p;
            p.setProcessEnvironment(env);
            QElapsedTimer clock;
            clock.start();
            p.start(QStringLiteral(XELO_ALBUM_PATH), {"-t", "/", option});
            QVERIFY(p.waitForFinished(5000));
            QVERIFY2(clock.elapsed() < 1000, option);
            QCOMPARE(p.exitCode(), 0);
            QVERIFY(p.readAllStandardOutput().startsWith(answer));
        }
    }
};

}  // namespace xelo

QTEST_MAIN(xelo::StartupTest)
#include "StartupTest.moc"
