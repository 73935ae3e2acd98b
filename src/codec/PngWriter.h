// WritePng: a picture saved as a PNG file through the system's libpng.
#pragma once

#include <string>

#include "codec/BmpWriter.h"
#include "image/DibImage.h"

namespace xelo {

// Writes `image` scaled to `percent` (integer truncation, nearest pixel) as an 8-bit RGB PNG, or
// grey when its palette is the grey ramp, with `dpi` as its physical density. The target is
// replaced only when the whole file was written.
void WritePng(const std::string& path, const CDibImage& image, int percent, Resolution dpi);

}  // namespace xelo
