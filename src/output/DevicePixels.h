// Our 24-bit pictures (blue, green, red) on an external display's surface, in the surface's own
// pixel format.
#pragma once

#include "image/DibImage.h"
#include "xelo_plugin.h"

namespace xelo::output {

// Whether the surface can be drawn on: known format, sizes and stride that fit its pixels.
bool UsableSurface(const XeloDeviceContext& dc);

// Copies `picture` (3 bytes per pixel) into the top-left of the surface; what the picture does not
// cover turns black. False when the surface or the picture cannot be used.
bool CopyToDevice(const CDibImage& picture, XeloDeviceContext& dc);

// Paints the whole surface black.
bool FillDeviceBlack(XeloDeviceContext& dc);

}  // namespace xelo::output
