// The mail settings in the "Mail" section of the program's key.
#include "share/MailSettings.h"

#include "base/Registry.h"
#include "share/MailRules.h"

namespace xelo {

namespace {

constexpr std::string_view kSection = "Mail";
constexpr std::string_view kRatio = "Ratio";
constexpr std::string_view kService = "Service";
constexpr std::string_view kHost = "SMTP Host";
constexpr std::string_view kPort = "SMTP Port";
constexpr std::string_view kSecurity = "SMTP Security";
constexpr std::string_view kUser = "SMTP User";
constexpr std::string_view kSender = "SMTP Sender";
constexpr std::string_view kVerify = "SMTP Verify";
constexpr std::string_view kDraftFolder = "Draft Folder";
constexpr size_t kMaxServiceName = 64;

std::string Read(const Registry& registry, std::string_view name) {
    return registry.ReadString(kSection, name).value_or(std::string());
}

}  // namespace

const char* MailServiceName(MailService service) {
    switch (service) {
        case MailService::kSendmail:
            return "sendmail";
        case MailService::kSmtp:
            return "smtp";
        case MailService::kDraft:
            return "draft";
    }
    return "";
}

bool ParseMailService(const std::string& name, MailService& service) {
    for (MailService s : {MailService::kSendmail, MailService::kSmtp, MailService::kDraft}) {
        if (name == MailServiceName(s)) {
            service = s;
            return true;
        }
    }
    return false;
}

void MailSettings::Load(const Registry& registry) {
    const std::optional<int> stored = ParseLeadingInt(Read(registry, kRatio));
    ratio =
        stored && *stored >= kMinMailRatio && *stored <= kMaxMailRatio ? *stored : kUnusedMailRatio;
    service = Read(registry, kService).substr(0, kMaxServiceName);
    smtp.host = Read(registry, kHost);
    const std::optional<int> port = ParseLeadingInt(Read(registry, kPort));
    smtp.port = port && *port > 0 && *port < 65536 ? *port : 0;
    const std::optional<int> security = ParseLeadingInt(Read(registry, kSecurity));
    smtp.security = security && *security >= 0 && *security <= 2
                        ? static_cast<SmtpSecurity>(*security)
                        : SmtpSecurity::kStartTls;
    smtp.user = Read(registry, kUser);
    smtp.sender = Read(registry, kSender);
    smtp.verifyCertificates = Read(registry, kVerify) != "0";
    draftFolder = Read(registry, kDraftFolder);
}

void MailSettings::Save(Registry& registry) const {
    registry.WriteString(kSection, kRatio, std::to_string(ratio));
    registry.WriteString(kSection, kService, service.substr(0, kMaxServiceName));
    registry.WriteString(kSection, kHost, smtp.host);
    registry.WriteString(kSection, kPort, smtp.port > 0 ? std::to_string(smtp.port) : "");
    registry.WriteString(kSection, kSecurity, std::to_string(static_cast<int>(smtp.security)));
    registry.WriteString(kSection, kUser, smtp.user);
    registry.WriteString(kSection, kSender, smtp.sender);
    registry.WriteString(kSection, kVerify, smtp.verifyCertificates ? "1" : "0");
    registry.WriteString(kSection, kDraftFolder, draftFolder);
}

AttachOptions MailOptionsFrom(const UiInfoBlock& uiInfo, int ratio) {
    AttachOptions options;
    options.reduce = uiInfo.IsSet(ui::kMailReduce);
    options.attachAudio = uiInfo.IsSet(ui::kMailAttachAudio);
    options.attachText = uiInfo.IsSet(ui::kMailAttachText);
    options.mergeInk = uiInfo.IsSet(ui::kMailMergeInk);
    options.ratio = ratio;
    return options;
}

void StoreMailOptions(UiInfoBlock& uiInfo, const AttachOptions& options) {
    uiInfo.Set(ui::kMailReduce, options.reduce ? 1 : 0);
    uiInfo.Set(ui::kMailAttachAudio, options.attachAudio ? 1 : 0);
    uiInfo.Set(ui::kMailAttachText, options.attachText ? 1 : 0);
    uiInfo.Set(ui::kMailMergeInk, options.mergeInk ? 1 : 0);
}

}  // namespace xelo
