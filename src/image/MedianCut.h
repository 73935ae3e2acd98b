// Median cut over a colour histogram: the palette that represents the counted pixels.
#pragma once

#include "image/ColourHistogram.h"
#include "image/Palette.h"

namespace xelo {

// Chooses at most `wanted` colours (1…256) for the counted cells and writes them to `out`;
// returns how many. Fewer come back only when no box can be split further.
int MedianCut(const ColourHistogram& histogram, int wanted, PaletteEntry* out);

}  // namespace xelo
