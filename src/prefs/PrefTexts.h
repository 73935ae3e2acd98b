// String numbers of the Options sheet's pages and dialogs.
#pragma once

#include <QString>
#include <cstdint>

#include "base/StringTable.h"

namespace xelo {

enum PrefText : uint32_t {
    kStrSizeList = 2412,
    kStrOrientationList = 2451,
    kStrAnimationSpeedList = 2419,
    kStrDefaultZoomList = 2420,
    kStrNewHomePrompt = 2453,
    kStrStartModeList = 2461,
    kStrColourOptimisationList = 2474,
    kStrVgaPage = 2462,
    kStrOptions = 2910,
    kStrSlidePage,
    kStrFramePage,
    kStrSlideSize,
    kStrDelay,
    kStrSeconds,
    kStrOrientation,
    kStrBackgroundColour,
    kStrPickBackground,
    kStrShowText,
    kStrTextOptionsButton,
    kStrEnableTransition,
    kStrTransitionsButton,
    kStrPlayAudio,
    kStrRepeatAudio,
    kStrRepeatShow,
    kStrRandomOrder,
    kStrInkOnSlides,
    kStrTextOptions,
    kStrDisplay,
    kStrDisplayList,
    kStrPosition,
    kStrPositionList,
    kStrTextSize,
    kStrTextSizeList,
    kStrWeight,
    kStrWeightList,
    kStrColour,
    kStrShadow,
    kStrTextBackground,
    kStrTransition,
    kStrEffect,
    kStrSlow,
    kStrMedium,
    kStrFast,
    kStrFramesFullScreen,
    kStrFramesSlideShow,
    kStrMultipleFrames,
    kStrSingleFrame,
    kStrFolderLocation,
    kStrChange,
    kStrApplyFrames,
    kStrApplyList,
    kStrFrameFile,
    kStrFrameFolderTitle,
    kStrGifFilter,
    kStrIntegerRange,
    kStrFrameFileTooLarge,
    kStrFrameFolderTooLarge,
    kStrGeneralPage,
    kStrAnimationSpeed,
    kStrDefaultZoom,
    kStrColourOptimisation,
    kStrStartMode,
    kStrAutoRotate,
    kStrLeft,
    kStrRight,
    kStrHome,
    kStrHideToolBarFullScreen,
    kStrUpDownBrowse,
    kStrThumbnailsButton,
    kStrCameraOrientation,
    kStrMiscPage,
};
static_assert(kStrGifFilter == 2955 && kStrMiscPage == 2972,
              "the page texts are numbered in a row");

inline QString PrefString(uint32_t id) {
    return QString::fromStdString(LoadString(id));
}

}  // namespace xelo
