// Questions as the confirmation dialog, messages as message boxes.
#include "platform/DialogPrompt.h"

#include <QGuiApplication>

#include "platform/ConfirmDialog.h"
#include "platform/MessageBox.h"

namespace xelo {

namespace {

// The wait cursor of a long command would sit over a question that waits for the user.
class NormalCursor {
  public:
    NormalCursor() : active_(QGuiApplication::overrideCursor() != nullptr) {
        if (active_) QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalCursor() {
        if (active_) QGuiApplication::restoreOverrideCursor();
    }
    NormalCursor(const NormalCursor&) = delete;
    NormalCursor& operator=(const NormalCursor&) = delete;

  private:
    bool active_;
};

}  // namespace

Answer CDialogPrompt::Ask(const Question& question) {
    const NormalCursor cursor;
    CConfirmDialog dialog(question, parent_);
    return CConfirmDialog::AnswerOf(run_(dialog));
}

void CDialogPrompt::ShowMessage(uint32_t, const std::string& text) {
    const NormalCursor cursor;
    xelo::ShowMessage(parent_, text);
}

}  // namespace xelo
