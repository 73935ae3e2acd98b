// WriteBmp: writes a bitmap file of 1, 4, 8 or 24 bits per pixel, optionally scaled.
#pragma once

#include <cstdint>
#include <string>

#include "image/DibImage.h"

namespace xelo {

struct Resolution {
    int x = 96;  // dots per inch
    int y = 96;
};

struct BmpSource {
    const uint8_t* bits = nullptr;  // not owned
    int width = 0;
    int rowPad = 0;  // pixels
    int height = 0;
    int bytesPerPixel = 3;
    const LogPalette* palette = nullptr;  // for 1-byte sources; not owned
    bool keepByteOrder = false;           // 3-byte pixels are already blue, green, red
    bool bottomUp = false;                // the first row in memory is the bottom row
};

// Writes `source` scaled to `percent` (integer truncation of width × percent / 100). A 1-byte
// source is written with 1, 4 or 8 bits by its palette's entry count. The target is replaced only
// when the whole file was written.
void WriteBmp(const std::string& path, const BmpSource& source, int percent, Resolution dpi);

// The same for an image (its pixels are blue, green, red, top-down).
void WriteBmp(const std::string& path, const CDibImage& image, int percent, Resolution dpi);

}  // namespace xelo
