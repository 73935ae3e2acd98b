#include "frame/PictureFrameCommands.h"

#include <QFileInfo>

#include "base/StringTable.h"
#include "base/ViewModes.h"
#include "command/CommandIds.h"
#include "frame/FrameHost.h"
#include "frame/InstalledData.h"
#include "frame/MainFrame.h"
#include "settings/Preferences.h"
#include "slideshow/PictureFrames.h"
#include "views/TavoImgView.h"

namespace xelo {

namespace {

constexpr char kEnableText[] = "Enable Picture Frame";

}  // namespace

std::string PictureFrameFolder(const std::string& chosen) {
    if (!chosen.empty() && QFileInfo(QString::fromStdString(chosen)).isDir()) return chosen;
    return InstalledDataPath(QStringLiteral("frames"), QStringLiteral(XELO_FRAMES_DIR))
        .toStdString();
}

CPictureFrameCommands::CPictureFrameCommands(FrameHost& app, CMainFrame& frame)
    : app_(app), frame_(frame), frames_(std::make_unique<CPictureFrames>()) {
    frame_.ImgView()->onFullScreenPicture = [this] { PreparePicture(); };
}

CPictureFrameCommands::~CPictureFrameCommands() {
    if (frame_.ImgView()) {
        frame_.ImgView()->onFullScreenPicture = nullptr;
        frame_.ImgView()->SetPictureFrame(nullptr, false);
    }
}

bool CPictureFrameCommands::Enabled() {
    // A change on the Frame page wins over an earlier toggle.
    const bool pref = app_.Prefs().preferences.IsSet(pref::kFramesFullScreen);
    if (pref != prefSeen_) {
        prefSeen_ = pref;
        on_ = pref;
    }
    return on_;
}

void CPictureFrameCommands::Build(bool rebuild) {
    if (built_ && !rebuild) return;
    built_ = true;
    CPreferences& prefs = app_.Prefs();
    const QSize screen = app_.ScreenSize();
    const Size size{screen.width(), screen.height()};
    if (prefs.preferences.IsSet(pref::kSingleFrameFile)) {
        frames_->BuildFromFile(prefs.frameFile, size);
    } else {
        frames_->BuildFromFolder(PictureFrameFolder(prefs.framePath), size);
    }
}

void CPictureFrameCommands::Choose() {
    frames_->ChooseNext(app_.Prefs().preferences.IsSet(pref::kRandomFrames));
}

void CPictureFrameCommands::PreparePicture() {
    if (Enabled()) {
        Build(false);
        Choose();
    }
    Publish();
}

void CPictureFrameCommands::Publish() {
    CTavoImgView* view = frame_.ImgView();
    view->SetPictureFrame(Enabled() ? frames_->Current() : nullptr, frames_->Flipped());
}

bool CPictureFrameCommands::onUpdate(int id, CommandState& state) {
    const bool fullScreen = app_.ViewMode() == kModeFullScreen;
    switch (id) {
        case cmd::kTogglePictureFrame:
            state.enabled = fullScreen;
            state.text = Enabled() ? LoadString(cmd::kTogglePictureFrame) : kEnableText;
            return true;
        case cmd::kChangePictureFrame:
            state.enabled = fullScreen && Enabled() && frames_->Count() > 0;
            return true;
        case cmd::kFlipPictureFrame:
            state.enabled = fullScreen && Enabled() && frames_->Current() != nullptr;
            return true;
        default:
            return false;
    }
}

bool CPictureFrameCommands::onCommand(int id) {
    if (id != cmd::kTogglePictureFrame && id != cmd::kChangePictureFrame &&
        id != cmd::kFlipPictureFrame) {
        return false;
    }
    if (app_.ViewMode() != kModeFullScreen) return true;
    if (id == cmd::kTogglePictureFrame) {
        on_ = !Enabled();
        // Frames put in the folder since the last look are found when frames come back on.
        if (on_ && frames_->Current() == nullptr) {
            Build(true);
            Choose();
        }
    } else if (!Enabled()) {
        return true;
    } else if (id == cmd::kChangePictureFrame) {
        Choose();
    } else {
        frames_->ToggleFlip();
    }
    Publish();
    return true;
}

}  // namespace xelo
