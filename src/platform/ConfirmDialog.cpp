// The four-button confirmation dialog.
#include "platform/ConfirmDialog.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "base/StringTable.h"

namespace xelo {

namespace {

constexpr uint32_t kStrButtons = 2640;  // "&Yes|Yes to &All|&No|&Cancel|"

}  // namespace

CConfirmDialog::CConfirmDialog(const Question& question, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromStdString(LoadString(question.titleId)));
    auto* column = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    top->addWidget(icon);
    auto* text = new QLabel(QString::fromStdString(question.text), this);
    text->setObjectName(QStringLiteral("text"));
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    top->addWidget(text, 1);
    column->addLayout(top);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    const std::string captions = LoadString(kStrButtons);
    const Answer answers[] = {Answer::kYes, Answer::kYesToAll, Answer::kNo, Answer::kCancel};
    for (int i = 0; i < 4; ++i) {
        const Answer answer = answers[i];
        if (answer == Answer::kYesToAll && !question.offerYesToAll) continue;
        auto* button = new QPushButton(QString::fromStdString(FieldItem(captions, i)), this);
        button->setObjectName(QStringLiteral("answer%1").arg(static_cast<int>(answer)));
        button->setAutoDefault(false);
        // No is the default: Enter never replaces or deletes by accident.
        if (answer == Answer::kNo) {
            button->setDefault(true);
            button->setFocus();
        }
        connect(button, &QPushButton::clicked, this,
                [this, answer] { done(static_cast<int>(answer)); });
        buttons->addWidget(button);
    }
    column->addLayout(buttons);
}

Answer CConfirmDialog::AnswerOf(int result) {
    switch (result) {
        case static_cast<int>(Answer::kYes):
        case static_cast<int>(Answer::kYesToAll):
        case static_cast<int>(Answer::kNo):
            return static_cast<Answer>(result);
        default:
            return Answer::kCancel;
    }
}

QAbstractButton* CConfirmDialog::Button(Answer answer) const {
    return findChild<QAbstractButton*>(QStringLiteral("answer%1").arg(static_cast<int>(answer)));
}

void CConfirmDialog::reject() {
    done(static_cast<int>(Answer::kCancel));
}

}  // namespace xelo
