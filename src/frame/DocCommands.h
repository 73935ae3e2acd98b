// The document's commands: folder choice and Go To, selection, reordering and hiding. The
// document itself stays free of the window; this target carries its commands to it.
#pragma once

#include "command/CommandTarget.h"

namespace xelo {

class FrameHost;
class CMainFrame;

class CDocCommands : public CommandTarget {
  public:
    CDocCommands(FrameHost& app, CMainFrame& frame) : app_(app), frame_(frame) {}

    bool onCommand(int id) override;
    bool onUpdate(int id, CommandState& state) override;

  private:
    void GoTo(int command);
    void RefreshBrowser();

    FrameHost& app_;
    CMainFrame& frame_;
};

}  // namespace xelo
