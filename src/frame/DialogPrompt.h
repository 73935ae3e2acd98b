// The window's answers to the file commands' questions: the confirmation dialog and message
// boxes over the main frame (both replaceable by tests through the frame's hooks).
#pragma once

#include "album/UserPrompt.h"

namespace xelo {

class CMainFrame;

class CDialogPrompt : public UserPrompt {
  public:
    explicit CDialogPrompt(CMainFrame& frame) : frame_(frame) {}

    Answer Ask(const Question& question) override;
    void ShowMessage(uint32_t textId, const std::string& text) override;

  private:
    CMainFrame& frame_;
};

}  // namespace xelo
