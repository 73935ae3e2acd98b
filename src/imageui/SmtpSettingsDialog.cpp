// The SMTP server settings as a form.
#include "imageui/SmtpSettingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "base/StringTable.h"
#include "platform/HelpTopics.h"
#include "platform/UiText.h"
#include "share/MailErrors.h"

namespace xelo {

CSmtpSettingsDialog::CSmtpSettingsDialog(const SmtpSettings& settings, const std::string& password,
                                         QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(Text(kStrSmtpTitle));
    auto* form = new QFormLayout;
    host_ = new QLineEdit(QString::fromStdString(settings.host), this);
    form->addRow(Text(kStrSmtpHost), host_);
    security_ = new QComboBox(this);
    const std::string list = LoadString(kStrSmtpSecurityList);
    for (int i = 0; i < 3; ++i)
        security_->addItem(QString::fromStdString(FieldItem(list, i)));
    security_->setCurrentIndex(static_cast<int>(settings.security));
    form->addRow(Text(kStrSmtpSecurity), security_);
    port_ = new QSpinBox(this);
    port_->setRange(0, 65535);
    port_->setValue(settings.port);
    form->addRow(Text(kStrSmtpPort), port_);
    user_ = new QLineEdit(QString::fromStdString(settings.user), this);
    form->addRow(Text(kStrSmtpUser), user_);
    password_ = new QLineEdit(QString::fromStdString(password), this);
    password_->setEchoMode(QLineEdit::Password);
    form->addRow(Text(kStrSmtpPassword), password_);
    sender_ = new QLineEdit(QString::fromStdString(settings.sender), this);
    form->addRow(Text(kStrSmtpSender), sender_);
    verify_ = new QCheckBox(Text(kStrSmtpVerify), this);
    verify_->setChecked(settings.verifyCertificates);
    form->addRow(verify_);

    // 0 stands for the security's usual port, shown as such.
    auto showDefaultPort = [this] {
        port_->setSpecialValueText(
            QString::number(DefaultSmtpPort(static_cast<SmtpSecurity>(security_->currentIndex()))));
    };
    showDefaultPort();
    connect(security_, &QComboBox::currentIndexChanged, this, showDefaultPort);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    AttachHelp(this, kHelpSendMail, buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    host_->setFocus();
}

SmtpSettings CSmtpSettingsDialog::Settings() const {
    SmtpSettings s;
    s.host = host_->text().trimmed().toStdString();
    s.port = port_->value();
    s.security = static_cast<SmtpSecurity>(security_->currentIndex());
    s.user = user_->text().trimmed().toStdString();
    s.sender = sender_->text().trimmed().toStdString();
    s.verifyCertificates = verify_->isChecked();
    return s;
}

std::string CSmtpSettingsDialog::Password() const {
    return password_->text().toStdString();
}

}  // namespace xelo
