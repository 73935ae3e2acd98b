// Questions and messages of the album commands. The window shows them as the confirmation dialog
// (Yes, Yes to All, No, Cancel) and message boxes; tests answer them from a script.
#pragma once

#include <cstdint>
#include <string>

namespace xelo {

// The buttons of the confirmation dialog, by their control numbers.
enum class Answer : int {
    kYes = 1001,
    kYesToAll = 1002,
    kNo = 1003,
    kCancel = 1004,
};

struct Question {
    uint32_t textId = 0;   // the string the text was filled from
    uint32_t titleId = 0;  // the caption's string
    std::string text;      // filled with its arguments
    bool offerYesToAll = false;
};

class UserPrompt {
  public:
    virtual ~UserPrompt() = default;
    virtual Answer Ask(const Question& question) = 0;
    // Message `textId` filled with its arguments, shown with the exclamation icon.
    virtual void ShowMessage(uint32_t textId, const std::string& text) = 0;
};

}  // namespace xelo
