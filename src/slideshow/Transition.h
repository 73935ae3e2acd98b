// RunTransition: plays one transition effect from what the target shows to a new slide.
#pragma once

#include "image/DibImage.h"
#include "image/Geometry.h"
#include "slideshow/TransitionClock.h"
#include "slideshow/TransitionTarget.h"

namespace xelo {

constexpr int kDefaultTransitionMs = 1000;

// Plays effect `effectIndex` (0–85; any other index is No Effect) over about `durationMs` / 2
// milliseconds (a negative duration means 1000) in `targetRect` of `target`, which shows the old
// slide. `newSlide` is a 3-byte-per-pixel image at least as large as targetRect and is drawn from
// its origin. Blocks, sleeping through `clock`, until the area shows the whole new slide.
// Throws 46002 when the slide is not such an image; an empty rectangle draws nothing.
void RunTransition(int effectIndex, int durationMs, ITransitionTarget& target,
                   const Rect& targetRect, const CDibImage& newSlide, ITransitionClock& clock);

// The same on the machine's clock.
void RunTransition(int effectIndex, int durationMs, ITransitionTarget& target,
                   const Rect& targetRect, const CDibImage& newSlide);

}  // namespace xelo
