// A UserPrompt that answers every question alike and keeps what it was asked and shown.
#pragma once

#include <string>
#include <vector>

#include "album/UserPrompt.h"

namespace xelo::test {

class AnsweringPrompt : public UserPrompt {
  public:
    explicit AnsweringPrompt(Answer answer) : answer(answer) {}
    Answer Ask(const Question& q) override {
        asked.push_back(q.text);
        return answer;
    }
    void ShowMessage(uint32_t id, const std::string&) override { shown.push_back(id); }

    Answer answer;
    std::vector<std::string> asked;
    std::vector<uint32_t> shown;
};

}  // namespace xelo::test
