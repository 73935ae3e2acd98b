// The confirmation before a capture file is written.
#include "frame/CaptureMessage.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "base/StringTable.h"
#include "platform/HelpTopics.h"
#include "platform/UiText.h"

namespace xelo {

namespace {

constexpr uint32_t kStrTitle = 2734;
constexpr uint32_t kStrSaveAs = 2735;
constexpr uint32_t kStrAbort = 2736;
constexpr uint32_t kStrDontAsk = 2737;

}  // namespace

CCaptureMessage::CCaptureMessage(const std::string& name, QWidget* parent) : QDialog(parent) {
    setWindowTitle(Text(kStrTitle));
    const size_t dot = name.rfind('.');
    extension_ = dot == std::string::npos ? std::string() : name.substr(dot);
    stem_ = new QLineEdit(QString::fromStdString(name.substr(0, dot)));
    stem_->setObjectName(QStringLiteral("name"));
    stem_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^/]+")), stem_));
    abort_ = new QCheckBox(Text(kStrAbort));
    abort_->setObjectName(QStringLiteral("abort"));
    dontAsk_ = new QCheckBox(Text(kStrDontAsk));
    dontAsk_->setObjectName(QStringLiteral("dontAsk"));
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(stem_, 1);
    nameRow->addWidget(new QLabel(QString::fromStdString(extension_)));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    AttachHelp(this, kHelpCapture, buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(stem_, &QLineEdit::textChanged, this, [buttons](const QString& text) {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(!text.isEmpty());
    });
    auto* column = new QVBoxLayout(this);
    column->addWidget(new QLabel(Text(kStrSaveAs)));
    column->addLayout(nameRow);
    column->addWidget(abort_);
    column->addWidget(dontAsk_);
    column->addWidget(buttons);
    stem_->selectAll();
    stem_->setFocus();
}

std::string CCaptureMessage::Name() const {
    return stem_->text().toStdString() + extension_;
}

bool CCaptureMessage::Abort() const {
    return abort_->isChecked();
}

bool CCaptureMessage::DontAskAgain() const {
    return dontAsk_->isChecked();
}

}  // namespace xelo
