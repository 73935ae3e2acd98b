// The aspect-fit of an image into a box.
#pragma once

#include <cstdint>

#include "image/Geometry.h"

namespace xelo {

// Fits imageW × imageH into boxW × boxH keeping the aspect ratio; an image that already fits
// keeps its size unless `enlarge` is set. Results are at least 1 and at most the box.
Size FitSize(int boxWidth, int boxHeight, int imageWidth, int imageHeight, bool enlarge);

// A side scaled to `percent` of its length, truncated: the one rule of every writer's percent,
// in integers so that no percent lands a pixel off (29 % of 100 is 29).
inline int64_t PercentLength(int64_t length, int percent) {
    return length * percent / 100;
}

}  // namespace xelo
