// Find's command and the way a hit reaches the document and the views.
#include "frame/FindCommands.h"

#include <QDialog>

#include "album/TavoDoc.h"
#include "base/ViewModes.h"
#include "command/CommandIds.h"
#include "frame/FrameHost.h"
#include "frame/MainFrame.h"
#include "image/TavoException.h"
#include "platform/MessageBox.h"
#include "settings/Preferences.h"
#include "views/FilenameModel.h"
#include "views/FindDialog.h"
#include "views/FindWindow.h"
#include "views/TavoListView.h"
#include "views/TavoView.h"

namespace xelo {

CFindCommands::~CFindCommands() {
    if (window_) window_->Stop();
}

bool CFindCommands::onUpdate(int id, CommandState&) {
    return id == cmd::kFind;
}

bool CFindCommands::onCommand(int id) {
    if (id != cmd::kFind) return false;
    FindCriteria criteria = last_;
    // The search starts where the user is looking, unless a folder was chosen before.
    if (!used_) criteria.folder = app_.Doc().CurrentFolder();
    CFindDialog dialog(criteria, &frame_);
    if (frame_.runDialog(dialog) != QDialog::Accepted) return true;
    last_ = dialog.Criteria();
    used_ = true;
    Start(last_);
    return true;
}

void CFindCommands::Start(const FindCriteria& criteria) {
    if (window_) window_->close();
    window_ = new CFindWindow(criteria, &frame_);
    window_->onHit = [this](const std::string& folder, const std::string& name) {
        ShowHit(folder, name);
    };
    window_->show();
    // Enter goes to "Find Next" from the start.
    window_->raise();
    window_->activateWindow();
    window_->FindNext();
}

void CFindCommands::ShowHit(const std::string& folder, const std::string& name) {
    CTavoDoc& doc = app_.Doc();
    try {
        if (folder != doc.CurrentFolder()) doc.Reopen(folder);
    } catch (const CTavoException& e) {
        ReportError(&frame_, e);
        return;
    }
    // The exact name first; a file the folder list left out (no readable image) is not shown.
    int index = -1;
    for (int i = 0; i < doc.Count() && index < 0; ++i) {
        if (doc.EntryAt(i)->Name() == name) index = i;
    }
    if (index < 0) return;
    if (!app_.Prefs().uiInfo.IsSet(ui::kMultipleSelection) || IsSingleImageMode(app_.ViewMode())) {
        doc.ClearSelection();
    }
    doc.SetSelected(index, true);
    const int mode = app_.ViewMode();
    if (mode == kModeFilename) {
        CTavoListView* list = frame_.ListView();
        const int row = list->Model().RowOfEntry(doc.EntryAt(index));
        if (row >= 0) {
            const QModelIndex at = list->Model().index(row, 0);
            list->setCurrentIndex(at);
            list->scrollTo(at);
        }
        list->viewport()->update();
    } else if (mode == kModeThumbnail || mode == kModeList || mode == kModeFilmstrip) {
        frame_.View()->EnsureVisible(index, true);
        frame_.View()->viewport()->update();
    }
}

}  // namespace xelo
