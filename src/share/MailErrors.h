// The error codes and texts of sending mail, and the one way mail failures are raised: the
// step's message with the service's own words in its "%s".
#pragma once

#include <cstdint>
#include <string>

namespace xelo {

constexpr uint32_t kMailComponent = 38040;

enum MailError : uint32_t {
    kErrCreateAttachment = 46100,   // "Failed to create the mail attachment."
    kErrOpenMailService = 46101,    // "Failed to open the mail service: %s"
    kErrSetMailHeader = 46102,      // "Failed to set mail header: %s"
    kErrNewMailEntry = 46103,       // "Failed to create a new mail entry: %s"
    kErrAddAttachment = 46104,      // "Failed to add an attachment to the mail message: %s"
    kErrUpdateMailService = 46105,  // "Failed to update the mail service: %s"
    kErrCloseMailService = 46106,   // "Failed to close the mail service: %s"
};

// Texts of the dialog and its messages.
enum MailText : uint32_t {
    kStrUnableToAddAttachment = 3300,
    kStrUnableToSendMail = 3301,
    kStrNotAnAddress = 3302,  // "'%s' is not in a valid e-mail format.\n..."
    kStrRatioRange = 3303,    // "... between %d and %d."
    kStrAttachmentsGroup = 3304,
    kStrSendMailTitle = 3305,
    kStrMailTo = 3306,
    kStrMailCc = 3307,
    kStrMailSubject = 3308,
    kStrMailReduce = 3309,
    kStrMailAttachAudio = 3310,
    kStrMailAttachText = 3311,
    kStrMailMergeInk = 3312,
    kStrMailService = 3313,
    kStrMailSend = 3314,
    kStrServiceSendmail = 3315,
    kStrServiceSmtp = 3316,
    kStrServiceDraft = 3317,
    kStrMailSettings = 3318,
    kStrSmtpTitle = 3319,
    kStrSmtpHost = 3320,
    kStrSmtpPort = 3321,
    kStrSmtpSecurity = 3322,
    kStrSmtpSecurityList = 3323,  // "None|STARTTLS|TLS|"
    kStrSmtpUser = 3324,
    kStrSmtpPassword = 3325,
    kStrSmtpSender = 3326,
    kStrSmtpVerify = 3327,
    kStrDraftFolder = 3328,
    kStrSendingMail = 3329,
    kStrDraftSaved = 3330,    // "The message was saved as\n'%s'."
    kStrNoSmtpServer = 3331,  // no host set up yet
    kStrPasswordNotStored = 3332,
    kStrMailBody = 3333,
    kStrNoSendmail = 3334,
    kStrNoMailLibrary = 3335,
};

// Throws `code` with `detail` (the service's own message) in its "%s"; `step` tells the origin.
[[noreturn]] void ThrowMailError(uint32_t code, const std::string& detail, uint32_t step);

}  // namespace xelo
