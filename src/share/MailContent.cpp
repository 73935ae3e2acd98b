// MIME messages through libvmime: the builder's text part and file attachments, UTF-8 headers.
#include "share/MailContent.h"

#include <vmime/contentTypeField.hpp>
#include <vmime/platforms/posix/posixHandler.hpp>

#include <mutex>
#include <sstream>

#include "share/MailErrors.h"
#include "share/VmimeMessage.h"

namespace xelo {

namespace {

constexpr uint32_t kStepHeader = 100;
constexpr uint32_t kStepAttachment = 30;
constexpr uint32_t kStepWrite = 40;
constexpr char kUserAgent[] = "Xelo Album";

}  // namespace

vmime::shared_ptr<vmime::mailbox> ParseMailbox(const std::string& address) {
    auto box = vmime::make_shared<vmime::mailbox>();
    box->parse(address);
    if (box->isEmpty()) ThrowMailError(kErrSetMailHeader, address, kStepHeader);
    return box;
}

std::string GenerateMessageText(const vmime::message& message) {
    std::ostringstream text;
    try {
        vmime::utility::outputStreamAdapter adapter(text);
        message.generate(adapter);
        adapter.flush();
    } catch (const vmime::exception& e) {
        ThrowMailError(kErrAddAttachment, VmimeErrorText(e), kStepWrite);
    }
    return text.str();
}

void InitVmime() {
    static std::once_flag once;
    std::call_once(once,
                   [] { vmime::platform::setHandler<vmime::platforms::posix::posixHandler>(); });
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
        if (!content.from.empty()) builder.setExpeditor(*ParseMailbox(content.from));
        for (const std::string& a : content.to)
            builder.getRecipients().appendAddress(ParseMailbox(a));
        for (const std::string& a : content.cc)
            builder.getCopyRecipients().appendAddress(ParseMailbox(a));
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
        // The builder puts the attachments last, in their order; texts get their charset.
        const vmime::shared_ptr<vmime::body> body = message->getBody();
        const size_t first = body->getPartCount() - content.attachments.size();
        for (size_t i = 0; i < content.attachments.size(); ++i) {
            if (content.attachments[i].charset.empty()) continue;
            auto type = vmime::dynamicCast<vmime::contentTypeField>(
                body->getPartAt(first + i)->getHeader()->ContentType());
            type->setCharset(vmime::charset(content.attachments[i].charset));
        }
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
    out << GenerateMessageText(*BuildVmimeMessage(content));
    if (!out) ThrowMailError(kErrUpdateMailService, "write error", kStepWrite);
}

}  // namespace xelo
