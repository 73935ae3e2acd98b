// The component number shown as the first origin number of errors raised by the ink code.
#pragma once

#include <cstdint>

namespace xelo {

constexpr uint32_t kComponentInk = 2200;

}  // namespace xelo
