// The confirmation dialog.
#include "imageui/DialogPrompt.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "base/StringTable.h"
#include "platform/MessageBox.h"

namespace xelo {

Answer CDialogPrompt::Ask(const Question& question) {
    QDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("ConfirmDialog"));
    dialog.setWindowTitle(QString::fromStdString(LoadString(question.titleId)));
    auto* column = new QVBoxLayout(&dialog);
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel(&dialog);
    icon->setPixmap(dialog.style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    row->addWidget(icon, 0, Qt::AlignTop);
    auto* text = new QLabel(QString::fromStdString(question.text), &dialog);
    text->setWordWrap(true);
    text->setMinimumWidth(280);
    row->addWidget(text, 1);
    column->addLayout(row);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    const struct {
        const char* label;
        Answer answer;
    } kButtons[] = {{"&Yes", Answer::kYes},
                    {"Yes to &All", Answer::kYesToAll},
                    {"&No", Answer::kNo},
                    {"&Cancel", Answer::kCancel}};
    for (const auto& b : kButtons) {
        auto* button = new QPushButton(QString::fromUtf8(b.label), &dialog);
        button->setObjectName(QStringLiteral("answer%1").arg(static_cast<int>(b.answer)));
        button->setEnabled(b.answer != Answer::kYesToAll || question.offerYesToAll);
        button->setDefault(b.answer == Answer::kYes);
        QObject::connect(button, &QPushButton::clicked, &dialog,
                         [&dialog, answer = b.answer] { dialog.done(static_cast<int>(answer)); });
        buttons->addWidget(button);
    }
    column->addLayout(buttons);
    const int result = run_(dialog);
    switch (result) {
        case static_cast<int>(Answer::kYes):
        case static_cast<int>(Answer::kYesToAll):
        case static_cast<int>(Answer::kNo):
            return static_cast<Answer>(result);
        default:
            return Answer::kCancel;  // Escape or the window closed
    }
}

void CDialogPrompt::ShowMessage(uint32_t, const std::string& text) {
    xelo::ShowMessage(parent_, text);
}

}  // namespace xelo
