// The questions and messages of the album flows in the window: the confirmation dialog with
// "&Yes", "Yes to &All", "&No" and "&Cancel", and the program's message box.
#pragma once

#include <QDialog>
#include <functional>

#include "album/UserPrompt.h"

namespace xelo {

class CDialogPrompt : public UserPrompt {
  public:
    // `run` shows a dialog modally and returns its result (the frame's hook, so tests can answer).
    CDialogPrompt(QWidget* parent, std::function<int(QDialog&)> run)
        : parent_(parent), run_(std::move(run)) {}
    Answer Ask(const Question& question) override;
    void ShowMessage(uint32_t textId, const std::string& text) override;

  private:
    QWidget* parent_;
    std::function<int(QDialog&)> run_;
};

}  // namespace xelo
