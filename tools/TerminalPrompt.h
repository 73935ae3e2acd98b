// The questions of the save flows answered on a terminal, or by the command line's choice.
#pragma once

#include "album/UserPrompt.h"

namespace xelo::tool {

enum class OverwriteChoice { kAsk, kYesToAll, kNo };

// Asks `question` on standard error and reads the answer from standard input: y, n, c, and a when
// Yes to All is offered. Enter alone is No; anything else asks again; the end of input cancels.
Answer AskOnTerminal(const Question& question);

class TerminalPrompt : public UserPrompt {
  public:
    explicit TerminalPrompt(OverwriteChoice choice) : choice_(choice) {}
    // Overwrites follow the choice; asked on a terminal, declined elsewhere. Other questions are
    // asked on a terminal and agreed to elsewhere (the command line asked for the work).
    Answer Ask(const Question& question) override;
    void ShowMessage(uint32_t textId, const std::string& text) override;
    bool failed = false;  // a failure message was shown

  private:
    OverwriteChoice choice_;
};

}  // namespace xelo::tool
