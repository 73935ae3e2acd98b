// The pacing of stepped transitions: how many steps, how far each moves and how long they wait.
#pragma once

#include <cstdint>

#include "slideshow/TransitionClock.h"

namespace xelo {

struct PaceSteps {
    int count = 1;       // steps to draw, at least 1
    int step = 1;        // pixels (or cells) each step advances
    uint32_t delay = 0;  // milliseconds between the starts of two steps
};

// Spreads a travel of `travel` pixels over `durationMs` (already halved) with a budget of
// 25 ms × percent / 100 per step, at least `minSteps` and at most `maxSteps` steps.
PaceSteps ComputePacing(int travel, int durationMs, int minSteps, int maxSteps, int percent);

// Waits before each step so steps start `delay` apart. The first step is drawn at once, and a
// step that comes late restarts the schedule from now instead of making later steps hurry.
class CPacer {
  public:
    CPacer(ITransitionClock& clock, uint32_t delay);  // clock not owned
    void WaitForStep();

  private:
    ITransitionClock& clock_;
    uint32_t delay_;
    uint32_t lastStep_;
};

}  // namespace xelo
