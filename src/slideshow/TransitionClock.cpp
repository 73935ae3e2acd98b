// The machine's clock for transitions.
#include "slideshow/TransitionClock.h"

#include <chrono>
#include <thread>

namespace xelo {

uint32_t CSystemTransitionClock::TickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void CSystemTransitionClock::Sleep(uint32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace xelo
