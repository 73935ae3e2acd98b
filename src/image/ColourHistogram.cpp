// The colour reducer's cell table.
#include "image/ColourHistogram.h"

#include <algorithm>
#include <new>

#include "image/TavoException.h"

namespace xelo {

namespace {
constexpr uint32_t kUnit = 52;
constexpr uint32_t kComponentColourReducer = 38005;
}  // namespace

ColourHistogram::ColourHistogram() : cells(new (std::nothrow) uint16_t[kCellCount]) {
    if (!cells) ThrowError(kErrNoMemory, {kComponentColourReducer, kUnit, __LINE__});
    Clear();
}

void ColourHistogram::Clear() {
    std::fill(cells.get(), cells.get() + kCellCount, uint16_t{0});
}

}  // namespace xelo
