// The slide-show commands of the window: Slide Show (30301) starts a show on the screen, the
// slide-show tool bar moves, plays, stops and exits it, and Go To Slide picks a slide.
#pragma once

#include <memory>

#include "command/CommandTarget.h"

class QPoint;

namespace xelo {

class FrameHost;
class CMainFrame;
class CSlideShowView;
class CSlideShowController;
class CSlideTextPainter;
class CPictureFrames;

class CSlideShowCommands : public CommandTarget {
  public:
    CSlideShowCommands(FrameHost& app, CMainFrame& frame);
    ~CSlideShowCommands() override;

    bool onCommand(int id) override;
    bool onUpdate(int id, CommandState& state) override;

    bool Running() const { return show_ != nullptr; }
    CSlideShowController* Show() const { return show_.get(); }
    CSlideShowView* View() const { return view_; }
    // Tears the running show down without changing the mode (a mode switch is under way).
    void End();

  private:
    // False (with the reason reported) when no show could start.
    bool Start();
    void Exit();
    // The Options sheet; a show not playing starts again with what was chosen.
    void OpenOptions();
    void ShowGoToMenu(const QPoint* at);

    FrameHost& app_;
    CMainFrame& frame_;
    CSlideShowView* view_ = nullptr;  // a child of the frame, made at the first show
    std::unique_ptr<CSlideTextPainter> textPainter_;
    std::unique_ptr<CPictureFrames> pictureFrames_;
    std::unique_ptr<CSlideShowController> show_;
};

}  // namespace xelo
