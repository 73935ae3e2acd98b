// The one way a prepared mail leaves: by the route's service.
#include "share/MailTransport.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace xelo {

namespace {

bool IsExecutableFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

int DefaultSmtpPort(SmtpSecurity security) {
    switch (security) {
        case SmtpSecurity::kNone:
            return 25;
        case SmtpSecurity::kStartTls:
            return 587;
        case SmtpSecurity::kTls:
            return 465;
    }
    return 25;
}

std::string FindSendmail() {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "";
    dirs += ":/usr/sbin:/usr/lib";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        const std::string dir = dirs.substr(start, end - start);
        if (!dir.empty() && dir.front() == '/') {
            const std::string candidate = dir + "/sendmail";
            if (IsExecutableFile(candidate)) return candidate;
        }
        start = end + 1;
    }
    return {};
}

std::string DeliverMail(const MailContent& content, const MailRoute& route,
                        const std::function<void(size_t, size_t)>& progress) {
    switch (route.service) {
        case MailService::kSendmail:
            SendWithSendmail(content, route.sendmailPath);
            return {};
        case MailService::kSmtp:
            SendWithSmtp(content, route.smtp, progress);
            return {};
        case MailService::kDraft:
            return SaveDraft(content, route.draftFolder);
    }
    return {};
}

}  // namespace xelo
