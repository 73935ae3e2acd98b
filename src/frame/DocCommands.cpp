// Handlers and enabling rules of the document's commands.
#include "frame/DocCommands.h"

#include <QApplication>

#include "album/GoToTargets.h"
#include "album/Ordering.h"
#include "base/StringTable.h"
#include "base/ViewModes.h"
#include "command/CommandIds.h"
#include "frame/FrameHost.h"
#include "frame/MainFrame.h"
#include "image/TavoException.h"
#include "platform/MessageBox.h"
#include "platform/WaitCursor.h"
#include "settings/Preferences.h"
#include "views/TavoDirTree.h"
#include "views/TavoListView.h"
#include "views/TavoView.h"

namespace xelo {

namespace {

constexpr uint32_t kStrNoCardImages = 22036;

bool IsBrowsing(int mode) {
    return mode == kModeThumbnail || mode == kModeList || mode == kModeFilename;
}

}  // namespace

bool CDocCommands::onCommand(int id) {
    CTavoDoc& doc = app_.Doc();
    switch (id) {
        case cmd::kFolderSelected: {
            const WaitCursor wait;
            try {
                doc.Reopen(frame_.Tree()->GetSelectedPath());
            } catch (const CTavoException& e) {
                ReportError(&frame_, e);
            }
            return true;
        }
        case cmd::kSelectAll:
            doc.SelectAll();
            RefreshBrowser();
            return true;
        case cmd::kSelectNone:
            doc.ClearSelection();
            RefreshBrowser();
            return true;
        case cmd::kSelectInvert:
            doc.InvertSelection();
            RefreshBrowser();
            return true;
        case cmd::kMultipleImages: {
            UiInfoBlock& ui = app_.Prefs().uiInfo;
            ui.Set(ui::kMultipleSelection, ui.IsSet(ui::kMultipleSelection) ? 0 : 1);
            return true;
        }
        case cmd::kReorderByName:
        case cmd::kReorderByDate:
        case cmd::kReorderBySize:
        case cmd::kReorderByType:
        case cmd::kReorderBySlides:
        case cmd::kReorderReverse:
            Reorder(doc, id);
            return true;
        case cmd::kHideSlide:
        case cmd::kShowSlide:
            SetSelectedHidden(doc, id == cmd::kHideSlide);
            frame_.View()->viewport()->update();
            return true;
        default:
            break;
    }
    if (id >= cmd::kGoToFirst && id <= cmd::kGoToLast) {
        GoTo(id);
        return true;
    }
    if (id >= cmd::kPenWidthFirst && id <= cmd::kPenWidthLast) {
        app_.Prefs().uiInfo.Set(ui::kInkWidth, static_cast<uint32_t>(id - cmd::kPenWidthFirst + 1));
        return true;
    }
    return false;
}

bool CDocCommands::onUpdate(int id, CommandState& state) {
    const CTavoDoc& doc = app_.Doc();
    switch (id) {
        case cmd::kSelectAll:
        case cmd::kSelectNone:
        case cmd::kSelectInvert:
            state.enabled = IsBrowsing(app_.ViewMode()) && doc.Count() > 0;
            return true;
        case cmd::kMultipleImages:
            state.checked = app_.Prefs().uiInfo.IsSet(ui::kMultipleSelection);
            return true;
        case cmd::kReorderByName:
        case cmd::kReorderByDate:
        case cmd::kReorderBySize:
        case cmd::kReorderByType:
        case cmd::kReorderBySlides:
        case cmd::kReorderReverse:
            state.enabled = doc.Count() > 1;
            return true;
        case cmd::kHideSlide:
        case cmd::kShowSlide:
            state.enabled = doc.SelectedCount() > 0;
            return true;
        case cmd::kFolderSelected:
            return true;
        default:
            break;
    }
    if (id >= cmd::kPenWidthFirst && id <= cmd::kPenWidthLast) {
        state.checked = static_cast<int>(app_.Prefs().uiInfo.Get(ui::kInkWidth)) ==
                        id - cmd::kPenWidthFirst + 1;
        return true;
    }
    return id >= cmd::kGoToFirst && id <= cmd::kGoToLast;
}

void CDocCommands::GoTo(int command) {
    CTavoDoc& doc = app_.Doc();
    GoToPlaces places;
    places.current = doc.CurrentFolder();
    places.documents = DocumentsFolder();
    places.home = app_.Prefs().home;
    places.recent = doc.Recent().Folders();
    if (command == kGoStorageCard) places.cardRoots = StorageCardRoots();
    places.extensions = doc.Extensions();
    const std::optional<std::string> target = GoToTarget(command, places);
    if (!target) {
        if (command == kGoStorageCard) ShowMessage(&frame_, LoadString(kStrNoCardImages));
        return;
    }
    const WaitCursor wait;
    try {
        doc.GoTo(*target);
    } catch (const CTavoException& e) {
        ReportError(&frame_, e);
    }
}

void CDocCommands::RefreshBrowser() {
    if (QWidget* browser = frame_.ActiveBrowser()) {
        browser->setFocus();
        browser->update();
        if (auto* view = qobject_cast<CTavoView*>(browser)) view->viewport()->update();
        if (auto* list = qobject_cast<CTavoListView*>(browser)) list->viewport()->update();
    }
}

}  // namespace xelo
