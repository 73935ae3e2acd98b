// The aspect-fit of an image into a box.
#pragma once

#include "image/Geometry.h"

namespace xelo {

// Fits imageW × imageH into boxW × boxH keeping the aspect ratio; an image that already fits
// keeps its size unless `enlarge` is set. Results are at least 1 and at most the box.
Size FitSize(int boxWidth, int boxHeight, int imageWidth, int imageHeight, bool enlarge);

}  // namespace xelo
