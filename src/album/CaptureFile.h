// Writing a captured screen to its file in the chosen format and resolution.
#pragma once

#include <string>

#include "image/DibImage.h"

namespace xelo {

// Writes the 3-byte `image` to `path` as BMP, JPEG or GIF (SnapFormat) with `dpi` dots per inch
// in the file. The target appears only when the whole file was written; errors are thrown.
void WriteCaptureFile(const CDibImage& image, const std::string& path, int format, int dpi);

}  // namespace xelo
