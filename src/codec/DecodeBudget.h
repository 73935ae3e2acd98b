// The memory one decode may take: every frame it keeps and the libraries' working buffers
// together. A file whose pixels would pass it fails with 46040 before the memory is taken, so
// a small file claiming a huge or endless picture ends quickly.
#pragma once

#include <cstddef>

namespace xelo {

constexpr size_t kDefaultDecodeBudget = size_t{512} << 20;

// The budget every later decode starts from (process-wide); tools and tests may change it.
size_t DecodeBudgetLimit();
void SetDecodeBudgetLimit(size_t bytes);

class DecodeBudget {
  public:
    explicit DecodeBudget(size_t limit = DecodeBudgetLimit()) : limit_(limit) {}

    // Takes `bytes` from what is left, or throws 46040 (taking nothing) when they are not left.
    void Charge(size_t bytes);
    size_t Remaining() const { return limit_ - used_; }

  private:
    size_t limit_;
    size_t used_ = 0;
};

}  // namespace xelo
