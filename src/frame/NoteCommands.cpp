// Handlers and enabling rules of the note, audio and ink commands.
#include "frame/NoteCommands.h"

#include <QAction>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPixmap>
#include <cerrno>

#include "album/FileOperations.h"
#include "album/FileTransfer.h"
#include "album/FolderEnum.h"
#include "album/TavoDoc.h"
#include "base/StringTable.h"
#include "base/ViewModes.h"
#include "command/CommandIds.h"
#include "command/ToolModes.h"
#include "frame/AudioPlayerDialog.h"
#include "frame/AudioRecorderDialog.h"
#include "frame/FrameHost.h"
#include "frame/MainFrame.h"
#include "frame/TextNoteDialog.h"
#include "image/FileError.h"
#include "image/TavoException.h"
#include "ink/EntryInk.h"
#include "ink/InkMerge.h"
#include "platform/DialogPrompt.h"
#include "platform/HelpTopics.h"
#include "platform/MessageBox.h"
#include "platform/UiText.h"
#include "platform/WaitCursor.h"
#include "settings/PrefLayout.h"
#include "settings/Preferences.h"
#include "views/TavoImgView.h"
#include "views/TavoListView.h"
#include "views/TavoView.h"

namespace xelo {

namespace {

constexpr uint32_t kStrMergeAsk = 2625;
constexpr uint32_t kStrMergeTitle = 32005;
constexpr uint32_t kStrWaveFilter = 2626;
constexpr uint32_t kStrNoAudioDevice = 2627;
constexpr uint32_t kStrCopyAudioFailed = 22022;

bool IsSlideShowMode(int mode) {
    return mode == kModeSlideShowView || mode == kModeVgaSlideShow;
}

// "Wave File (*.wav)|*.wav||" as a Qt filter: "Wave File (*.wav)".
QString WaveFilter() {
    const QString field = Text(kStrWaveFilter);
    return field.section(QLatin1Char('|'), 0, 0);
}

}  // namespace

CNoteCommands::CNoteCommands(FrameHost& app, CMainFrame& frame)
    : app_(app),
      frame_(frame),
      windowPrompt_(std::make_unique<CDialogPrompt>(
          &frame, [&frame](QDialog& dialog) { return frame.runDialog(dialog); })) {
    chooseAudioFile = [this] {
        return QFileDialog::getOpenFileName(
            &frame_, QString(), QString::fromStdString(app_.Doc().CurrentFolder()), WaveFilter());
    };
    chooseColour = [this](uint32_t& colour) {
        QColorDialog dialog(QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF),
                            &frame_);
        dialog.setWindowTitle(Text(cmd::kPickInkColor));
        AttachHelp(&dialog, kHelpInkColour, dialog.findChild<QDialogButtonBox*>());
        if (frame_.runDialog(dialog) != QDialog::Accepted) return false;
        const QColor chosen = dialog.selectedColor();
        if (!chosen.isValid()) return false;
        colour = static_cast<uint32_t>(chosen.red()) |
                 (static_cast<uint32_t>(chosen.green()) << 8) |
                 (static_cast<uint32_t>(chosen.blue()) << 16);
        return true;
    };
    connect(frame_.ImgView(), &CTavoImgView::inkMarkChanged, this,
            [this](int index) { RedrawEntry(index); });
}

CNoteCommands::~CNoteCommands() = default;

UserPrompt& CNoteCommands::Prompt() {
    return promptOverride_ != nullptr ? *promptOverride_ : *windowPrompt_;
}

CImageEntry* CNoteCommands::FirstSelected(int* index) const {
    const int first = app_.Doc().FirstSelected();
    if (index) *index = first;
    return first >= 0 ? app_.Doc().EntryAt(first) : nullptr;
}

bool CNoteCommands::AnySelectedHas(uint32_t bits) const {
    CTavoDoc& doc = app_.Doc();
    for (int index : doc.SelectedIndices()) {
        if (doc.EntryAt(index)->Annotations(doc.CurrentFolder()) & bits) return true;
    }
    return false;
}

bool CNoteCommands::InkToolsEnabled() const {
    return (app_.Flags() & kAppGifPlaying) == 0 &&
           (!IsSlideShowMode(app_.ViewMode()) ||
            app_.Prefs().preferences.IsSet(pref::kInkOnSlides));
}

