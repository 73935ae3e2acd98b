// The dialogs that ask for one name: Rename, Rename Folder, New Folder and Rename Shortcut. OK
// hands the name to the command; a refusal (an illegal, too long, empty or taken name) is shown
// beside the edit for 2100 ms and the dialog stays open for a corrected name.
#pragma once

#include <QDialog>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <string>

class QLabel;
class QLineEdit;

namespace xelo {

class CNameDialog : public QDialog {
    Q_OBJECT

  public:
    // `apply` carries the command out and returns 0, or the message number that refused the name.
    // F1 and the Help button open the topic of `helpTemplate`.
    using Apply = std::function<uint32_t(const std::string& name)>;
    CNameDialog(const QString& title, const std::string& name, Apply apply, int helpTemplate,
                QWidget* parent = nullptr);

    QLineEdit* Edit() const { return edit_; }
    // The refusal shown beside the edit, empty when none is shown.
    QString Refusal() const;

    void accept() override;

  private:
    QLineEdit* edit_;
    QLabel* refusal_;
    QTimer hideRefusal_;
    Apply apply_;
};

}  // namespace xelo
