// Small integer helpers shared by the effect routines.
#pragma once

#include <algorithm>
#include <cstdint>

namespace xelo {

constexpr int CeilDiv(int a, int b) {
    return (a + b - 1) / b;
}

// The extent after step `i` of `count` when it grows by full × unit / count units of 1/unit pixel
// per step, taken up to the next whole pixel. The last step always reaches `full`, which the
// truncated per-step growth alone can miss when there are more steps than units.
inline int GrowthAt(int full, int i, int count, int unit) {
    if (i >= count) return full;
    const int64_t perStep = int64_t{full} * unit / count;
    const int64_t units = perStep * i;
    return static_cast<int>(std::min<int64_t>(full, (units + unit - 1) / unit));
}

}  // namespace xelo
