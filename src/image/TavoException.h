// The program's one exception type: a message number from the string table plus origin numbers.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include "image/ErrorCodes.h"

namespace xelo {

class CTavoException : public std::exception {
  public:
    // The message text is loaded from the string table and, when any origin is non-zero,
    // followed by a line "c:u:l:f" with the four origin numbers.
    explicit CTavoException(uint32_t messageNumber, uint32_t origin1 = 0, uint32_t origin2 = 0,
                            uint32_t origin3 = 0, uint32_t origin4 = 0);
    CTavoException(uint32_t messageNumber, const Origin& origin);

    // As above, with the loaded text used as a printf format for `arguments` (already formatted
    // by the caller with FormatText).
    static CTavoException WithText(uint32_t messageNumber, const Origin& origin,
                                   std::string formattedText);

    uint32_t GetCode() const { return messageNumber_; }
    uint32_t GetOrigin(int index) const { return origins_[index]; }
    uint32_t GetFourthOrigin() const { return origins_[3]; }

    // The full text; never empty (46001's text stands in for a missing one).
    const std::string& GetErrorMessage() const { return text_; }
    // Copies the text truncated to `size` bytes including the terminator; false when size is 0.
    bool GetErrorMessage(char* buffer, size_t size) const;

    const char* what() const noexcept override { return text_.c_str(); }

  private:
    CTavoException() = default;
    void ComposeText(std::string body);

    uint32_t messageNumber_ = 0;
    uint32_t origins_[4] = {0, 0, 0, 0};
    std::string text_;
};

// Throws CTavoException(code) with the given origin.
[[noreturn]] void ThrowError(uint32_t code, const Origin& origin);

}  // namespace xelo
