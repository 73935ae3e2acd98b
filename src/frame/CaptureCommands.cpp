// A capture runs on the window's thread from start to end; the in-progress flag turns away a
// trigger that arrives while the confirmation is open or the file is written.
#include "frame/CaptureCommands.h"

#include <QImage>
#include <cstring>

#include "album/CaptureFile.h"
#include "album/FolderEnum.h"
#include "album/SnapName.h"
#include "album/TavoDoc.h"
#include "base/Registry.h"
#include "base/StringTable.h"
#include "command/CommandIds.h"
#include "frame/CaptureDialog.h"
#include "frame/CaptureMessage.h"
#include "frame/FrameHost.h"
#include "frame/MainFrame.h"
#include "image/TavoException.h"
#include "platform/CaptureSound.h"
#include "platform/GlobalKey.h"
#include "platform/MessageBox.h"
#include "platform/PortalScreenshot.h"
#include "platform/ScreenGrab.h"
#include "settings/Preferences.h"

namespace xelo {

namespace {

constexpr uint32_t kStrNoSnapImage = 22011;
constexpr uint32_t kStrKeyRefused = 22013;
constexpr uint32_t kStrSaveFailed = 22017;
constexpr uint32_t kStrFileExists = 20513;
constexpr uint32_t kStrNoScreenGrab = 2741;

// Clears the in-progress flag however the capture ends.
class CaptureGuard {
  public:
    explicit CaptureGuard(FrameHost& app) : app_(app) { app_.SetFlag(kAppCapturing, true); }
    ~CaptureGuard() { app_.SetFlag(kAppCapturing, false); }
    CaptureGuard(const CaptureGuard&) = delete;
    CaptureGuard& operator=(const CaptureGuard&) = delete;

