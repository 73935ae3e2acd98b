// The "Select E-mail" dialog: the user's contacts with their addresses, and the To and Cc lists
// the user fills from them.
#pragma once

#include <QDialog>
#include <QPoint>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "share/ContactBook.h"

class QAction;
class QListWidget;
class QMenu;
class QPushButton;
class QTreeWidget;

namespace xelo {

class SelectEmailDialog : public QDialog {
    Q_OBJECT

  public:
    // The pending addresses are shown by the contact's name when they belong to a contact, else
    // as they are. The contacts are read here, from the chosen file or the contact folders.
    SelectEmailDialog(std::vector<std::string> pendingTo, std::vector<std::string> pendingCc,
                      QWidget* parent = nullptr);
    // The addresses in list order.
    std::vector<std::string> To() const;
    std::vector<std::string> Cc() const;

    // Asks for a contacts file; empty when the user cancels. Tests replace it.
    std::function<QString()> chooseFile;

    QTreeWidget* Contacts() const { return contacts_; }
    QListWidget* ToList() const { return to_; }
    QListWidget* CcList() const { return cc_; }
    QPushButton* ToButton() const { return toButton_; }
    QPushButton* CcButton() const { return ccButton_; }
    // The list's context-menu command that removes its selected entries.
    QAction* RemoveAction(const QListWidget* list) const;
    QMenu* ListMenu(const QListWidget* list) const;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Reads the contacts from `file`, or the folders when it is empty; false, with the reason in
    // failure_, when that gave none.
    bool Read(const std::string& file, std::vector<ContactRow>& rows);
    // Shows `rows`, and `to` and `cc` matched against them.
    void Show(std::vector<ContactRow> rows, const std::vector<std::string>& to,
              const std::vector<std::string>& cc);
    void Fill(QListWidget* list, const std::vector<std::string>& addresses);
    std::vector<std::string> Addresses(const QListWidget* list) const;
    void AddSelectedContacts(QListWidget* list);
    static void RemoveSelected(QListWidget* list);
    void ShowListMenu(QListWidget* list, QPoint at);
    // Lets the user pick a contacts file and reads it; true when it gave contacts.
    bool ChooseContactsFile();
    // At opening without contacts: the reason, then the chance to choose a file, else cancel.
    void CheckContacts();

    std::vector<ContactRow> rows_;
    std::string failure_;  // why the last read gave nothing, empty when it worked
    QTreeWidget* contacts_;
    QListWidget* to_;
    QListWidget* cc_;
    QPushButton* toButton_;
    QPushButton* ccButton_;
    QMenu* toMenu_;
    QMenu* ccMenu_;
    QTimer hold_;  // press-and-hold on a list opens its menu
    QListWidget* holdList_ = nullptr;
    QPoint holdAt_;
    bool checked_ = false;
};

// Runs the dialog over `to` and `cc` and, on OK, replaces them; false when cancelled.
bool PickEmailAddresses(QWidget* parent, std::vector<std::string>& to,
                        std::vector<std::string>& cc);

}  // namespace xelo
