// The Find command: the criteria dialog, the Find window, and each hit shown in the browsing
// views (its folder opened, the image selected and scrolled into view).
#pragma once

#include <QPointer>
#include <string>

#include "album/FindCriteria.h"
#include "command/CommandTarget.h"
#include "views/FindWindow.h"

namespace xelo {

class FrameHost;
class CMainFrame;

class CFindCommands : public CommandTarget {
  public:
    CFindCommands(FrameHost& app, CMainFrame& frame) : app_(app), frame_(frame) {}
    ~CFindCommands() override;

    bool onCommand(int id) override;
    bool onUpdate(int id, CommandState& state) override;

    // Opens the Find window on `criteria` and starts the walk.
    void Start(const FindCriteria& criteria);
    CFindWindow* Window() const { return window_; }
    // Shows the image `name` of `folder` as a hit.
    void ShowHit(const std::string& folder, const std::string& name);

  private:
    FrameHost& app_;
    CMainFrame& frame_;
    FindCriteria last_;
    bool used_ = false;
    QPointer<CFindWindow> window_;
};

}  // namespace xelo
