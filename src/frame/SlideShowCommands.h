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
namespace output {
class CExternalDisplay;
}

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
    // Starts VGA Slide Show on `display` (not owned; kept until the show ends): slides at the
    // display's size with the VGA page's settings, each also presented there. False (with the
    // reason reported) when no show could start.
    bool StartExternal(output::CExternalDisplay& display);
    // The display of the running VGA show, or null.
    output::CExternalDisplay* External() const { return external_; }

  private:
    // False (with the reason reported) when no show could start. With `external`, on the
    // external display.
    bool Start(output::CExternalDisplay* external = nullptr);
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
    output::CExternalDisplay* external_ = nullptr;  // not owned
};

}  // namespace xelo
