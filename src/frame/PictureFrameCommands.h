// The picture frame of Full Screen mode: Disable / Enable Picture Frame (30133), Change Picture
// Frame (30132) and Flip Picture Frame (30140), and a new frame for every picture shown there
// while frames are on.
#pragma once

#include <memory>
#include <string>

#include "command/CommandTarget.h"

namespace xelo {

class FrameHost;
class CMainFrame;
class CPictureFrames;

// The frame folder: the chosen one, or while it does not exist (as the default "Frames" beside
// the program may not) the frames drawn for us in the source tree the program was built from.
std::string PictureFrameFolder(const std::string& chosen);

class CPictureFrameCommands : public CommandTarget {
  public:
    // The frame's image view must exist already.
    CPictureFrameCommands(FrameHost& app, CMainFrame& frame);
    ~CPictureFrameCommands() override;

    bool onCommand(int id) override;
    bool onUpdate(int id, CommandState& state) override;

    // Whether frames show in Full Screen: the Frame page's choice until the command toggles it.
    bool Enabled();

  private:
    // A Full Screen picture is about to show.
    void PreparePicture();
    // Builds the list the first time it is wanted (or again when `rebuild`).
    void Build(bool rebuild);
    void Choose();
    // Hands the current frame (or none) to the image view and repaints.
    void Publish();

    FrameHost& app_;
    CMainFrame& frame_;
    std::unique_ptr<CPictureFrames> frames_;
    bool built_ = false;
    bool on_ = false;
    bool prefSeen_ = false;
};

}  // namespace xelo
