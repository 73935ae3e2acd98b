// The wait between the frames of a playing animation.
#pragma once

namespace xelo {

// The "Animation speed:" choices, in their stored order.
enum class AnimationSpeed : int { kNormal = 0, kFaster = 1, kSlower = 2, kNoDelay = 3 };

// Milliseconds until the next frame for a frame delay in hundredths of a second; never 0, so a
// timer always runs.
int FrameDelayMs(int delayHundredths, AnimationSpeed speed);

}  // namespace xelo
