// ITransitionClock: the millisecond tick count and the sleep a transition paces itself with.
// Tests inject a virtual clock so transitions run instantly and the same way every time.
#pragma once

#include <cstdint>

namespace xelo {

class ITransitionClock {
  public:
    virtual ~ITransitionClock() = default;
    // Milliseconds since an arbitrary start; wraps around like any 32-bit tick count.
    virtual uint32_t TickCount() = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;
};

// The steady clock of the machine and a real sleep.
class CSystemTransitionClock : public ITransitionClock {
  public:
    uint32_t TickCount() override;
    void Sleep(uint32_t milliseconds) override;
};

}  // namespace xelo
