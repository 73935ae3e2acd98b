// MIME messages through libvmime: the builder's text part and file attachments, UTF-8 headers.
#include "share/MailContent.h"

#include <vmime/platforms/posix/posixHandler.hpp>

#include <mutex>

#include "share/MailErrors.h"
#include "share/VmimeMessage.h"

namespace xelo {

namespace {

constexpr uint32_t kStepHeader = 100;
constexpr uint32_t kStepAttachment = 30;
constexpr uint32_t kStepWrite = 40;
constexpr char kUserAgent[] = "Xelo Album";

vmime::shared_ptr<vmime::mailbox> Mailbox(const std::string& address) {
    auto box = vmime::make_shared<vmime::mailbox>();
    box->parse(address);
    if (box->isEmpty()) ThrowMailError(kErrSetMailHeader, address, kStepHeader);
    return box;
}

}  // namespace

void InitVmime() {
    static std::once_flag once;
    std::call_once(once, [] { vmime::platform::setHandler<vmime::platforms::posix::posixHandler>(); });
}

std::string VmimeErrorText(const vmime::exception& e) {
    std::string text;
    if (const auto* c = dynamic_cast<const vmime::exceptions::command_error*>(&e)) {
        text = c->response();
    } else if (const auto* a = dynamic_cast<const vmime::exceptions::authentication_error*>(&e)) {
        text = a->response();
    }
    const std::string what = e.what();
    if (text.empty()) return what;
    return what + ": " + text;
}

vmime::shared_ptr<vmime::message> BuildVmimeMessage(const MailContent& content) {
    InitVmime();
    vmime::messageBuilder builder;
    try {
        if (!content.from.empty()) builder.setExpeditor(*Mailbox(content.from));
        for (const std::string& a : content.to) builder.getRecipients().appendAddress(Mailbox(a));
        for (const std::string& a : content.cc)
            builder.getCopyRecipients().appendAddress(Mailbox(a));
        builder.setSubject(vmime::text(content.subject, vmime::charsets::UTF_8));
        builder.getTextPart()->setCharset(vmime::charsets::UTF_8);
        builder.getTextPart()->setText(
            vmime::make_shared<vmime::stringContentHandler>(content.body));
    } catch (const vmime::exception& e) {
        ThrowMailError(kErrSetMailHeader, VmimeErrorText(e), kStepHeader);
    }
    for (const MailAttachment& a : content.attachments) {
        try {
            auto file = vmime::make_shared<vmime::fileAttachment>(
                a.path, vmime::mediaType(a.mimeType), vmime::text(),
                vmime::encoding(vmime::encodingTypes::BASE64));
            file->getFileInfo().setFilename(vmime::word(a.name, vmime::charsets::UTF_8));
            builder.appendAttachment(file);
        } catch (const vmime::exception& e) {
            ThrowMailError(kErrAddAttachment, a.name + ": " + VmimeErrorText(e), kStepAttachment);
        } catch (const std::exception& e) {
            ThrowMailError(kErrAddAttachment, a.name + ": " + e.what(), kStepAttachment);
        }
    }
    try {
        vmime::shared_ptr<vmime::message> message = builder.construct();
        vmime::shared_ptr<vmime::header> header = message->getHeader();
        header->Date()->setValue(vmime::datetime::now());
        header->MessageId()->setValue(vmime::messageId::generateId());
        header->UserAgent()->setValue(vmime::text(kUserAgent));
        return message;
    } catch (const vmime::exception& e) {
        ThrowMailError(kErrSetMailHeader, VmimeErrorText(e), kStepHeader);
    }
}

void WriteMimeMessage(const MailContent& content, std::ostream& out) {
    const vmime::shared_ptr<vmime::message> message = BuildVmimeMessage(content);
    try {
        vmime::utility::outputStreamAdapter adapter(out);
        message->generate(adapter);
        adapter.flush();
    } catch (const vmime::exception& e) {
        ThrowMailError(kErrAddAttachment, VmimeErrorText(e), kStepWrite);
    }
    if (!out) ThrowMailError(kErrUpdateMailService, "write error", kStepWrite);
}

}  // namespace xelo
