// Handlers and enabling rules of the image file commands.
#include "frame/ImageCommands.h"

#include "album/TavoDoc.h"
#include "base/ViewModes.h"
#include "command/CommandIds.h"
#include "frame/FrameHost.h"
#include "frame/MainFrame.h"
#include "imageui/PropSheet.h"
#include "imageui/SaveSheet.h"
#include "views/TavoImgView.h"

namespace xelo {

bool CImageCommands::onUpdate(int id, CommandState& state) {
    switch (id) {
        case cmd::kConvert:
        case cmd::kResize:
        case cmd::kCrop:
        case cmd::kImageInfo:
        case cmd::kImageInfoBar:
            state.enabled = app_.Doc().Count() > 0;
            return true;
        default:
            return false;
    }
}

bool CImageCommands::onCommand(int id) {
    switch (id) {
        case cmd::kConvert:
            OpenSaveSheet(CSaveSheet::kFormatPage);
            return true;
        case cmd::kResize:
            OpenSaveSheet(CSaveSheet::kResizePage);
            return true;
        case cmd::kCrop:
            OpenSaveSheet(CSaveSheet::kCropPage);
            return true;
        case cmd::kImageInfo:
        case cmd::kImageInfoBar:
            OpenInfoSheet();
            return true;
        default:
            return false;
    }
}

int CImageCommands::CurrentIndex() const {
    const int selected = app_.Doc().FirstSelected();
    return selected >= 0 ? selected : 0;
}

void CImageCommands::ReloadShownImage() {
    CTavoImgView* view = frame_.ImgView();
    CTavoDoc& doc = app_.Doc();
    if (view == nullptr || !IsImageMode(app_.ViewMode()) || doc.FirstSelected() < 0) return;
    // The picture was decoded from the old file: drop it, then show the new one.
    view->SetImage(nullptr);
    view->SetImage(doc.EntryAt(doc.FirstSelected()));
}

void CImageCommands::OpenSaveSheet(int page) {
    const QSize screen = app_.ScreenSize();
    CSaveSheet sheet(app_.Doc(), CurrentIndex(), saveState_, Size{screen.width(), screen.height()},
                     static_cast<CSaveSheet::Page>(page), frame_.runDialog,
                     [this] { ReloadShownImage(); }, &frame_);
    frame_.runDialog(sheet);
}

void CImageCommands::OpenInfoSheet() {
    CPropSheet sheet(app_.Doc(), CurrentIndex(), frame_.runDialog, &frame_);
    frame_.runDialog(sheet);
}

}  // namespace xelo
