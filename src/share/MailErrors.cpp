// Raising mail failures with the service's own words.
#include "share/MailErrors.h"

#include "base/StringTable.h"
#include "image/TavoException.h"

namespace xelo {

namespace {
constexpr uint32_t kUnit = 70;
}

void ThrowMailError(uint32_t code, const std::string& detail, uint32_t step) {
    std::string words = detail;
    // One line of the server's answer is enough for a message box.
    while (!words.empty() && (words.back() == '\n' || words.back() == '\r' || words.back() == ' '))
        words.pop_back();
    throw CTavoException::WithText(code, {kMailComponent, kUnit, step},
                                   FormatString(code, words.c_str()));
}

}  // namespace xelo
