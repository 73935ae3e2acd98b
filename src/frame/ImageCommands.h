// The commands that make new image files and show an image's facts: Convert, Resize and Crop
// open the save sheet on their page, Image Info the Image Info sheet.
#pragma once

#include "command/CommandTarget.h"
#include "imageui/SavePages.h"

namespace xelo {

class FrameHost;
class CMainFrame;

class CImageCommands : public CommandTarget {
  public:
    CImageCommands(FrameHost& app, CMainFrame& frame) : app_(app), frame_(frame) {}
    bool onCommand(int id) override;
    bool onUpdate(int id, CommandState& state) override;

  private:
    // The image the sheets open on: the first selected, else the first.
    int CurrentIndex() const;
    void OpenSaveSheet(int page);
    void OpenInfoSheet();
    void ReloadShownImage();

    FrameHost& app_;
    CMainFrame& frame_;
    SaveSheetState saveState_;  // the sheet opens as it was left
};

}  // namespace xelo
