// String numbers of the Options sheet's pages and dialogs.
#pragma once

#include <QString>
#include <cstdint>

#include "base/StringTable.h"

namespace xelo {

enum PrefText : uint32_t {
    kStrSizeList = 2412,
    kStrOrientationList = 2451,
    kStrIntegerRange = 2459,
    kStrVgaPage = 2462,
    kStrFrameFileTooLarge = 2460,
    kStrFrameFolderTooLarge = 2461,
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
};

inline QString PrefString(uint32_t id) {
    return QString::fromStdString(LoadString(id));
}

}  // namespace xelo
