#include "views/FrameDelay.h"

#include <algorithm>

namespace xelo {

int FrameDelayMs(int delayHundredths, AnimationSpeed speed) {
    // A GIF stores at most 65535; a negative value from a damaged header waits nothing.
    const int delay = std::clamp(delayHundredths, 0, 65535);
    int ms = 0;
    switch (speed) {
        case AnimationSpeed::kNormal:
            ms = delay * 10;
            break;
        case AnimationSpeed::kFaster:
            ms = delay * 10 / 2;
            break;
        case AnimationSpeed::kSlower:
            ms = delay == 0 ? 100 : delay * 20;
            break;
        case AnimationSpeed::kNoDelay:
            ms = 0;
            break;
    }
    return std::max(ms, 1);
}

}  // namespace xelo
