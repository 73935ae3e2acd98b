// "Send via E-mail": the form, its enabling rule and the checks of Send.
#include "imageui/SendMailDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/StringTable.h"
#include "imageui/SmtpSettingsDialog.h"
#include "platform/DialogPrompt.h"
#include "platform/HelpTopics.h"
#include "platform/UiText.h"
#include "share/MailErrors.h"
#include "share/MailRules.h"
#include "views/ListTexts.h"

namespace xelo {

namespace {

constexpr int kRatioChoices[] = {10, 25, 50, 75};

uint64_t FileBytes(const std::string& path) {
    const QFileInfo info(QString::fromStdString(path));
    return info.isFile() ? static_cast<uint64_t>(info.size()) : 0;
}

}  // namespace

CSendMailDialog::CSendMailDialog(std::vector<std::string> images, const MailSettings& settings,
                                 const AttachOptions& options, const std::string& sendmailPath,
                                 QWidget* parent)
    : QDialog(parent),
      images_(std::move(images)),
      settings_(settings),
      sendmailPath_(sendmailPath),
      windowPrompt_(
          std::make_unique<CDialogPrompt>(this, [](QDialog& dialog) { return dialog.exec(); })) {
    setWindowTitle(Text(kStrSendMailTitle));
    editSmtp = [this](SmtpSettings& smtp, std::string& password) {
        CSmtpSettingsDialog dialog(smtp, password, this);
        if (dialog.exec() != QDialog::Accepted) return false;
        smtp = dialog.Settings();
        password = dialog.Password();
        return true;
    };
    chooseDraftFolder = [this](const std::string& current) {
        return QFileDialog::getExistingDirectory(this, Text(kStrDraftFolder),
                                                 QString::fromStdString(current))
            .toStdString();
    };

    auto* fields = new QGridLayout;
    toButton_ = new QPushButton(Text(kStrMailTo), this);
    to_ = new QLineEdit(this);
    ccButton_ = new QPushButton(Text(kStrMailCc), this);
    cc_ = new QLineEdit(this);
    subject_ = new QLineEdit(this);
    auto* subjectLabel = new QLabel(Text(kStrMailSubject), this);
    subjectLabel->setBuddy(subject_);
    fields->addWidget(toButton_, 0, 0);
    fields->addWidget(to_, 0, 1);
    fields->addWidget(ccButton_, 1, 0);
    fields->addWidget(cc_, 1, 1);
    fields->addWidget(subjectLabel, 2, 0);
    fields->addWidget(subject_, 2, 1);
    body_ = new QPlainTextEdit(this);
    body_->setTabChangesFocus(true);
    body_->setPlaceholderText(Text(kStrMailBody));

    group_ = new QGroupBox(this);
    auto* groupLayout = new QGridLayout(group_);
    reduce_ = new QCheckBox(Text(kStrMailReduce), group_);
    reduce_->setChecked(options.reduce);
    ratio_ = new QComboBox(group_);
    ratio_->setEditable(true);
    for (int r : kRatioChoices)
        ratio_->addItem(QString::fromStdString(RatioText(r)));
    ratio_->setEditText(QString::fromStdString(RatioText(settings.ratio)));
    audio_ = new QCheckBox(Text(kStrMailAttachAudio), group_);
    audio_->setChecked(options.attachAudio);
    text_ = new QCheckBox(Text(kStrMailAttachText), group_);
    text_->setChecked(options.attachText);
    ink_ = new QCheckBox(Text(kStrMailMergeInk), group_);
    ink_->setChecked(options.mergeInk);
    groupLayout->addWidget(reduce_, 0, 0);
    groupLayout->addWidget(ratio_, 0, 1);
    groupLayout->addWidget(audio_, 1, 0);
    groupLayout->addWidget(text_, 1, 1);
    groupLayout->addWidget(ink_, 2, 0);

    auto* serviceRow = new QHBoxLayout;
    service_ = new QComboBox(this);
    if (!sendmailPath_.empty()) {
        service_->addItem(Text(kStrServiceSendmail), MailServiceName(MailService::kSendmail));
    }
    service_->addItem(Text(kStrServiceSmtp), MailServiceName(MailService::kSmtp));
    service_->addItem(Text(kStrServiceDraft), MailServiceName(MailService::kDraft));
    const int stored = service_->findData(QString::fromStdString(settings.service));
    service_->setCurrentIndex(stored >= 0 ? stored : 0);
    auto* serviceLabel = new QLabel(Text(kStrMailService), this);
    serviceLabel->setBuddy(service_);
    serviceSettings_ = new QPushButton(Text(kStrMailSettings), this);
    serviceRow->addWidget(serviceLabel);
    serviceRow->addWidget(service_, 1);
    serviceRow->addWidget(serviceSettings_);

    auto* buttons = new QDialogButtonBox(this);
    send_ = buttons->addButton(Text(kStrMailSend), QDialogButtonBox::AcceptRole);
    cancel_ = buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSendMailDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(body_, 1);
    layout->addWidget(group_);
    layout->addLayout(serviceRow);
    layout->addWidget(buttons);
    AttachHelp(this, kHelpSendMail, buttons);

    connect(to_, &QLineEdit::textChanged, this, &CSendMailDialog::UpdateSend);
    connect(cc_, &QLineEdit::textChanged, this, &CSendMailDialog::UpdateSend);
    connect(toButton_, &QPushButton::clicked, this, &CSendMailDialog::PickAddresses);
    connect(ccButton_, &QPushButton::clicked, this, &CSendMailDialog::PickAddresses);
    connect(reduce_, &QCheckBox::toggled, ratio_, &QWidget::setEnabled);
    for (QCheckBox* box : {audio_, text_}) {
        connect(box, &QCheckBox::toggled, this, &CSendMailDialog::UpdateGroupTitle);
    }
    connect(service_, &QComboBox::currentIndexChanged, this, &CSendMailDialog::UpdateService);
    connect(serviceSettings_, &QPushButton::clicked, this, &CSendMailDialog::EditServiceSettings);
    ratio_->setEnabled(reduce_->isChecked());
    SetAddressPicker(nullptr);
    UpdateSend();
    UpdateGroupTitle();
    UpdateService();
    to_->setFocus();
}

CSendMailDialog::~CSendMailDialog() = default;

UserPrompt& CSendMailDialog::Prompt() {
    return promptOverride_ != nullptr ? *promptOverride_ : *windowPrompt_;
}

void CSendMailDialog::SetAddressPicker(AddressPicker picker) {
    picker_ = std::move(picker);
    toButton_->setEnabled(static_cast<bool>(picker_));
    ccButton_->setEnabled(static_cast<bool>(picker_));
}

void CSendMailDialog::PickAddresses() {
    if (!picker_) return;
    std::vector<std::string> to = SplitAddresses(to_->text().toStdString());
    std::vector<std::string> cc = SplitAddresses(cc_->text().toStdString());
    if (!picker_(to, cc)) return;
    to_->setText(QString::fromStdString(JoinAddresses(to)));
    cc_->setText(QString::fromStdString(JoinAddresses(cc)));
}

void CSendMailDialog::UpdateSend() {
    const bool can = CanSend(to_->text().toStdString(), cc_->text().toStdString());
    send_->setEnabled(can);
    send_->setDefault(can);
    cancel_->setDefault(!can);
}

void CSendMailDialog::UpdateGroupTitle() {
    uint64_t bytes = 0;
    for (const std::string& image : images_) {
        bytes += FileBytes(image);
        if (text_->isChecked()) bytes += FileBytes(image + ".txt");
        if (audio_->isChecked()) bytes += FileBytes(image + ".wav");
    }
    group_->setTitle(QString::fromStdString(FormatString(
        kStrAttachmentsGroup, static_cast<int>(images_.size()), FormatFileSize(bytes).c_str())));
}

MailService CSendMailDialog::CurrentService() const {
    MailService service = MailService::kDraft;
    ParseMailService(service_->currentData().toString().toStdString(), service);
    return service;
}

void CSendMailDialog::UpdateService() {
    serviceSettings_->setEnabled(CurrentService() != MailService::kSendmail);
}

void CSendMailDialog::EditServiceSettings() {
    if (CurrentService() == MailService::kSmtp) {
        SmtpSettings smtp = settings_.smtp;
        if (!passwordEntered_ && lookupPassword) password_ = lookupPassword(smtp);
        std::string password = password_;
        if (!editSmtp(smtp, password)) return;
        settings_.smtp = smtp;
        passwordEntered_ = passwordEntered_ || password != password_;
        password_ = password;
    } else if (CurrentService() == MailService::kDraft) {
        const std::string folder = chooseDraftFolder(settings_.draftFolder);
        if (!folder.empty()) settings_.draftFolder = folder;
    }
}

bool CSendMailDialog::ConfirmAddress(QLineEdit* edit) {
    const std::string field = TrimBoth(edit->text().toStdString());
    if (!NeedsAddressConfirmation(field)) return true;
    const Question question{kStrNotAnAddress, kStrSendMailTitle,
                            FormatString(kStrNotAnAddress, field.c_str()), false};
    if (Prompt().Ask(question) == Answer::kYes) return true;
    edit->setFocus();
    return false;
}

void CSendMailDialog::accept() {
    if (!send_->isEnabled()) return;  // Enter in an edit while Send is off
    if (!ConfirmAddress(to_) || !ConfirmAddress(cc_)) return;
    const std::string ratioText = ratio_->currentText().toStdString();
    const std::optional<int> ratio = EffectiveRatio(ratioText, reduce_->isChecked());
    if (!ratio) {
        Prompt().ShowMessage(kStrRatioRange,
                             FormatString(kStrRatioRange, kMinMailRatio, kMaxMailRatio));
        ratio_->setFocus();
        return;
    }
    ratioValue_ = *ratio;
    const std::optional<int> typed = ParseLeadingInt(ratioText);
    if (typed && *typed >= kMinMailRatio && *typed <= kMaxMailRatio) {
        ratio_->setEditText(QString::fromStdString(RatioText(*typed)));
        settings_.ratio = *typed;
    }
    switch (CurrentService()) {
        case MailService::kSmtp:
            if (settings_.smtp.host.empty()) EditServiceSettings();
            if (settings_.smtp.host.empty()) {
                Prompt().ShowMessage(kStrNoSmtpServer, LoadString(kStrNoSmtpServer));
                return;
            }
            if (!passwordEntered_ && lookupPassword) password_ = lookupPassword(settings_.smtp);
            break;
        case MailService::kDraft:
            if (settings_.draftFolder.empty()) EditServiceSettings();
            if (settings_.draftFolder.empty()) return;
            break;
        case MailService::kSendmail:
            break;
    }
    settings_.service = MailServiceName(CurrentService());
    QDialog::accept();
}

MailContent CSendMailDialog::Content() const {
    MailContent content;
    content.to = SplitAddresses(to_->text().toStdString());
    content.cc = SplitAddresses(cc_->text().toStdString());
    content.subject = TrimEnd(subject_->text().toStdString());
    content.body = TrimEnd(body_->toPlainText().toStdString());
    content.from = CurrentService() == MailService::kSmtp ? settings_.smtp.sender : std::string();
    return content;
}

AttachOptions CSendMailDialog::Options() const {
    AttachOptions options;
    options.reduce = reduce_->isChecked();
    options.ratio = ratioValue_;
    options.attachAudio = audio_->isChecked();
    options.attachText = text_->isChecked();
    options.mergeInk = ink_->isChecked();
    return options;
}

MailRoute CSendMailDialog::Route() const {
    MailRoute route;
    route.service = CurrentService();
    route.sendmailPath = sendmailPath_;
    route.smtp = settings_.smtp;
    route.smtp.password = password_;
    route.draftFolder = settings_.draftFolder;
    return route;
}

MailSettings CSendMailDialog::Settings() const {
    return settings_;
}

}  // namespace xelo
