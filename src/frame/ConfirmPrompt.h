// The window's answer to the album's questions: the confirmation dialog (Yes, Yes to All when
// offered, No, Cancel) captioned with the question's title, and messages with the exclamation
// icon through the program's message box.
#pragma once

#include "album/UserPrompt.h"

class QWidget;

namespace xelo {

class CConfirmPrompt : public UserPrompt {
  public:
    explicit CConfirmPrompt(QWidget* parent) : parent_(parent) {}

    Answer Ask(const Question& question) override;
    void ShowMessage(uint32_t textId, const std::string& text) override;

  private:
    QWidget* parent_;  // not owned
};

}  // namespace xelo
