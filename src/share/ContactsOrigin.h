// The component number shown as the first origin number of errors raised by the contacts code.
#pragma once

#include <cstdint>

namespace xelo {

constexpr uint32_t kComponentContacts = 2320;

}  // namespace xelo
