// The one-name dialogs.
#include "frame/NameDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "base/StringTable.h"
#include "platform/HelpTopics.h"

namespace xelo {

namespace {

constexpr int kRefusalMs = 2100;
constexpr uint32_t kStrNameLabel = 2644;  // "Name:"

}  // namespace

CNameDialog::CNameDialog(const QString& title, const std::string& name, Apply apply,
                         int helpTemplate, QWidget* parent)
    : QDialog(parent), apply_(std::move(apply)) {
    setWindowTitle(title);
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QString::fromStdString(LoadString(kStrNameLabel)), this), 0, 0);
    edit_ = new QLineEdit(QString::fromStdString(name), this);
    edit_->setMinimumWidth(fontMetrics().averageCharWidth() * 32);
    grid->addWidget(edit_, 0, 1);
    refusal_ = new QLabel(this);
    refusal_->setObjectName(QStringLiteral("refusal"));
    refusal_->setWordWrap(true);
    refusal_->setStyleSheet(QStringLiteral("color: #b00000"));
    refusal_->hide();
    grid->addWidget(refusal_, 1, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CNameDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CNameDialog::reject);
    grid->addWidget(buttons, 2, 0, 1, 2);
    AttachHelp(this, helpTemplate, buttons);
    hideRefusal_.setSingleShot(true);
    hideRefusal_.setInterval(kRefusalMs);
    connect(&hideRefusal_, &QTimer::timeout, refusal_, &QLabel::hide);
    // The name without its extension is what one usually retypes.
    const qsizetype dot = edit_->text().lastIndexOf(QLatin1Char('.'));
    edit_->setSelection(0, dot > 0 ? dot : edit_->text().size());
    edit_->setFocus();
}

QString CNameDialog::Refusal() const {
    return refusal_->isHidden() ? QString() : refusal_->text();
}

void CNameDialog::accept() {
    const uint32_t refused = apply_(edit_->text().toStdString());
    if (refused == 0) {
        QDialog::accept();
        return;
    }
    refusal_->setText(QString::fromStdString(LoadString(refused)));
    refusal_->show();
    hideRefusal_.start();
    edit_->setFocus();
    edit_->selectAll();
}

}  // namespace xelo
