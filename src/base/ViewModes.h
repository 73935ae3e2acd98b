// View modes are identified by the command numbers that switch to them.
#pragma once

namespace xelo {

enum ViewMode : int {
    kModeNone = 0,
    kModeThumbnail = 30124,
    kModeList = 30125,
    kModeFilename = 30126,
    kModeFilmstrip = 30127,
    kModeFullScreen = 30128,
    kModeSlideShowView = 30129,
    kModeVgaFilmstrip = 30130,
    kModeVgaSlideShow = 30131,
    kCmdSlideShow = 30301,  // starts a slide show in the image view
};

// Modes that show one image at a time: an empty folder falls back to Thumbnail from them.
constexpr bool IsImageMode(int mode) {
    return mode >= kModeFilmstrip && mode <= kModeVgaSlideShow;
}
// Modes in which exactly one entry is selected: the image shown.
constexpr bool IsSingleImageMode(int mode) {
    return mode == kModeFilmstrip || mode == kModeFullScreen || mode == kModeVgaFilmstrip;
}

}  // namespace xelo
