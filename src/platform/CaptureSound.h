// The short click played when a capture is taken.
#pragma once

namespace xelo {

// Plays the sound without waiting; silent where the machine has no audio output.
void PlayCaptureSound();

}  // namespace xelo
