// Terminal answers.
#include "TerminalPrompt.h"

#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <iostream>
#include <string>

#include "album/SaveFlows.h"
#include "base/StringTable.h"

namespace xelo::tool {

Answer AskOnTerminal(const Question& question) {
    std::fprintf(stderr, "%s\n%s [y]es, %s[n]o, [c]ancel? ", LoadString(question.titleId).c_str(),
                 question.text.c_str(), question.offerYesToAll ? "yes to [a]ll, " : "");
    for (std::string line; std::getline(std::cin, line);) {
        switch (line.empty() ? 'n' : std::tolower(static_cast<unsigned char>(line[0]))) {
            case 'y':
                return Answer::kYes;
            case 'a':
                if (question.offerYesToAll) return Answer::kYesToAll;
                break;
            case 'n':
                return Answer::kNo;
            case 'c':
                return Answer::kCancel;
            default:
                break;
        }
        std::fprintf(stderr, "y, %sn or c? ", question.offerYesToAll ? "a, " : "");
    }
    return Answer::kCancel;
}

Answer TerminalPrompt::Ask(const Question& question) {
    const bool terminal = ::isatty(STDIN_FILENO) != 0;
    if (question.textId != kStrSaveOverwriteAsk) {
        return terminal && choice_ == OverwriteChoice::kAsk ? AskOnTerminal(question)
                                                            : Answer::kYes;
    }
    switch (choice_) {
        case OverwriteChoice::kYesToAll:
            return question.offerYesToAll ? Answer::kYesToAll : Answer::kYes;
        case OverwriteChoice::kNo:
            return Answer::kNo;
        case OverwriteChoice::kAsk:
            break;
    }
    if (!terminal) {
        std::fprintf(stderr, "%s (not overwritten; --yes-to-all overwrites)\n",
                     question.text.c_str());
        return Answer::kNo;
    }
    return AskOnTerminal(question);
}

void TerminalPrompt::ShowMessage(uint32_t textId, const std::string& text) {
    const bool failure =
        textId == kMsgConvertFailed || textId == kMsgResizeFailed || textId == kMsgCropFailed;
    if (failure) failed = true;
    std::fprintf(failure ? stderr : stdout, "%s\n", text.c_str());
}

}  // namespace xelo::tool
