// The libvmime message of a MailContent, for the writers and transports of this folder only.
#pragma once

#include <vmime/vmime.hpp>

#include "share/MailContent.h"

namespace xelo {

// Sets up libvmime's platform handler once per process.
void InitVmime();
// Builds the message; failures throw the mail errors.
vmime::shared_ptr<vmime::message> BuildVmimeMessage(const MailContent& content);
// One address as a mailbox ("a@b", "Name <a@b>"); 46102 when it holds none.
vmime::shared_ptr<vmime::mailbox> ParseMailbox(const std::string& address);
// The message as 7-bit text with "\r\n" line ends, headers encoded as RFC 2047 words.
std::string GenerateMessageText(const vmime::message& message);
// The most telling words of a libvmime error: the server's answer when there is one.
std::string VmimeErrorText(const vmime::exception& e);

}  // namespace xelo
