// The Options sheet as the window runs it: opened on the mode's page with the Thumbnails and
// Colors dialog at hand; after OK the settings are stored and the views take them up.
#pragma once

namespace xelo {

class FrameHost;
class CMainFrame;

// True when the sheet was confirmed. A running slide show is the caller's to restart.
bool RunOptionsSheet(FrameHost& app, CMainFrame& frame);

}  // namespace xelo
