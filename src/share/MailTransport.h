// The services a mail goes out through: the system's sendmail, an SMTP server, or a draft file
// (.eml) in a folder. Each throws the mail errors with the service's own words on failure.
#pragma once

#include <atomic>
#include <functional>
#include <string>

#include "share/MailContent.h"

namespace xelo {

// The services by the names stored for them.
enum class MailService { kSendmail, kSmtp, kDraft };

enum class SmtpSecurity { kNone = 0, kStartTls = 1, kTls = 2 };

struct SmtpSettings {
    std::string host;
    int port = 0;  // 0: the security's usual port (25, 587, 465)
    SmtpSecurity security = SmtpSecurity::kStartTls;
    std::string user;      // empty: no login
    std::string password;  // never stored by this struct's owner in the settings file
    std::string sender;    // the From address; empty: the user when it is an address
    bool verifyCertificates = true;
    int timeoutSeconds = 60;  // without an answer from the server
    // Set from another thread to give up; checked while waiting for the server. Not owned.
    const std::atomic<bool>* cancel = nullptr;
};

int DefaultSmtpPort(SmtpSecurity security);

// "sendmail" on PATH, else in /usr/sbin or /usr/lib; empty when none is installed.
std::string FindSendmail();

// Hands the message to `sendmailPath` -t -i, which takes the recipients from the headers.
void SendWithSendmail(const MailContent& content, const std::string& sendmailPath);

// Sends the message through an SMTP server. `progress` (may be empty) hears the bytes sent of
// the total; it runs on the calling thread.
void SendWithSmtp(const MailContent& content, const SmtpSettings& settings,
                  const std::function<void(size_t done, size_t total)>& progress = {});

// Writes the message as a new .eml file in `folder`, named after its subject, never replacing a
// file there. Returns the file's path.
std::string SaveDraft(const MailContent& content, const std::string& folder);

// Where one send goes.
struct MailRoute {
    MailService service = MailService::kSendmail;
    std::string sendmailPath;  // kSendmail
    SmtpSettings smtp;         // kSmtp
    std::string draftFolder;   // kDraft
};

// Sends `content` by `route`; returns the draft's path for a draft, else an empty text.
std::string DeliverMail(const MailContent& content, const MailRoute& route,
                        const std::function<void(size_t done, size_t total)>& progress = {});

}  // namespace xelo
