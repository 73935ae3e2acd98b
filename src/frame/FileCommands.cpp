// Handlers and enabling rules of the file and folder commands.
#include "frame/FileCommands.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <filesystem>

#include "album/FileOperations.h"
#include "album/FileTransfer.h"
#include "album/FolderEnum.h"
#include "album/NameValidation.h"
#include "album/TavoDoc.h"
#include "base/StringTable.h"
#include "base/ViewModes.h"
#include "codec/ImageFile.h"
#include "command/CommandIds.h"
#include "frame/FrameHost.h"
#include "frame/MainFrame.h"
#include "frame/NameDialog.h"
#include "frame/ReorderDialog.h"
#include "image/DibImage.h"
#include "image/TavoException.h"
#include "platform/DialogPrompt.h"
#include "platform/HelpTopics.h"
#include "platform/MessageBox.h"
#include "platform/WaitCursor.h"
#include "settings/Preferences.h"
#include "views/CellPainter.h"
#include "views/TavoDirTree.h"
#include "views/TavoView.h"

namespace xelo {

namespace {

constexpr uint32_t kMsgNoPicture = 22030;
constexpr uint32_t kMsgAccessFailed = 20504;
constexpr uint32_t kMsgFileExists = 20513;
constexpr uint32_t kStrRenameTitle = 2641;
constexpr uint32_t kStrRenameFolderTitle = 2642;
constexpr uint32_t kStrNewFolderTitle = 2430;

// The clipboard-size preference: 60 × 80, 75 × 100, 90 × 120, 120 × 160, 240 × 320, original.
QSize ClipboardBox(uint32_t setting, const CImageEntry& entry) {
    static constexpr QSize kBoxes[] = {{60, 80}, {75, 100}, {90, 120}, {120, 160}, {240, 320}};
    if (setting < std::size(kBoxes)) return kBoxes[setting];
    return {std::max(1, entry.Header().width), std::max(1, entry.Header().height)};
}

bool ShowsImages(int mode) {
    return mode != kModeSlideShowView && mode != kModeVgaSlideShow;
}

}  // namespace

void CFileCommands::AttachMenu(QAbstractScrollArea* pane, QMenu* menu) {
    pane->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(pane, &QWidget::customContextMenuRequested, pane, [pane, menu](QPoint at) {
        pane->setFocus();  // the commands act on the pane the menu belongs to
        menu->popup(pane->viewport()->mapToGlobal(at));
    });
}

bool CFileCommands::TreeHasFocus() const {
    const QWidget* focus = QApplication::focusWidget();
    const CTavoDirTree* tree = frame_.Tree();
    return focus && (focus == tree || tree->isAncestorOf(focus)) && tree->isVisible();
}

bool CFileCommands::onUpdate(int id, CommandState& state) {
    const CTavoDoc& doc = app_.Doc();
    const int mode = app_.ViewMode();
    const bool folderOpen = !doc.CurrentFolder().empty();
    switch (id) {
        case cmd::kCopy:
        case cmd::kCut:
        case cmd::kDelete:
        case cmd::kDuplicate:
            state.enabled = ShowsImages(mode) && doc.SelectedCount() > 0;
            return true;
        case cmd::kPaste:
            state.enabled = ShowsImages(mode) && folderOpen && !doc.Clipboard().names.empty();
            return true;
        case cmd::kRename: {
            const bool folder = TreeHasFocus();
            state.enabled = ShowsImages(mode) &&
                            (folder ? doc.CurrentFolder() != "/" : doc.SelectedCount() > 0);
            state.text =
                folder ? LoadString(kStrRenameFolderTitle) + "..." : LoadString(cmd::kRename);
            return true;
        }
        case cmd::kNewFolder:
            state.enabled = !IsImageMode(mode) && folderOpen;
            return true;
        case cmd::kDeleteFolder:
            state.enabled = !IsImageMode(mode) && folderOpen && doc.CurrentFolder() != "/";
            return true;
        case cmd::kReorderByUser:
            state.enabled = doc.Count() > 1;
            return true;
        default:
            return false;
    }
}

bool CFileCommands::onCommand(int id) {
    CTavoDoc& doc = app_.Doc();
    CDialogPrompt prompt(&frame_, frame_.runDialog);
    try {
        switch (id) {
            case cmd::kCopy:
            case cmd::kCut:
                CopyOrCut(id == cmd::kCut);
                return true;
            case cmd::kPaste: {
                const WaitCursor wait;
                Paste(doc, prompt);
                frame_.View()->viewport()->update();  // the cut marks are gone
                return true;
            }
            case cmd::kDelete: {
                const WaitCursor wait;
                DeleteSelection(doc, prompt);
                return true;
            }
            case cmd::kDuplicate: {
                const WaitCursor wait;
                DuplicateSelection(doc, prompt);
                return true;
            }
            case cmd::kRename:
                TreeHasFocus() ? RenameFolder() : RenameImage();
                return true;
            case cmd::kNewFolder:
                NewFolder();
                return true;
            case cmd::kDeleteFolder:
                DeleteFolder();
                return true;
            case cmd::kReorderByUser:
                ReorderByHand();
                return true;
            default:
                return false;
        }
    } catch (const CTavoException& e) {
        ReportError(&frame_, e);
        return true;
    }
}

void CFileCommands::CopyOrCut(bool cut) {
    CTavoDoc& doc = app_.Doc();
    if (CopySelection(doc, cut) == 0) return;
    PutPictureOnClipboard();
    frame_.View()->viewport()->update();  // marks the cut images, or clears earlier marks
}

void CFileCommands::PutPictureOnClipboard() {
    CTavoDoc& doc = app_.Doc();
    CImageEntry* first = doc.EntryAt(doc.FirstSelected());
    if (!first) return;
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (int i : doc.SelectedIndices())
        urls.push_back(QUrl::fromLocalFile(
            QString::fromStdString(JoinPath(doc.CurrentFolder(), doc.EntryAt(i)->Name()))));
    data->setUrls(urls);
    try {
        const QSize box = ClipboardBox(app_.Prefs().preferences.Get(pref::kClipboardSize), *first);
        CDibImage image;
        CImageFile file;
        file.ReadThumbnail(JoinPath(doc.CurrentFolder(), first->Name()), image, box.width(),
                           box.height());
        data->setImageData(WrapDib(image).copy());
    } catch (const CTavoException&) {
        ShowMessage(&frame_, FormatString(kMsgNoPicture, first->Name().c_str()));
    }
    QGuiApplication::clipboard()->setMimeData(data);
}

void CFileCommands::RenameImage() {
    CTavoDoc& doc = app_.Doc();
    CImageEntry* entry = doc.EntryAt(doc.FirstSelected());
    if (!entry) return;
    CNameDialog dialog(
        QString::fromStdString(LoadString(kStrRenameTitle)), entry->Name(),
        [this, &doc, entry](const std::string& name) -> uint32_t {
            try {
                return RenameEntry(doc, doc.IndexOf(entry), name);
            } catch (const CTavoException& e) {
                ReportError(&frame_, e);
                return 0;  // the error is told; the dialog closes
            }
        },
        kHelpRename, &frame_);
    frame_.runDialog(dialog);
}

void CFileCommands::RenameFolder() {
    CTavoDoc& doc = app_.Doc();
    const std::string folder = doc.CurrentFolder();
    const std::filesystem::path path(folder);
    const std::string parent = path.parent_path().string();
    std::string renamed;
    CNameDialog dialog(
        QString::fromStdString(LoadString(kStrRenameFolderTitle)), path.filename().string(),
        [&](const std::string& typed) -> uint32_t {
            std::string name = typed;
            if (const uint32_t refused = ValidateName(name, &parent)) return refused;
            const std::string target = JoinPath(parent, name);
            if (target == folder) return 0;
            // The arrangement of the folder goes with it.
            doc.SaveAlbum();
            const int error = RenameFile(folder, target, true);
            if (error == EEXIST || error == ENOTEMPTY) return kMsgFileExists;
            if (error != 0) {
                ShowMessage(&frame_, LoadString(kMsgAccessFailed) + "\n" + folder);
                return 0;
            }
            renamed = target;
            return 0;
        },
        kHelpRename, &frame_);
    frame_.runDialog(dialog);
    if (!renamed.empty()) OpenAfterFolderChange(renamed);
}

void CFileCommands::NewFolder() {
    const std::string folder = app_.Doc().CurrentFolder();
    bool made = false;
    CNameDialog dialog(
        QString::fromStdString(LoadString(kStrNewFolderTitle)), ProposeFolderName(folder),
        [&](const std::string& name) -> uint32_t {
            const uint32_t refused = CreateFolder(folder, name);
            made = refused == 0;
            return refused;
        },
        kHelpNewFolder, &frame_);
    frame_.runDialog(dialog);
    if (made) frame_.Tree()->SelectPath();
}

void CFileCommands::DeleteFolder() {
    CTavoDoc& doc = app_.Doc();
    const std::string folder = doc.CurrentFolder();
    CDialogPrompt prompt(&frame_, frame_.runDialog);
    bool gone = false;
    {
        const WaitCursor wait;
        gone = DeleteCurrentFolder(doc, prompt);
    }
    if (gone) OpenAfterFolderChange(std::filesystem::path(folder).parent_path().string());
}

void CFileCommands::OpenAfterFolderChange(const std::string& folder) {
    const WaitCursor wait;
    app_.Doc().OpenFolder(folder.empty() ? std::string("/") : folder);
    frame_.Tree()->SelectPath();
}

void CFileCommands::ReorderByHand() {
    CTavoDoc& doc = app_.Doc();
    CReorderDialog dialog(doc.Order(), doc.CurrentFolder(), &frame_);
    if (frame_.runDialog(dialog) != QDialog::Accepted) return;
    if (doc.SetOrder(dialog.Order())) doc.UpdateViews(kHintOrderChanged);
}

}  // namespace xelo
