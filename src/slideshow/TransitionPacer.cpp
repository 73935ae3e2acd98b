// Step count, step size and delay of stepped transitions, and the wait between steps.
#include "slideshow/TransitionPacer.h"

#include <algorithm>

namespace xelo {

namespace {

constexpr uint32_t kStepBudgetMs = 25;

int CeilDiv(int a, int b) {
    return (a + b - 1) / b;
}

}  // namespace

PaceSteps ComputePacing(int travel, int durationMs, int minSteps, int maxSteps, int percent) {
    travel = std::max(travel, 1);
    const uint32_t duration = static_cast<uint32_t>(std::max(durationMs, 0));
    const uint32_t budget =
        std::max<uint32_t>(kStepBudgetMs * static_cast<uint32_t>(percent) / 100, 1);
    int64_t count = 0;
    if (minSteps < maxSteps) {
        count = std::clamp<int64_t>(duration / budget + 1, minSteps, maxSteps);
    } else {
        count = maxSteps;
    }
    // A travel of one or two pixels leaves a maximum of 0 steps; one step still draws it.
    count = std::clamp<int64_t>(count, 1, travel);

    PaceSteps pace;
    pace.step = CeilDiv(travel, static_cast<int>(count));
    pace.count = CeilDiv(travel, pace.step);
    pace.delay = pace.count <= 1 ? duration : duration / static_cast<uint32_t>(pace.count - 1);
    return pace;
}

CPacer::CPacer(ITransitionClock& clock, uint32_t delay)
    : clock_(clock), delay_(delay), lastStep_(clock.TickCount() - delay) {}

void CPacer::WaitForStep() {
    if (delay_ == 0) return;
    const uint32_t now = clock_.TickCount();
    const uint32_t passed = now - lastStep_;
    if (passed < delay_) {
        clock_.Sleep(delay_ - passed);
        lastStep_ += delay_;
    } else {
        lastStep_ = now;
    }
}

}  // namespace xelo
