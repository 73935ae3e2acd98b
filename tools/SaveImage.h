// Writing an image in the format its file name asks for.
#pragma once

#include <string>

#include "image/DibImage.h"

namespace xelo::tool {

struct SaveOptions {
    int percent = 100;
    int dpiX = 96;
    int dpiY = 96;
    int colours = 256;   // GIF: palette size for true-colour pictures
    bool dither = true;  // GIF: error diffusion when reducing
    int quality = 75;  // JPEG only
};

// Writes `image` to `path` in the format of its extension; returns false with `error` set when
// the extension names no format the tool writes. Codec failures throw CTavoException.
bool SaveImage(const std::string& path, const CDibImage& image, const SaveOptions& options,
               std::string& error);

}  // namespace xelo::tool