void CNoteCommands::RedrawEntry(int index) {
    if (index >= 0) frame_.View()->RedrawCell(index);
    frame_.ListView()->viewport()->update();
    frame_.ScheduleToolBarUpdate();
}

bool CNoteCommands::onUpdate(int id, CommandState& state) {
    const int mode = app_.ViewMode();
    const bool imageMode = IsSingleImageMode(mode);
    CTavoImgView* view = frame_.ImgView();
    switch (id) {
        case cmd::kEditText:
        case cmd::kRecordAudio:
        case cmd::kSelectAudio:
            state.enabled = FirstSelected() != nullptr && !IsSlideShowMode(mode);
            return true;
        case cmd::kPlayAudio: {
            CImageEntry* entry = FirstSelected();
            state.enabled = entry != nullptr &&
                            (entry->Annotations(app_.Doc().CurrentFolder()) & kEntryHasAudio);
            return true;
        }
        case cmd::kRemoveText:
            state.enabled = AnySelectedHas(kEntryHasText);
            return true;
        case cmd::kRemoveAudio:
            state.enabled = AnySelectedHas(kEntryHasAudio);
            return true;
        case cmd::kRemoveAll:
            state.enabled = AnySelectedHas(kEntryAnnotationBits);
            return true;
        case cmd::kPickInkColor:
            state.enabled = InkToolsEnabled();
            return true;
        case cmd::kEraseAllStrokes:
            state.enabled = imageMode ? view->PictureInk().Count() > 0
                                      : !IsImageMode(mode) && AnySelectedHas(kEntryHasInk);
            return true;
        case cmd::kUndoLastStroke:
            state.enabled = imageMode && view->PictureInk().Count() > 0 &&
                            app_.Prefs().uiInfo.Get(ui::kToolMode) == kToolAnnotate;
            return true;
        case cmd::kMergeInk:
            state.enabled = mode == kModeFilmstrip && view->PictureInk().Count() > 0;
            return true;
        default:
            return false;
    }
}

bool CNoteCommands::onCommand(int id) {
    switch (id) {
        case cmd::kEditText:
            EditText();
            return true;
        case cmd::kRemoveText:
        case cmd::kRemoveAudio:
            RemoveAnnotations(
                app_.Doc(), id == cmd::kRemoveText ? AnnotationKind::kText : AnnotationKind::kAudio,
                Prompt());
            AfterRemoval();
            return true;
        case cmd::kRemoveAll:
            RemoveAllAnnotations(app_.Doc(), Prompt());
            AfterRemoval();
            return true;
        case cmd::kPlayAudio:
            PlayAudio();
            return true;
        case cmd::kRecordAudio:
            RecordAudio();
            return true;
        case cmd::kSelectAudio:
            SelectAudio();
            return true;
        case cmd::kPickInkColor:
            PickInkColour();
            return true;
        case cmd::kEraseAllStrokes:
            EraseAllStrokes();
            return true;
        case cmd::kUndoLastStroke:
            UndoLastStroke();
            return true;
        case cmd::kMergeInk:
            MergeInk();
            return true;
        default:
            return false;
    }
}

void CNoteCommands::AfterRemoval() {
    CTavoImgView* view = frame_.ImgView();
    if (IsSingleImageMode(app_.ViewMode())) view->ReloadInk();
    frame_.View()->viewport()->update();
    frame_.ListView()->viewport()->update();
}

void CNoteCommands::EditText() {
    int index = -1;
    if (!FirstSelected(&index)) return;
    CTextNoteDialog dialog(app_.Doc(), index, Prompt(), autoSaveNotes_, &frame_);
    connect(&dialog, &CTextNoteDialog::noteSaved, this, [this](int i) { RedrawEntry(i); });
    frame_.runDialog(dialog);
    autoSaveNotes_ = dialog.AutoSave();
}

void CNoteCommands::PlayAudio() {
    CImageEntry* entry = FirstSelected();
    if (!entry) return;
    if (!CAudioPlayerDialog::OutputAvailable()) {
        ShowMessage(&frame_, LoadString(kStrNoAudioDevice));
        return;
    }
    CAudioPlayerDialog dialog(
        QString::fromStdString(entry->AnnotationPath(app_.Doc().CurrentFolder(), "wav")), true,
        &frame_);
    frame_.runDialog(dialog);
}

