// The "Make Shortcut" dialog: launchers that start the program on a folder or an image in a
// chosen mode, in the applications menu or on the desktop; the program's own are listed there
// to rename or remove.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "settings/DesktopShortcuts.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace xelo {

class PluginCatalog;

class CShortcutDialog : public QDialog {
    Q_OBJECT

  public:
    // The VGA modes are offered when `plugins` holds an output plug-in.
    CShortcutDialog(const CDesktopShortcuts& shortcuts, const std::string& folder,
                    const std::string& image, const PluginCatalog& plugins,
                    QWidget* parent = nullptr);

    // Writes the launcher the controls describe and lists it; false (with a message) on failure.
    bool Add();
    // Asks for a name for each selected launcher (tests replace it; empty: keep the name).
    std::function<QString(const QString& current)> askName;
    void RenameSelected();
    void RemoveSelected();

    QRadioButton* ImageKind() const { return imageKind_; }
    QComboBox* Place() const { return place_; }
    QComboBox* Mode() const { return mode_; }
    QListWidget* List() const { return list_; }

  private:
    // The Rename Shortcut box; empty when cancelled.
    QString AskName(const QString& current);
    void FillModes();
    void Refresh();
    ShortcutPlace ChosenPlace() const;

    const CDesktopShortcuts& shortcuts_;
    bool outputInstalled_;
    std::vector<Shortcut> listed_;
    QRadioButton* folderKind_;
    QRadioButton* imageKind_;
    QLineEdit* folder_;
    QLineEdit* image_;
    QComboBox* place_;
    QComboBox* mode_;
    QListWidget* list_;
    QPushButton* rename_;
    QPushButton* remove_;
};

}  // namespace xelo
