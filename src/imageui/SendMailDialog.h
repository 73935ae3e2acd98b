// Dialog 120 "Send via E-mail": recipients, subject and text, the preparation of the images
// (reduce, notes, ink), the service, and the checks before Send.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "share/MailContent.h"
#include "share/MailSettings.h"
#include "share/MailTransport.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace xelo {

class UserPrompt;

class CSendMailDialog : public QDialog {
    Q_OBJECT

  public:
    // `images` are the full paths of the selected images; `sendmailPath` empty when the system
    // has none (the service is then not offered).
    CSendMailDialog(std::vector<std::string> images, const MailSettings& settings,
                    const AttachOptions& options, const std::string& sendmailPath,
                    QWidget* parent = nullptr);
    ~CSendMailDialog() override;

    // The "To:" and "Cc:" buttons ask this for addresses, which replace the edits' texts; the
    // buttons are disabled while none is set. False: the user cancelled.
    using AddressPicker =
        std::function<bool(std::vector<std::string>& to, std::vector<std::string>& cc)>;
    void SetAddressPicker(AddressPicker picker);
    // Where questions and messages go; null: the window's dialogs. Not owned.
    void SetPrompt(UserPrompt* prompt) { promptOverride_ = prompt; }
    // The SMTP settings' form (tests replace it); false when cancelled.
    std::function<bool(SmtpSettings& settings, std::string& password)> editSmtp;
    // The draft folder's chooser (tests replace it); empty when cancelled.
    std::function<std::string(const std::string& current)> chooseDraftFolder;
    // The stored password of the server, asked for only when SMTP is used.
    std::function<std::string(const SmtpSettings& settings)> lookupPassword;

    // After Send: the message without attachments, the options, the route and what to store.
    MailContent Content() const;
    AttachOptions Options() const;
    MailRoute Route() const;
    MailSettings Settings() const;
    // True when the user entered a password in the SMTP settings.
    bool PasswordEntered() const { return passwordEntered_; }

    QLineEdit* ToEdit() const { return to_; }
    QLineEdit* CcEdit() const { return cc_; }
    QPushButton* ToButton() const { return toButton_; }
    QPushButton* CcButton() const { return ccButton_; }
    QPushButton* SendButton() const { return send_; }
    QPushButton* CancelButton() const { return cancel_; }
    QComboBox* RatioCombo() const { return ratio_; }
    QCheckBox* ReduceCheck() const { return reduce_; }
    QComboBox* ServiceCombo() const { return service_; }
    QGroupBox* AttachmentGroup() const { return group_; }

    void accept() override;

  private:
    UserPrompt& Prompt();
    void UpdateSend();
    void UpdateGroupTitle();
    void UpdateService();
    void PickAddresses();
    void EditServiceSettings();
    MailService CurrentService() const;
    // The dialog's question about a field; false puts the focus back into it.
    bool ConfirmAddress(QLineEdit* edit);

    std::vector<std::string> images_;
    MailSettings settings_;
    std::string sendmailPath_;
    std::string password_;
    bool passwordEntered_ = false;
    int ratioValue_ = 50;
    AddressPicker picker_;
    std::unique_ptr<UserPrompt> windowPrompt_;
    UserPrompt* promptOverride_ = nullptr;

    QPushButton* toButton_;
    QLineEdit* to_;
    QPushButton* ccButton_;
    QLineEdit* cc_;
    QLineEdit* subject_;
    QPlainTextEdit* body_;
    QCheckBox* reduce_;
    QComboBox* ratio_;
    QCheckBox* audio_;
    QCheckBox* text_;
    QCheckBox* ink_;
    QGroupBox* group_;
    QComboBox* service_;
    QPushButton* serviceSettings_;
    QPushButton* send_;
    QPushButton* cancel_;
};

}  // namespace xelo
