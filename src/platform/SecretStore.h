// Passwords in the desktop's secret store (the Secret Service through libsecret), never in the
// settings file. Without libsecret at build time nothing is kept and the user types the
// password each session.
#pragma once

#include <string>

namespace xelo {

// The password kept for `user` on SMTP server `host`; empty when none or no store answers.
std::string LookupSmtpPassword(const std::string& host, const std::string& user);
// Keeps (or, for an empty password, forgets) the password; false with `error` set when the store
// cannot take it.
bool StoreSmtpPassword(const std::string& host, const std::string& user,
                       const std::string& password, std::string& error);

}  // namespace xelo
