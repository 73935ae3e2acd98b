// The filtered copy a view shows when a picture is displayed smaller than it was decoded: made
// once per zoom and then rendered one to one, so panning only copies pixels.
#pragma once

#include <cstdint>

#include "image/DibImage.h"
#include "image/Geometry.h"
#include "image/RenderTransformed.h"

namespace xelo {

// Largest reduced copy a view keeps (pixels); a bigger one is nearly full size, where sampling
// drops few pixels, and would cost a noticeable pause on every zoom step.
constexpr int64_t kMaxReducedPixels = int64_t{12} << 20;

// Fills `reduced` with `image` filtered down to `shown` (the logical picture's size on screen,
// before orientation) and returns true, when that is a reduction of an opaque picture that
// covers its whole logical picture and the copy fits kMaxReducedPixels and memory; otherwise
// releases `reduced` and returns false, and the caller samples the image itself.
bool MakeReducedPicture(const CDibImage& image, const RenderSource& source, Size shown,
                        CDibImage& reduced);

// The displayed size without the orientation's exchange of width and height.
constexpr Size UnorientedSize(Size displayed, int orientation) {
    return SwapsAxes(orientation) ? Size{displayed.height, displayed.width} : displayed;
}

}  // namespace xelo
