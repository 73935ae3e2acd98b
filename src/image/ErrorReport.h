// The text of a message box shown by ReportError; the window layer shows it captioned with the
// application title.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "image/TavoException.h"

namespace xelo {

// What ReportError shows, before the printf arguments are applied: the message's text (46001's
// when the table has none; at most 256 characters), the second message's text after a line feed.
std::string ReportFormat(uint32_t messageNumber, uint32_t secondNumber);

// Appends the "o1:o2:o3" line when origin1 is set, then the exception's message on its own line.
std::string ReportTail(std::string text, uint32_t origin1, uint32_t origin2, uint32_t origin3,
                       const CTavoException* exception);

// The whole message text of ReportError. With both message numbers 0 and an exception, the
// exception's own text is the message.
template <typename... Args>
std::string ReportText(uint32_t messageNumber, uint32_t secondNumber, uint32_t origin1,
                       uint32_t origin2, uint32_t origin3, const CTavoException* exception,
                       Args... args) {
    if (messageNumber == 0 && secondNumber == 0 && exception != nullptr) {
        return exception->GetErrorMessage();
    }
    std::string text = ReportFormat(messageNumber, secondNumber);
    if constexpr (sizeof...(Args) > 0) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"
        const int n = std::snprintf(nullptr, 0, text.c_str(), args...);
        if (n > 0) {
            std::string out(static_cast<size_t>(n) + 1, '\0');
            std::snprintf(out.data(), out.size(), text.c_str(), args...);
            out.resize(static_cast<size_t>(n));
            text = std::move(out);
        }
#pragma GCC diagnostic pop
    }
    return ReportTail(std::move(text), origin1, origin2, origin3, exception);
}

}  // namespace xelo
