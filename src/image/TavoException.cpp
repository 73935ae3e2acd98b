// The program's exception: message number, four origin numbers and the composed message text.
#include "image/TavoException.h"

#include <cstdio>
#include <cstring>

#include "base/StringTable.h"

namespace xelo {

namespace {
// The text of one message is at most 1023 characters, as the exception's text buffer allowed.
constexpr size_t kMaxMessageChars = 1023;
}  // namespace

CTavoException::CTavoException(uint32_t messageNumber, uint32_t origin1, uint32_t origin2,
                               uint32_t origin3, uint32_t origin4)
    : messageNumber_(messageNumber), origins_{origin1, origin2, origin3, origin4} {
    ComposeText(LoadString(messageNumber));
}

CTavoException::CTavoException(uint32_t messageNumber, const Origin& origin)
    : CTavoException(messageNumber, origin.component, origin.unit, origin.line, 0) {}

CTavoException CTavoException::WithText(uint32_t messageNumber, const Origin& origin,
                                        std::string formattedText) {
    CTavoException e;
    e.messageNumber_ = messageNumber;
    e.origins_[0] = origin.component;
    e.origins_[1] = origin.unit;
    e.origins_[2] = origin.line;
    e.ComposeText(std::move(formattedText));
    return e;
}

void CTavoException::ComposeText(std::string body) {
    if (body.size() > kMaxMessageChars) body.resize(kMaxMessageChars);
    if (origins_[0] != 0 || origins_[1] != 0 || origins_[2] != 0 || origins_[3] != 0) {
        char line[64];
        std::snprintf(
            line, sizeof line, "\n%lu:%lu:%lu:%lu", static_cast<unsigned long>(origins_[0]),
            static_cast<unsigned long>(origins_[1]), static_cast<unsigned long>(origins_[2]),
            static_cast<unsigned long>(origins_[3]));
        body += line;
    }
    text_ = body.empty() ? LoadString(kErrNoMessage) : std::move(body);
}

bool CTavoException::GetErrorMessage(char* buffer, size_t size) const {
    if (buffer == nullptr || size == 0) return false;
    const size_t n = std::min(size - 1, text_.size());
    std::memcpy(buffer, text_.data(), n);
    buffer[n] = '\0';
    return true;
}

void ThrowError(uint32_t code, const Origin& origin) {
    throw CTavoException(code, origin);
}

}  // namespace xelo