void CNoteCommands::RecordAudio() {
    int index = -1;
    CImageEntry* entry = FirstSelected(&index);
    if (!entry) return;
    // Without a microphone nothing is recorded and nothing written.
    if (!CAudioRecorderDialog::InputAvailable()) {
        ShowMessage(&frame_, LoadString(kStrNoAudioDevice));
        return;
    }
    const std::string path = entry->AnnotationPath(app_.Doc().CurrentFolder(), "wav");
    CAudioRecorderDialog dialog(QString::fromStdString(path), &frame_);
    app_.SetFlag(kAppVoiceActive, true);
    frame_.runDialog(dialog);
    app_.SetFlag(kAppVoiceActive, false);
    entry->ForgetAnnotations();
    RedrawEntry(index);
}

void CNoteCommands::SelectAudio() {
    int index = -1;
    CImageEntry* entry = FirstSelected(&index);
    if (!entry) return;
    const QString chosen = chooseAudioFile();
    if (chosen.isEmpty() || !QFileInfo(chosen).isFile()) return;
    const std::string target = entry->AnnotationPath(app_.Doc().CurrentFolder(), "wav");
    // The note itself chosen: nothing to copy.
    const QFileInfo targetInfo(QString::fromStdString(target));
    if (targetInfo.exists() &&
        targetInfo.canonicalFilePath() == QFileInfo(chosen).canonicalFilePath())
        return;
    if (CopyFileSafely(chosen.toStdString(), target, false) != 0) {
        ShowMessage(&frame_, LoadString(kStrCopyAudioFailed));
        return;
    }
    // The copy is the user's own file now, whatever the source's permissions were.
    QFile::setPermissions(QString::fromStdString(target),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                              QFileDevice::ReadGroup | QFileDevice::ReadOther);
    entry->ForgetAnnotations();
    RedrawEntry(index);
}

void CNoteCommands::ShowInkColour() {
    QAction* action = frame_.Action(cmd::kPickInkColor);
    if (!action) return;
    const uint32_t c = app_.Prefs().uiInfo.Get(ui::kInkColour);
    QPixmap swatch(16, 16);
    swatch.fill(Qt::transparent);
    QPainter p(&swatch);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2, 2);
    action->setIcon(QIcon(swatch));
}

void CNoteCommands::PickInkColour() {
    uint32_t colour = app_.Prefs().uiInfo.Get(ui::kInkColour) & 0xFFFFFF;
    if (!chooseColour(colour)) return;
    app_.Prefs().uiInfo.Set(ui::kInkColour, colour);
    ShowInkColour();
}

void CNoteCommands::EraseAllStrokes() {
    if (!IsSingleImageMode(app_.ViewMode())) {
        RemoveAnnotations(app_.Doc(), AnnotationKind::kInk, Prompt());
        AfterRemoval();
        return;
    }
    CTavoImgView* view = frame_.ImgView();
    view->PictureInk().RemoveAll();
    view->InkEdited();  // an empty layer deletes the file
}

void CNoteCommands::UndoLastStroke() {
    CTavoImgView* view = frame_.ImgView();
    if (!view->PictureInk().RemoveCurrent()) return;
    view->InkEdited();
}

void CNoteCommands::MergeInk() {
    int index = -1;
    CImageEntry* entry = FirstSelected(&index);
    CTavoImgView* view = frame_.ImgView();
    if (!entry || entry != view->Shown()) return;
    const Question question{kStrMergeAsk, kStrMergeTitle, LoadString(kStrMergeAsk), false};
    if (Prompt().Ask(question) != Answer::kYes) return;
    CTavoDoc& doc = app_.Doc();
    const std::string folder = doc.CurrentFolder();
    const std::string path = JoinPath(folder, entry->Name());
    {
        const WaitCursor wait;
        try {
            SaveEntryInk(folder, *entry, view->PictureInk());
            MergeInkIntoImage(path, view->PictureInk(), path);
        } catch (const CTavoException& e) {
            // The picture and its ink file stay as they were.
            ReportError(&frame_, e);
            return;
        }
    }
    view->PictureInk().RemoveAll();
    try {
        DeleteEntryInk(folder, *entry);
        FindData data;
        if (ReadFindData(folder, entry->Name(), data)) {
            entry->Refill(data, folder);
        } else {
            doc.RemoveEntry(index);
            doc.UpdateViews(kHintEntriesChanged);
            return;
        }
    } catch (const CTavoException& e) {
        ReportError(&frame_, e);
    }
    view->ReloadPicture();
    RedrawEntry(index);
}

}  // namespace xelo
