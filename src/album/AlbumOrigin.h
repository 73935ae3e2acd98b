// The component number shown as the first origin number of errors raised by the album code.
#pragma once

#include <cstdint>

namespace xelo {

constexpr uint32_t kComponentAlbum = 2100;

}  // namespace xelo
