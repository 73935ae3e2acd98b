#include "slideshow/SlideSettings.h"

#include <algorithm>

namespace xelo {

SlideSettings ReadSlideSettings(const PreferencesBlock& block) {
    SlideSettings s;
    s.sizeMode = static_cast<int>(block.Get(pref::kSlideSize));
    if (s.sizeMode > kSlideLargeFit) s.sizeMode = kSlideFit;
    s.delaySeconds = std::min<int>(block.Get(pref::kSlideDelay), kMaxSlideDelaySeconds);
    s.orientation = static_cast<int>(block.Get(pref::kSlideOrientation));
    if (s.orientation > kOrientPortrait) s.orientation = kOrientAuto;
    s.background = block.Get(pref::kSlideBackground) & 0xFFFFFF;
    s.text.show = block.IsSet(pref::kShowSlideText);
    s.text.fromNote = block.IsSet(pref::kSlideTextIsNote);
    s.text.position = std::min<int>(static_cast<int>(block.Get(pref::kSlideTextPosition)),
                                    kTextLowerRight);
    s.text.points = std::clamp<int>(static_cast<int>(block.Get(pref::kSlideTextSize)), 6, 72);
    s.text.weight = static_cast<int>(block.Get(pref::kSlideTextWeight));
    s.text.colour = block.Get(pref::kSlideTextColour) & 0xFFFFFF;
    s.text.shadow = block.IsSet(pref::kTextShadow) ? block.Get(pref::kSlideTextShadow) & 0xFFFFFF
                                                   : SlideTextStyle::kNoColourValue;
    s.text.background = block.IsSet(pref::kSlideTextBox)
                            ? block.Get(pref::kSlideTextBackground) & 0xFFFFFF
                            : SlideTextStyle::kNoColourValue;
    const auto effect = static_cast<int>(block.Get(pref::kTransition));
    s.transitionEffect = block.IsSet(pref::kTransitions) && effect > 0 && effect < 86 ? effect : 0;
    s.transitionSpeed = static_cast<int>(block.Get(pref::kTransitionSpeed));
    if (s.transitionSpeed > kSpeedSlow) s.transitionSpeed = kSpeedFast;
    s.playAudio = block.IsSet(pref::kPlayAudioNotes);
    s.repeatAudio = block.IsSet(pref::kRepeatAudio);
    s.repeat = block.IsSet(pref::kRepeatSlideShow);
    s.random = block.IsSet(pref::kRandomOrder);
    s.frames = block.IsSet(pref::kFramesSlideShow);
    s.randomFrames = block.IsSet(pref::kRandomFrames);
    s.gifSpeed = static_cast<int>(block.Get(pref::kGifSpeed));
    s.gammaPercent = block.IsSet(pref::kApplyGamma)
                         ? std::clamp<int>(static_cast<int>(block.Get(pref::kGamma)), 1, 300)
                         : 100;
    s.displayMode = static_cast<int>(block.Get(pref::kColourOptimisation));
    return s;
}

int TransitionDurationMs(int speed) {
    switch (speed) {
        case kSpeedMedium:
            return 2000;
        case kSpeedSlow:
            return 3000;
        default:
            return 1000;
    }
}

int AdvanceTimerMs(int delaySeconds) {
    return delaySeconds <= 0 ? 1 : delaySeconds * 1000;
}

int FrameTimerMs(int delayHundredths, int gifSpeed) {
    const int ms = std::max(0, delayHundredths) * 10;
    switch (gifSpeed) {
        case kGifFaster:
            return ms / 2;
        case kGifSlower:
            return ms == 0 ? 100 : ms * 2;
        case kGifNoDelay:
            return 0;
        default:
            return ms;
    }
}

}  // namespace xelo