  private:
    FrameHost& app_;
};

const char* KeyName(const CPreferences& prefs, uint32_t button) {
    for (const CaptureKey& k : prefs.buttons) {
        if (static_cast<uint32_t>(k.button) == button) return k.name;
    }
    return nullptr;
}

bool Exists(const std::string& path) {
    return IsRegularFile(path) || IsDirectory(path);
}

}  // namespace

CCaptureCommands::CCaptureCommands(FrameHost& app, CMainFrame& frame)
    : app_(app), frame_(frame), key_(std::make_unique<CGlobalKey>()) {
    delay_.setSingleShot(true);
    connect(&delay_, &QTimer::timeout, this, [this] { Perform(); });
    connect(key_.get(), &CGlobalKey::pressed, this, [this] { Perform(); });
}

CCaptureCommands::~CCaptureCommands() = default;

bool CCaptureCommands::onUpdate(int id, CommandState&) {
    return id == cmd::kScreenCapture;
}

bool CCaptureCommands::onCommand(int id) {
    if (id != cmd::kScreenCapture) return false;
    CaptureSettings settings = CaptureSettings::Read(app_.Prefs());
    if (settings.folder.empty()) settings.folder = app_.Doc().CurrentFolder();
    CCaptureDialog dialog(settings, app_.Prefs().buttons, CGlobalKey::Supported(), &frame_);
    if (frame_.runDialog(dialog) != QDialog::Accepted) return true;
    settings = dialog.Settings();
    if (!Arm(settings)) {
        ShowMessage(&frame_, LoadString(kStrKeyRefused));
        settings.enabled = false;
    }
    StoreSettings(settings);
    return true;
}

void CCaptureCommands::ApplyStored() {
    CaptureSettings settings = CaptureSettings::Read(app_.Prefs());
    // A delay fires once after the dialog; it is not a lasting trigger. A key another program
    // holds just now stays chosen: the setting is the user's, and the next start tries again.
    if (settings.IsDelay()) return;
    Arm(settings);
}

bool CCaptureCommands::Arm(const CaptureSettings& settings) {
    key_->Unregister();
    delay_.stop();
    if (!settings.enabled) return true;
    if (settings.IsDelay()) {
        delay_.start(static_cast<int>(settings.trigger));
        return true;
    }
    const char* name = KeyName(app_.Prefs(), settings.trigger);
    return name && key_->Register(name);
}

void CCaptureCommands::StoreSettings(const CaptureSettings& settings) {
    CPreferences& prefs = app_.Prefs();
    settings.Store(prefs);
    prefs.SaveUiInfo(app_.Store());
    app_.Store().WriteString(reg::kStrings, reg::kSnapPath, prefs.snapPath);
    app_.Store().WriteString(reg::kStrings, reg::kSnapName, prefs.snapName);
}

void CCaptureCommands::Perform() {
    if ((app_.Flags() & kAppCapturing) != 0) return;
    if (!CanGrabScreen()) {
        if (!CPortalScreenshot::Available()) {
            ShowMessage(&frame_, LoadString(kStrNoScreenGrab));
            return;
        }
        // The portal answers later; until then the capture counts as in progress.
        if (!portal_) {
            portal_ = std::make_unique<CPortalScreenshot>();
            connect(portal_.get(), &CPortalScreenshot::done, this, [this](const QImage& screen) {
                app_.SetFlag(kAppCapturing, false);
                Perform(screen);
            });
            connect(portal_.get(), &CPortalScreenshot::failed, this, [this] {
                app_.SetFlag(kAppCapturing, false);
                ShowMessage(&frame_, LoadString(kStrNoSnapImage));
            });
        }
        app_.SetFlag(kAppCapturing, true);
        if (!portal_->Request()) {
            app_.SetFlag(kAppCapturing, false);
            ShowMessage(&frame_, LoadString(kStrNoSnapImage));
        }
        return;
    }
    const QImage screen = GrabScreen();
    if (screen.isNull()) {
        ShowMessage(&frame_, LoadString(kStrNoSnapImage));
        return;
    }
    Perform(screen);
}

void CCaptureCommands::Perform(const QImage& screen) {
    if ((app_.Flags() & kAppCapturing) != 0) return;
    const CaptureGuard guard(app_);
    CaptureSettings settings = CaptureSettings::Read(app_.Prefs());
    if (settings.folder.empty()) settings.folder = app_.Doc().CurrentFolder();
    if (settings.sound) PlayCaptureSound();
    Save(screen, settings);
}

void CCaptureCommands::Save(const QImage& screen, const CaptureSettings& settings) {
    const QImage pixels = screen.convertToFormat(QImage::Format_BGR888);
    CDibImage image;
    try {
        image.Create(pixels.width(), pixels.height(), 3, false);
    } catch (const CTavoException& e) {
        ReportError(&frame_, e);
        return;
    }
    if (image.IsEmpty()) {
        ShowMessage(&frame_, LoadString(kStrNoSnapImage));
        return;
    }
    for (int y = 0; y < pixels.height(); ++y)
        std::memcpy(image.Row(y), pixels.constScanLine(y), static_cast<size_t>(pixels.width()) * 3);

    std::string name = NextSnapName(settings.folder, settings.prefix, settings.format);
    if (settings.confirm && !name.empty()) {
        for (;;) {
            CCaptureMessage message(name, &frame_);
            const bool accepted = frame_.runDialog(message) == QDialog::Accepted;
            if (message.DontAskAgain()) {
                app_.Prefs().uiInfo.Set(ui::kCaptureConfirm, 0);
                app_.Prefs().SaveUiInfo(app_.Store());
            }
            if (!accepted || message.Abort()) return;
            const std::string chosen = message.Name();
            // A changed name must not replace a file that is there.
            if (chosen == name || !Exists(JoinPath(settings.folder, chosen))) {
                name = chosen;
                break;
            }
            ShowMessage(&frame_, LoadString(kStrFileExists));
        }
    }
    if (name.empty()) {
        ShowMessage(&frame_, LoadString(kStrSaveFailed));
        return;
    }
    try {
        WriteCaptureFile(image, JoinPath(settings.folder, name), settings.format, settings.dpi);
    } catch (const CTavoException&) {
        ShowMessage(&frame_, LoadString(kStrSaveFailed));
        return;
    }
    CTavoDoc& doc = app_.Doc();
    FindData data;
    if (settings.folder == doc.CurrentFolder() && ReadFindData(settings.folder, name, data)) {
        try {
            if (doc.AddEntry(data)) doc.UpdateViews(kHintEntriesChanged);
        } catch (const CTavoException& e) {
            ReportError(&frame_, e);
        }
    }
}

}  // namespace xelo
