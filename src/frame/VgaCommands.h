// The VGA modes of the window: VGA Filmstrip (30130) shows the filmstrip on the screen and the
// current picture on the external display; VGA Slide Show (30131) runs the slide show there. This
// target opens and lets go of the external display as the modes come and go, and while a VGA mode
// is on, Page Down and Page Up (the keys of presenter remotes) step the pictures from anywhere in
// the program.
#pragma once

#include <memory>

#include "album/TavoDoc.h"
#include "command/CommandTarget.h"

class QShortcut;

namespace xelo {

class CMainFrame;
class FrameHost;
namespace output {
class CExternalDisplay;
}

class CVgaCommands : public CommandTarget, public DocumentObserver {
  public:
    CVgaCommands(FrameHost& app, CMainFrame& frame);
    ~CVgaCommands() override;

    bool onCommand(int id) override;
    bool onUpdate(int id, CommandState& state) override;

    // After every switch of the view mode: outside the VGA modes the display is let go (black
    // first when the VGA page asks for a clean screen) and the hot keys are off.
    void ModeSwitched();
    output::CExternalDisplay* Display() const { return display_.get(); }

    void OnListChanged(UpdateHint) override {}
    void OnCurrentChanged(const CImageEntry* entry) override;

  private:
    void EnterFilmstrip();
    void StartSlideShow();
    // Checks the device, sets its mode and takes its surface; false with the reason shown.
    bool OpenDisplay();
    void CloseDisplay();
    // The picture of `entry` fitted to the external display (black without one).
    void PresentPicture(const CImageEntry* entry);
    void Step(bool forward);

    FrameHost& app_;
    CMainFrame& frame_;
    std::unique_ptr<output::CExternalDisplay> display_;
    QShortcut* pageDown_;
    QShortcut* pageUp_;
};

}  // namespace xelo
