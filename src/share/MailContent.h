// One mail as this program makes it: recipients, subject, body and attachments; written as a MIME
// message (UTF-8 headers and text, attachments in base64 under their names).
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "share/MailAttachments.h"

namespace xelo {

struct MailContent {
    std::vector<std::string> to;
    std::vector<std::string> cc;
    std::string from;  // empty: left to the service
    std::string subject;
    std::string body;
    std::vector<MailAttachment> attachments;
};

// Writes the whole message to `out` with "\r\n" line ends. Failures throw the mail errors:
// 46102 for an address or header, 46104 for an attachment that cannot be read.
void WriteMimeMessage(const MailContent& content, std::ostream& out);

}  // namespace xelo
