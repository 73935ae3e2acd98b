// The "Text Note" dialog: the note of one image at a time, stepping to the previous or next image
// with "<" and ">", saving a changed note on the way directly or after asking.
#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace xelo {

class CTavoDoc;
class UserPrompt;

class CTextNoteDialog : public QDialog {
    Q_OBJECT

  public:
    // Opens on the image at `index`; `autoSave` is the choice the dialog starts with.
    CTextNoteDialog(CTavoDoc& doc, int index, UserPrompt& prompt, bool autoSave,
                    QWidget* parent = nullptr);

    int Index() const { return index_; }
    bool AutoSave() const;
    QPlainTextEdit* NoteEdit() const { return note_; }
    QPushButton* PreviousButton() const { return previous_; }
    QPushButton* NextButton() const { return next_; }
    QCheckBox* AutoSaveBox() const { return autoSave_; }

    // "<" (-1) and ">" (+1).
    void Step(int step);

  signals:
    // The note of the image at `index` was written or deleted.
    void noteSaved(int index);

  public slots:
    // OK keeps a changed note, as leaving it for another image with auto-save would.
    void accept() override;

  private:
    void Load();
    // Saves the note when it changed: directly, or after asking unless `direct`. False when a
    // save failed (the dialog stays where it is).
    bool SaveChange(bool direct);
    QString LoadedText() const { return loaded_; }

    CTavoDoc& doc_;
    UserPrompt& prompt_;
    int index_;
    QString loaded_;  // the note as loaded, line ends as the editor shows them
    QLabel* name_ = nullptr;
    QLabel* counter_ = nullptr;
    QPlainTextEdit* note_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    QCheckBox* autoSave_ = nullptr;
};

}  // namespace xelo
