// xelo-tool mail: images (reduced, ink merged, with their notes) sent by e-mail through the
// system's sendmail or an SMTP server, or saved as a draft, by the window's own code.
#include <cstdio>
#include <cstdlib>

#include "TerminalPrompt.h"
#include "ToolArgs.h"
#include "Verbs.h"
#include "base/StringTable.h"
#include "image/TavoException.h"
#include "share/MailAttachments.h"
#include "share/MailContent.h"
#include "share/MailErrors.h"
#include "share/MailRules.h"
#include "share/MailTransport.h"

namespace xelo::tool {

namespace {

constexpr char kVerb[] = "mail";
constexpr char kPasswordVariable[] = "XELO_SMTP_PASSWORD";

// "host:port", "[::1]:port" or a bare host.
bool ParseServer(const std::string& text, SmtpSettings& smtp) {
    std::string host = text;
    std::string port;
    if (!text.empty() && text.front() == '[') {
        const size_t close = text.find(']');
        if (close == std::string::npos) return false;
        host = text.substr(1, close - 1);
        if (close + 1 < text.size()) {
            if (text[close + 1] != ':') return false;
            port = text.substr(close + 2);
        }
    } else if (const size_t colon = text.rfind(':'); colon != std::string::npos) {
        host = text.substr(0, colon);
        port = text.substr(colon + 1);
    }
    if (host.empty()) return false;
    smtp.host = host;
    if (!port.empty()) {
        const std::optional<int> n = ParseInt(port);
        if (!n || *n <= 0 || *n > 65535) return false;
        smtp.port = *n;
    }
    return true;
}

// The dialog's question about a field that does not look like an address; true to go on.
bool ConfirmAddress(const std::string& field) {
    if (!NeedsAddressConfirmation(field)) return true;
    const std::string trimmed = TrimBoth(field);
    const Question question{kStrNotAnAddress, kStrSendMailTitle,
                            FormatString(kStrNotAnAddress, trimmed.c_str()), false};
    return AskOnTerminal(question) == Answer::kYes;
}

}  // namespace

int RunMail(const std::vector<std::string>& args) {
    ToolArgs parsed;
    std::string error;
    const std::vector<std::string> valued = {"--to",     "--cc",     "--subject", "--body",
                                             "--reduce", "--smtp",   "--draft",   "--user",
                                             "--from",   "--timeout"};
    if (!parsed.Parse(args, valued, error)) return UsageError(kVerb, error);
    std::vector<std::string> known = valued;
    known.insert(known.end(), {"--merge-ink", "--attach-text", "--attach-audio", "--sendmail",
                               "--tls", "--starttls", "--no-verify"});
    if (const auto unknown = parsed.Unknown(known); !unknown.empty()) {
        return UsageError(kVerb, "unknown option " + unknown.front());
    }
    if (parsed.Operands().empty()) return UsageError(kVerb, "give at least one image");
    const int services = (parsed.Has("--smtp") ? 1 : 0) + (parsed.Has("--sendmail") ? 1 : 0) +
                         (parsed.Has("--draft") ? 1 : 0);
    if (services != 1) return UsageError(kVerb, "give one of --smtp, --sendmail and --draft");

    const std::string to = parsed.Value("--to").value_or("");
    const std::string cc = parsed.Value("--cc").value_or("");
    if (!CanSend(to, cc)) return UsageError(kVerb, "--to or --cc needs an e-mail address");
    if (!ConfirmAddress(to) || !ConfirmAddress(cc)) return 1;

    AttachOptions options;
    options.mergeInk = parsed.Has("--merge-ink");
    options.attachText = parsed.Has("--attach-text");
    options.attachAudio = parsed.Has("--attach-audio");
    if (const auto reduce = parsed.Value("--reduce")) {
        options.reduce = true;
        const std::optional<int> ratio = EffectiveRatio(*reduce, true);
        if (!ratio) {
            return UsageError(kVerb, FormatString(kStrRatioRange, kMinMailRatio, kMaxMailRatio));
        }
        options.ratio = *ratio;
    }

    MailRoute route;
    if (const auto server = parsed.Value("--smtp")) {
        route.service = MailService::kSmtp;
        if (!ParseServer(*server, route.smtp)) return UsageError(kVerb, "--smtp needs HOST[:PORT]");
        if (parsed.Has("--tls") && parsed.Has("--starttls")) {
            return UsageError(kVerb, "give --tls or --starttls, not both");
        }
        route.smtp.security = parsed.Has("--tls")        ? SmtpSecurity::kTls
                              : parsed.Has("--starttls") ? SmtpSecurity::kStartTls
                                                         : SmtpSecurity::kNone;
        route.smtp.user = parsed.Value("--user").value_or("");
        if (const char* password = std::getenv(kPasswordVariable)) route.smtp.password = password;
        route.smtp.sender = parsed.Value("--from").value_or("");
        route.smtp.verifyCertificates = !parsed.Has("--no-verify");
        if (const auto timeout = parsed.Value("--timeout")) {
            const std::optional<int> seconds = ParseInt(*timeout);
            if (!seconds || *seconds <= 0) return UsageError(kVerb, "--timeout needs SECONDS");
            route.smtp.timeoutSeconds = *seconds;
        }
    } else if (parsed.Has("--sendmail")) {
        route.service = MailService::kSendmail;
        route.sendmailPath = FindSendmail();
        if (route.sendmailPath.empty()) {
            std::fprintf(stderr, "%s\n", LoadString(kStrNoSendmail).c_str());
            return 1;
        }
    } else {
        route.service = MailService::kDraft;
        route.draftFolder = *parsed.Value("--draft");
    }

    int status = 0;
    CMailAttachments attachments;
    for (const std::string& image : parsed.Operands()) {
        try {
            attachments.AddImage(image, options);
        } catch (const CTavoException& e) {
            PrintFileError(image, e.GetCode(), e.GetErrorMessage());
            std::fprintf(stderr, "%s\n", LoadString(kStrUnableToAddAttachment).c_str());
            status = 1;
        }
    }
    if (attachments.Items().empty()) {
        std::fprintf(stderr, "%s\n", LoadString(kStrUnableToSendMail).c_str());
        return 1;
    }

    MailContent content;
    content.to = SplitAddresses(to);
    content.cc = SplitAddresses(cc);
    content.subject = TrimEnd(parsed.Value("--subject").value_or(""));
    content.body = TrimEnd(parsed.Value("--body").value_or(""));
    content.from = route.service == MailService::kSmtp ? route.smtp.sender
                                                       : parsed.Value("--from").value_or("");
    content.attachments = attachments.Items();
    try {
        const std::string draft = DeliverMail(content, route);
        if (!draft.empty()) std::printf("%s\n", draft.c_str());
        std::printf("%zu attachment(s), %llu bytes\n", content.attachments.size(),
                    static_cast<unsigned long long>(attachments.TotalBytes()));
    } catch (const CTavoException& e) {
        std::fprintf(stderr, "%s\n%s\n", LoadString(kStrUnableToSendMail).c_str(),
                     e.GetErrorMessage().c_str());
        return 1;
    }
    return status;
}

}  // namespace xelo::tool
