// CCaptureMessage ("Capture Message"): asked before a capture is saved when confirmation is on.
// The proposed name can be changed; the capture can be dropped; the question can be turned off.
#pragma once

#include <QDialog>
#include <string>

class QCheckBox;
class QLineEdit;

namespace xelo {

class CCaptureMessage : public QDialog {
    Q_OBJECT

  public:
    // `name` is the proposed file name; its extension is shown beside the edit and kept.
    CCaptureMessage(const std::string& name, QWidget* parent = nullptr);
    // The file name to save under, with its extension.
    std::string Name() const;
    bool Abort() const;
    bool DontAskAgain() const;

  private:
    QLineEdit* stem_;
    QCheckBox* abort_;
    QCheckBox* dontAsk_;
    std::string extension_;
};

}  // namespace xelo
