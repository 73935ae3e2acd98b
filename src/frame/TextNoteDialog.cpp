// The Text Note dialog: load, step, save.
#include "frame/TextNoteDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "album/TavoDoc.h"
#include "album/TextNote.h"
#include "album/UserPrompt.h"
#include "base/StringTable.h"
#include "image/TavoException.h"
#include "platform/HelpTopics.h"
#include "platform/UiText.h"

namespace xelo {

namespace {

constexpr uint32_t kStrCaption = 2620;
constexpr uint32_t kStrFilename = 2621;
constexpr uint32_t kStrAutoSave = 2622;
constexpr uint32_t kStrCounter = 2623;
constexpr uint32_t kStrCancel = 2632;
constexpr uint32_t kStrSaveAsk = 2445;
constexpr uint32_t kStrSaveTitle = 2448;
constexpr uint32_t kStrSaveFailed = 22010;

}  // namespace

CTextNoteDialog::CTextNoteDialog(CTavoDoc& doc, int index, UserPrompt& prompt, bool autoSave,
                                 QWidget* parent)
    : QDialog(parent), doc_(doc), prompt_(prompt), index_(index) {
    setWindowTitle(Text(kStrCaption));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(Text(kStrFilename), this), 0, 0);
    name_ = new QLabel(this);
    name_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(name_, 0, 1);
    counter_ = new QLabel(this);
    counter_->setObjectName(QStringLiteral("counter"));
    grid->addWidget(counter_, 0, 2, Qt::AlignRight);
    note_ = new QPlainTextEdit(this);
    note_->setObjectName(QStringLiteral("note"));
    grid->addWidget(note_, 1, 0, 1, 3);

    auto* row = new QHBoxLayout;
    previous_ = new QPushButton(QStringLiteral("<"), this);
    next_ = new QPushButton(QStringLiteral(">"), this);
    for (QPushButton* b : {previous_, next_}) {
        b->setAutoDefault(false);
        b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("MM")) + 16);
        row->addWidget(b);
    }
    previous_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    next_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    autoSave_ = new QCheckBox(Text(kStrAutoSave), this);
    autoSave_->setChecked(autoSave);
    row->addWidget(autoSave_, 1);
    grid->addLayout(row, 2, 0, 1, 3);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    AttachHelp(this, kHelpEditText, buttons);
    buttons->button(QDialogButtonBox::Cancel)->setText(Text(kStrCancel));
    grid->addWidget(buttons, 3, 0, 1, 3);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTextNoteDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(previous_, &QPushButton::clicked, this, [this] { Step(-1); });
    connect(next_, &QPushButton::clicked, this, [this] { Step(1); });
    Load();
}

bool CTextNoteDialog::AutoSave() const {
    return autoSave_->isChecked();
}

void CTextNoteDialog::Load() {
    const CImageEntry* entry = doc_.EntryAt(index_);
    loaded_.clear();
    if (entry != nullptr) {
        name_->setText(QString::fromStdString(entry->Name()));
        std::string note;
        try {
            if (ReadTextNote(entry->AnnotationPath(doc_.CurrentFolder(), "txt"), note)) {
                loaded_ = QString::fromStdString(note);
                loaded_.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            }
        } catch (const CTavoException& e) {
            prompt_.ShowMessage(e.GetCode(), e.GetErrorMessage());
        }
    }
    note_->setPlainText(loaded_);
    note_->moveCursor(QTextCursor::End);
    counter_->setText(QString::fromStdString(FormatString(kStrCounter, index_ + 1, doc_.Count())));
    previous_->setEnabled(index_ > 0);
    next_->setEnabled(index_ + 1 < doc_.Count());
    note_->setFocus();
}

bool CTextNoteDialog::SaveChange(bool direct) {
    const QString text = note_->toPlainText();
    CImageEntry* entry = doc_.EntryAt(index_);
    if (entry == nullptr || text == loaded_) return true;
    if (!direct) {
        const Question question{kStrSaveAsk, kStrSaveTitle,
                                FormatString(kStrSaveAsk, entry->Name().c_str()), false};
        if (prompt_.Ask(question) != Answer::kYes) return true;
    }
    try {
        SaveEntryNote(doc_.CurrentFolder(), *entry, text.toStdString());
    } catch (const CTavoException&) {
        prompt_.ShowMessage(kStrSaveFailed, LoadString(kStrSaveFailed));
        return false;
    }
    loaded_ = text;
    emit noteSaved(index_);
    return true;
}

void CTextNoteDialog::Step(int step) {
    const int target = index_ + step;
    if (target < 0 || target >= doc_.Count()) return;
    if (!SaveChange(AutoSave())) return;
    index_ = target;
    Load();
}

void CTextNoteDialog::accept() {
    if (SaveChange(true)) QDialog::accept();
}

}  // namespace xelo
