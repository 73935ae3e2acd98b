// Writing an image in the format its file name asks for, through the core's save step.
#pragma once

#include <string>

#include "codec/SaveImageAs.h"
#include "image/DibImage.h"

namespace xelo::tool {

struct ToolSaveOptions {
    int percent = 100;
    int dpiX = 96;
    int dpiY = 96;
    int colours = 256;   // GIF: palette size for true-colour pictures
    bool dither = true;  // GIF: error diffusion when reducing
    int quality = 75;    // JPEG only
};

// The core options for writing `path`: the format of its extension, a BMP keeping the picture's
// depth. False with `error` set when the extension names no format the program writes.
bool OptionsForPath(const std::string& path, const ToolSaveOptions& tool, SaveOptions& options,
                    std::string& error);

// Writes `image` (possibly expanded on the way) to `path` in the format of its extension; returns
// false with `error` set for an unknown extension. Codec failures throw CTavoException.
bool SaveImage(const std::string& path, CDibImage& image, const ToolSaveOptions& options,
               std::string& error);

}  // namespace xelo::tool
