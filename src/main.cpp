// xelo_album: the desktop program. One instance per program path; a second start hands its
// command line to the first and ends.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/QuitOnSignal.h"
#include "base/Registry.h"
#include "app/SettingsRegistry.h"
#include "app/SingleInstance.h"
#include "settings/StartOptions.h"
#include "app/TavoApp.h"
#include "command/CommandIds.h"
#include "frame/MainFrame.h"
#include "output/OutputPlugins.h"
#include "output/PluginFolders.h"
#include "output/RemotePlugins.h"
#include "views/TavoView.h"
#include "platform/DisplayProfile.h"

int main(int argc, char** argv) {
    // Answered before Qt starts: no display, no window, no hand-over.
    if (const auto answer =
            xelo::ImmediateAnswer(std::vector<std::string>(argv + 1, argv + argc), XELO_VERSION)) {
        std::fputs(answer->c_str(), stdout);
        return 0;
    }
    // The output plug-ins are probed in child processes, which must be forked before Qt (or
    // anything else) starts threads.
    xelo::output::OutputPlugins().Discover(xelo::output::PluginFolders());
    std::vector<std::string> remotesLeftOut;
    xelo::output::RemotePlugins().Discover(xelo::output::PluginFolders(), &remotesLeftOut);
    // The preference loader finds the remote control of the stored output by its name.
    xelo::output::OutputCatalog().remoteIndexFor = [](const std::string& outputName) {
        return xelo::output::RemotePlugins().FindByName(outputName);
    };
    // Without a display the window is drawn off screen (screenshots, tests, servers).
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") &&
        !std::getenv("QT_QPA_PLATFORM")) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Xelo Album"));
    QApplication::setApplicationVersion(QStringLiteral(XELO_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Xelo Style"));
    xelo::UseDesktopDisplayProfile();

    std::vector<std::string> arguments(argv + 1, argv + argc);
    xelo::StartOptions options = xelo::ExtractStartOptions(arguments);
    if (!options.error.empty()) {
        std::fprintf(stderr, "xelo_album: %s\n", options.error.c_str());
        return 2;
    }

    xelo::CSettingsRegistry registry;
    xelo::CSingleInstance instance(xelo::InstanceName(QCoreApplication::applicationFilePath()));
    // A screenshot run stands alone: it neither hands over nor takes calls.
    const bool standAlone = !options.screenshot.empty();
    if (!standAlone && instance.HandOver(arguments, [&registry](const std::string& line) {
            registry.WriteString(xelo::reg::kStrings, xelo::reg::kCommand, line);
            registry.Sync();
        })) {
        return 0;
    }

    xelo::CTavoApp app(registry, options, [&registry] { registry.Sync(); });
    if (!standAlone) {
        instance.Listen([&app] { app.Frame()->Execute(xelo::cmd::kForwardedCommandLine); },
                        [&app] {
                            app.Frame()->raise();
                            app.Frame()->activateWindow();
                        });
    }
    if (!app.InitInstance(arguments)) return 1;
    const xelo::CQuitOnSignal quitOnSignal([&app] { app.Frame()->close(); });
    xelo::CMainFrame* frame = app.Frame();
    if (options.log) {
        for (const std::string& why : xelo::output::OutputPlugins().Rejected()) {
            std::fprintf(stderr, "plug-in left out: %s\n", why.c_str());
        }
        for (const std::string& why : remotesLeftOut) {
            std::fprintf(stderr, "plug-in left out: %s\n", why.c_str());
        }
        std::fprintf(stderr, "started in %lld ms\n", static_cast<long long>(app.Elapsed()));
        QObject::connect(
            frame->View(), &xelo::CTavoView::cellsPainted, frame,
            [&app] {
                std::fprintf(stderr, "first paint at %lld ms\n",
                             static_cast<long long>(app.Elapsed()));
            },
            Qt::SingleShotConnection);
        QObject::connect(
            frame->View(), &xelo::CTavoView::thumbnailShown, frame,
            [&app] {
                std::fprintf(stderr, "first thumbnail at %lld ms\n",
                             static_cast<long long>(app.Elapsed()));
            },
            Qt::SingleShotConnection);
        frame->WhenScreenComplete([&app] {
            std::fprintf(stderr, "first screen complete at %lld ms\n",
                         static_cast<long long>(app.Elapsed()));
        });
    }
    if (!options.screenshot.empty()) {
        frame->ArmScreenshot(QString::fromStdString(options.screenshot));
    }
    const int result = QApplication::exec();
    app.ExitInstance();
    return result;
}
