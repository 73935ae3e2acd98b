// The fixed 256-colour palette that 8-bit screens show.
#pragma once

#include "image/Palette.h"

namespace xelo {

const LogPalette& FixedPalette();

}  // namespace xelo
