// The confirmation dialog on QMessageBox's standard buttons.
#include "frame/ConfirmPrompt.h"

#include <QMessageBox>

#include "base/StringTable.h"
#include "platform/MessageBox.h"

namespace xelo {

Answer CConfirmPrompt::Ask(const Question& question) {
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    if (question.offerYesToAll) buttons |= QMessageBox::YesToAll;
    QMessageBox box(QMessageBox::Question, QString::fromStdString(LoadString(question.titleId)),
                    QString::fromStdString(question.text), buttons, parent_);
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::kYes;
        case QMessageBox::YesToAll:
            return Answer::kYesToAll;
        case QMessageBox::No:
            return Answer::kNo;
        default:
            return Answer::kCancel;  // Cancel, Escape, or the box closed
    }
}

void CConfirmPrompt::ShowMessage(uint32_t, const std::string& text) {
    xelo::ShowMessage(parent_, text);
}

}  // namespace xelo
