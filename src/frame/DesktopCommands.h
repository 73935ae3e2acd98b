// The commands that join the program to the desktop: File Association, Shortcut and Edit Photo.
#pragma once

#include <functional>

#include "command/CommandTarget.h"

class QWidget;

namespace xelo {

class FrameHost;
class CFileAssociationDialog;
class CShortcutDialog;

class CDesktopCommands : public CommandTarget {
  public:
    CDesktopCommands(FrameHost& app, QWidget& window);

    bool onCommand(int id) override;
    bool onUpdate(int id, CommandState& state) override;

    // Runs the dialog; tests replace it. True when confirmed.
    std::function<bool(CFileAssociationDialog&)> runDialog;
    // Runs the Make Shortcut dialog; tests replace it.
    std::function<void(CShortcutDialog&)> runShortcutDialog;

  private:
    void FileAssociation();
    void MakeShortcut();
    void EditPhoto();

    FrameHost& app_;
    QWidget& window_;
};

}  // namespace xelo
