// The SMTP server of "Send via E-mail": host, port, security, user, password, sender address
// and the certificate check.
#pragma once

#include <QDialog>
#include <string>

#include "share/MailTransport.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace xelo {

class CSmtpSettingsDialog : public QDialog {
    Q_OBJECT

  public:
    CSmtpSettingsDialog(const SmtpSettings& settings, const std::string& password,
                        QWidget* parent = nullptr);

    // What the user entered; the password stays apart, as it is kept apart.
    SmtpSettings Settings() const;
    std::string Password() const;

  private:
    QLineEdit* host_;
    QSpinBox* port_;
    QComboBox* security_;
    QLineEdit* user_;
    QLineEdit* password_;
    QLineEdit* sender_;
    QCheckBox* verify_;
};

}  // namespace xelo
