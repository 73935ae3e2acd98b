// The window's answers to the album's questions: the confirmation dialog (Yes, Yes to All when
// offered, No, Cancel) and messages through the program's message box.
#pragma once

#include <functional>

#include "album/UserPrompt.h"

class QDialog;
class QWidget;

namespace xelo {

class CDialogPrompt : public UserPrompt {
  public:
    // `run` shows a dialog modally and returns its result (the frame's hook, so tests can answer).
    CDialogPrompt(QWidget* parent, std::function<int(QDialog&)> run)
        : parent_(parent), run_(std::move(run)) {}

    Answer Ask(const Question& question) override;
    void ShowMessage(uint32_t textId, const std::string& text) override;

  private:
    QWidget* parent_;  // not owned
    std::function<int(QDialog&)> run_;
};

}  // namespace xelo
