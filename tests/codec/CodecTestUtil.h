// Helpers for codec tests: decoding files and reading decoded pixels as RGB.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "codec/ImageFile.h"
#include "image/DibImage.h"
#include "image/TavoException.h"

namespace xelo::test {

// The colour of pixel (x, y) as red, green, blue, through the palette for 1-byte images.
inline std::array<uint8_t, 3> RgbAt(const CDibImage& image, int x, int y) {
    const uint8_t* row = image.Row(y);
    if (image.BytesPerPixel() == 1) {
        const PaletteEntry& e = image.Palette()->entries[row[x]];
        return {e.red, e.green, e.blue};
    }
    const uint8_t* p = row + x * 3;
    return {p[2], p[1], p[0]};
}

// The error code of `f`, or 0 when it succeeds.
template <typename F>
uint32_t ErrorOf(F&& f) {
    try {
        f();
    } catch (const CTavoException& e) {
        return e.GetCode();
    }
    return 0;
}

// Decodes all frames of bytes held in memory.
inline void LoadFromBytes(const std::vector<uint8_t>& bytes, CImageFrames& frames) {
    CMemoryStream stream(bytes.data(), static_cast<uint32_t>(bytes.size()), "memory");
    CImageFile file;
    file.LoadFrames(stream, frames);
}

}  // namespace xelo::test
