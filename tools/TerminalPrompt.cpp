// Terminal answers.
#include "TerminalPrompt.h"

#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <string>

#include "album/SaveFlows.h"
#include "base/StringTable.h"

namespace xelo::tool {

namespace {

Answer AskOnTerminal(const Question& question) {
    const char* choices = question.offerYesToAll ? "[y]es, yes to [a]ll, [n]o, [c]ancel"
                                                 : "[y]es, [n]o";
    for (;;) {
        std::fprintf(stderr, "\n%s: %s\n%s? ", LoadString(question.titleId).c_str(),
                     question.text.c_str(), choices);
        std::fflush(stderr);
        char line[64];
        if (std::fgets(line, sizeof line, stdin) == nullptr) return Answer::kCancel;
        switch (std::tolower(static_cast<unsigned char>(line[0]))) {
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
    }
}

}  // namespace

Answer TerminalPrompt::Ask(const Question& question) {
    const bool terminal = ::isatty(STDIN_FILENO) != 0;
    if (question.textId != kStrSaveOverwriteAsk) {
        return terminal && choice_ == OverwriteChoice::kAsk ? AskOnTerminal(question) : Answer::kYes;
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
    const bool failure = textId == kMsgConvertFailed || textId == kMsgResizeFailed ||
                         textId == kMsgCropFailed;
    if (failure) failed = true;
    std::fprintf(failure ? stderr : stdout, "%s\n", text.c_str());
}

}  // namespace xelo::tool
