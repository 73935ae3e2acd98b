// The slide-show settings as the show uses them, read once from the Preferences block when a
// show starts.
#pragma once

#include <cstdint>

#include "settings/PrefLayout.h"

namespace xelo {

enum SlideSizeMode : int { kSlideOriginal = 0, kSlideFit = 1, kSlideLargeFit = 2 };
enum SlideOrientation : int { kOrientAuto = 0, kOrientLandscape = 1, kOrientPortrait = 2 };
enum SlideTextPosition : int {
    kTextTop = 0,
    kTextCenter = 1,
    kTextBottom = 2,
    kTextUpperLeft = 3,
    kTextUpperRight = 4,
    kTextLowerLeft = 5,
    kTextLowerRight = 6,
};
enum TransitionSpeed : int { kSpeedFast = 0, kSpeedMedium = 1, kSpeedSlow = 2 };
enum GifSpeed : int { kGifNormal = 0, kGifFaster = 1, kGifSlower = 2, kGifNoDelay = 3 };

constexpr int kMaxSlideDelaySeconds = 300;

struct SlideTextStyle {
    bool show = false;
    bool fromNote = false;  // the text note instead of the file name
    int position = kTextBottom;
    int points = 12;
    int weight = 1;  // 0 Thin, 1 Normal, 2 Bold, 3 Thick
    uint32_t colour = 0xFFFFFF;
    uint32_t shadow = kNoColourValue;      // none when kNoColourValue
    uint32_t background = kNoColourValue;  // none when kNoColourValue
    static constexpr uint32_t kNoColourValue = 0xFFFFFFFF;
};

struct SlideSettings {
    int sizeMode = kSlideFit;
    int delaySeconds = 5;
    int orientation = kOrientAuto;
    uint32_t background = 0;
    SlideTextStyle text;
    int transitionEffect = 0;  // 0 when transitions are off
    int transitionSpeed = kSpeedFast;
    bool playAudio = false;
    bool repeatAudio = false;
    bool repeat = false;
    bool random = false;
    bool frames = false;  // picture frames on slides
    bool randomFrames = false;
    int gifSpeed = kGifNormal;
    int gammaPercent = 100;  // 100: none
    int displayMode = 1;     // the display-colours choice; 1 is None
};

SlideSettings ReadSlideSettings(const PreferencesBlock& block);

// The duration RunTransition is given for a stored speed: Fast 1000, Medium 2000, Slow 3000 ms.
int TransitionDurationMs(int speed);

// Timer 22: the delay between slides; 0 is set as 1 ms.
int AdvanceTimerMs(int delaySeconds);

// Timer 23: the next GIF frame's delay (hundredths of a second) under the animation speed.
int FrameTimerMs(int delayHundredths, int gifSpeed);

}  // namespace xelo
