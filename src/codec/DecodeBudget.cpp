#include "codec/DecodeBudget.h"

#include <atomic>

#include "image/TavoException.h"

namespace xelo {

namespace {
constexpr uint32_t kUnit = 21;

std::atomic<size_t> g_limit{kDefaultDecodeBudget};
}  // namespace

size_t DecodeBudgetLimit() {
    return g_limit.load(std::memory_order_relaxed);
}

void SetDecodeBudgetLimit(size_t bytes) {
    g_limit.store(bytes, std::memory_order_relaxed);
}

void DecodeBudget::Charge(size_t bytes) {
    if (bytes > Remaining()) ThrowError(kErrNoMemory, {kComponentCodecFramework, kUnit, __LINE__});
    used_ += bytes;
}

}  // namespace xelo
