// Start-up, re-targeting and exit of the desktop program.
#include "app/TavoApp.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <cstdio>
#include <utility>

#include "album/GoToTargets.h"
#include "settings/AlbumTypeRegistration.h"
#include "settings/CommandLine.h"
#include "base/Registry.h"
#include "platform/ScreenProbe.h"
#include "base/StringTable.h"
#include "base/ViewModes.h"
#include "frame/MainFrame.h"
#include "image/TavoException.h"
#include "output/OutputPlugins.h"
#include "views/TavoDirTree.h"

namespace xelo {

namespace {

CTavoApp* gInstance = nullptr;

constexpr uint32_t kStrNoVgaDevice = 22023;

// The modes this window can show so far; a start command for another falls back to Thumbnail.
bool IsBrowsingMode(int mode) {
    return mode == kModeThumbnail || mode == kModeList || mode == kModeFilename;
}

}  // namespace

CTavoApp::CTavoApp(Registry& registry, StartOptions options, std::function<void()> sync)
    : registry_(registry), options_(std::move(options)), sync_(std::move(sync)) {
    clock_.start();
    gInstance = this;
}

CTavoApp::~CTavoApp() {
    ExitInstance();
    frame_.reset();
    doc_.reset();
    if (gInstance == this) gInstance = nullptr;
}

CTavoApp* CTavoApp::Instance() {
    return gInstance;
}

QSize CTavoApp::ScreenSize() const {
    if (options_.screen) return QSize(options_.screen->width, options_.screen->height);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) return screen->size();
    return QSize(240, 320);
}

bool CTavoApp::InitInstance(const std::vector<std::string>& arguments) {
    SetFlag(kAppStarting, true);
    screen_ = ProbeScreen(QGuiApplication::primaryScreen(), options_.screen);
    const QSize screen = ScreenSize();
    PreferenceContext context;
    context.screenWidth = screen.width();
    context.screenHeight = screen.height();
    context.programFolder = QCoreApplication::applicationDirPath().toStdString();
    context.documentsFolder = DocumentsFolder();
    context.scrollBarWidth = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    // The plug-ins were discovered before the program started threads (main).
    context.plugins = &output::OutputCatalog();
    prefs_.Load(registry_, context);
    prefs_.ApplyDecodeSettings();
    // The desktop learns the album file type and opens it with the program.
    RegisterAlbumType(AlbumTypeFoldersFromEnvironment());

    doc_ = std::make_unique<CTavoDoc>(&registry_, this);
    doc_->SetAlbumForEveryFolder(prefs_.albumForEveryFolder);
    doc_->Recent().Load(registry_);
    doc_->SetCurrentFolder(prefs_.path.empty() ? context.documentsFolder : prefs_.path);
    frame_ = std::make_unique<CMainFrame>(*this);
    if (options_.screen) {
        frame_->resize(screen);
    } else {
        frame_->resize(std::min(screen.width(), 1024), std::min(screen.height(), 720));
    }

    CTavoCommandLineInfo info(prefs_.preferences.Get(pref::kOpenImageMode));
    ParseCommandLine(arguments, info);
    ProcessCommandLine(info);
    SetFlag(kAppStarting, false);
    return true;
}

void CTavoApp::ProcessCommandLine(const CTavoCommandLineInfo& info) {
    frame_->BeginStart();
    frame_->show();
    mode_ = 0;
    StartResult start;
    try {
        start = xelo::ProcessCommandLine(info, *doc_, prefs_, VgaAvailable());
    } catch (const CTavoException& e) {
        ReportError(frame_.get(), e);
        start.command = kModeThumbnail;
    }
    if (start.noVgaDevice) ShowMessage(frame_.get(), LoadString(kStrNoVgaDevice));
    // A start with an image opens it in Filmstrip or Full Screen. The VGA modes start from
    // Thumbnail through their commands, which open the external display (and stay in Thumbnail
    // when it fails).
    const bool vgaStart = start.command == kModeVgaFilmstrip || start.command == kModeVgaSlideShow;
    const int command =
        !vgaStart && (IsBrowsingMode(start.command) || IsSingleImageMode(start.command))
            ? start.command
            : kModeThumbnail;
    frame_->SwitchMode(command);
    // A folder that could not be opened leaves the tree as it was; it still shows the nearest.
    if (frame_->Tree()->Model().rowCount() == 0) frame_->Tree()->SelectPath();
    frame_->EndStart();
    if (start.command == kCmdSlideShow) frame_->Execute(kCmdSlideShow);
    if (vgaStart) frame_->Execute(start.command);
    if (options_.log) {
        std::fprintf(stderr, "mode %d folder %s\n", mode_, doc_->CurrentFolder().c_str());
    }
}

void CTavoApp::OnForwardedCommandLine() {
    if (sync_) sync_();
    CTavoCommandLineInfo info(prefs_.preferences.Get(pref::kOpenImageMode));
    if (!ReadForwardedCommandLine(registry_, info)) return;
    // Dialogs of this instance close as if cancelled.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible()) {
            dialog->reject();
        }
    }
    ProcessCommandLine(info);
    frame_->raise();
    frame_->activateWindow();
}

bool CTavoApp::VgaAvailable() const {
    return output::OutputPlugins().Count() > 0;
}

const PluginCatalog& CTavoApp::Plugins() const {
    return output::OutputCatalog();
}

void CTavoApp::SendCommand(int command) {
    if (frame_) frame_->Execute(command);
}

void CTavoApp::ExitInstance() {
    if (exited_ || !doc_) return;
    exited_ = true;
    const std::string folder = doc_->CurrentFolder();
    doc_->Close();
    prefs_.SaveAtExit(registry_, folder);
    doc_->Recent().Save(registry_);
    if (sync_) sync_();
}

}  // namespace xelo
