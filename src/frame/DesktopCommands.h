// The commands that place the program on the desktop: File Association.
#pragma once

#include <functional>

#include "command/CommandTarget.h"

class QWidget;

namespace xelo {

class FrameHost;
class CFileAssociationDialog;

class CDesktopCommands : public CommandTarget {
  public:
    CDesktopCommands(FrameHost& app, QWidget& window);

    bool onCommand(int id) override;
    bool onUpdate(int id, CommandState& state) override;

    // Runs the dialog; tests replace it. True when confirmed.
    std::function<bool(CFileAssociationDialog&)> runDialog;

  private:
    void FileAssociation();

    FrameHost& app_;
    QWidget& window_;
};

}  // namespace xelo
