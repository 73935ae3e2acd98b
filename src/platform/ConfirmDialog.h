// The confirmation dialog of deletions and overwrites: a text and the buttons Yes, Yes to All,
// No and Cancel. It ends with the pressed button's Answer as its result; Escape or closing the
// window counts as Cancel.
#pragma once

#include <QDialog>

#include "album/UserPrompt.h"

class QAbstractButton;

namespace xelo {

class CConfirmDialog : public QDialog {
    Q_OBJECT

  public:
    CConfirmDialog(const Question& question, QWidget* parent = nullptr);

    // The answer of a finished dialog (Cancel when it was closed otherwise).
    static Answer AnswerOf(int result);
    // The button of `answer` (tests press it); null for Yes to All when not offered.
    QAbstractButton* Button(Answer answer) const;

    void reject() override;
};

}  // namespace xelo
