// Pointer tool modes of the image view (Pan, Zoom, Annotate) and the tool-bar buttons each one
// shows, and where Exit Full Screen returns to.
#pragma once

#include <cstdint>

namespace xelo {

// The UI flag field's values (bits 13-14): 0 Pan, 1 Zoom, 2 Annotation.
enum ToolMode : uint32_t { kToolPan = 0, kToolZoom = 1, kToolAnnotate = 2 };

// The tool mode set by commands 30054..30056, or -1 for another command.
int ToolModeOfCommand(int command);
// The command (30054..30056) that chooses `mode`.
int CommandOfToolMode(uint32_t mode);

// Whether a tool-bar button shows in `mode`. The buttons of the other tool modes are hidden;
// in Pan mode Image Info (30114) gives way to its actual-size form (30115) while the image view
// shows the picture at exactly 100 percent. Buttons of no tool mode always show.
bool ToolButtonVisible(uint32_t mode, int command, bool actualSize);

// The tool bar of an image mode: Filmstrip 904, Full Screen 907, VGA Filmstrip 910, each
// followed by its animation bar (905, 908, 911) for an animated picture; 0 for other modes.
int ImageModeToolBar(int mode, bool animated);

// The mode Exit Full Screen (30116) returns to from Full Screen or a slide show: the previous
// mode when that was Thumbnail, List, Filename or Filmstrip, else Thumbnail.
int ExitFullScreenTarget(int previousMode);
// Full Screen and the two slide-show modes use the full-screen layout.
bool UsesFullScreenLayout(int mode);

}  // namespace xelo
