// Tool-mode button sets and the return mode of Exit Full Screen.
#include "command/ToolModes.h"

#include <algorithm>
#include <array>

#include "base/ViewModes.h"
#include "command/CommandIds.h"

namespace xelo {

namespace {

constexpr int kInfo = 30114;
constexpr int kInfoActualSize = 30115;

constexpr std::array kPanButtons = {30051, 30100, 30101, 30109,
                                    30110, 30111, kInfo, kInfoActualSize};
constexpr std::array kZoomButtons = {30052, 33000, 33100, 30108, 30117, 30104};
constexpr std::array kAnnotateButtons = {30053, 30201, 30204, 32002, 32001, 32004, 32003};

template <size_t N>
bool Holds(const std::array<int, N>& set, int command) {
    return std::find(set.begin(), set.end(), command) != set.end();
}

}  // namespace

int ToolModeOfCommand(int command) {
    switch (command) {
        case cmd::kPanTools:
            return kToolPan;
        case cmd::kZoomTools:
            return kToolZoom;
        case cmd::kAnnotationTools:
            return kToolAnnotate;
        default:
            return -1;
    }
}

int CommandOfToolMode(uint32_t mode) {
    switch (mode) {
        case kToolZoom:
            return cmd::kZoomTools;
        case kToolAnnotate:
            return cmd::kAnnotationTools;
        default:
            return cmd::kPanTools;
    }
}

bool ToolButtonVisible(uint32_t mode, int command, bool actualSize) {
    if (Holds(kPanButtons, command)) {
        if (mode != kToolPan) return false;
        if (command == kInfo) return !actualSize;
        if (command == kInfoActualSize) return actualSize;
        return true;
    }
    if (Holds(kZoomButtons, command)) return mode == kToolZoom;
    if (Holds(kAnnotateButtons, command)) return mode == kToolAnnotate;
    return true;
}

int ImageModeToolBar(int mode, bool animated) {
    const int extra = animated ? 1 : 0;
    switch (mode) {
        case kModeFilmstrip:
            return 904 + extra;
        case kModeFullScreen:
            return 907 + extra;
        case kModeVgaFilmstrip:
            return 910 + extra;
        default:
            return 0;
    }
}

int ExitFullScreenTarget(int previousMode) {
    switch (previousMode) {
        case kModeThumbnail:
        case kModeList:
        case kModeFilename:
        case kModeFilmstrip:
            return previousMode;
        default:
            return kModeThumbnail;
    }
}

bool UsesFullScreenLayout(int mode) {
    return mode == kModeFullScreen || mode == kModeSlideShowView || mode == kModeVgaSlideShow;
}

}  // namespace xelo
