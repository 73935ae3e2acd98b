// A build without libvmime: every service says so instead of sending.
#include "base/StringTable.h"
#include "share/MailErrors.h"
#include "share/MailTransport.h"

namespace xelo {

namespace {
[[noreturn]] void NoLibrary() {
    ThrowMailError(kErrOpenMailService, LoadString(kStrNoMailLibrary), 0);
}
}  // namespace

void WriteMimeMessage(const MailContent&, std::ostream&) {
    NoLibrary();
}
void SendWithSendmail(const MailContent&, const std::string&) {
    NoLibrary();
}
void SendWithSmtp(const MailContent&, const SmtpSettings&,
                  const std::function<void(size_t, size_t)>&) {
    NoLibrary();
}
std::string SaveDraft(const MailContent&, const std::string&) {
    NoLibrary();
}

}  // namespace xelo
