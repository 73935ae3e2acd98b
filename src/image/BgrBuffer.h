// A bare top-down buffer of 3 bytes per pixel (blue, green, red) that views draw into.
#pragma once

#include <cstddef>
#include <cstdint>

namespace xelo {

struct BgrBuffer {
    uint8_t* bits = nullptr;  // not owned
    int width = 0;
    int height = 0;
    int pad = 0;  // pixels added to each row

    size_t Stride() const { return static_cast<size_t>(width + pad) * 3; }
    uint8_t* Row(int y) const { return bits + static_cast<size_t>(y) * Stride(); }
    uint8_t* Pixel(int x, int y) const { return Row(y) + static_cast<size_t>(x) * 3; }
};

}  // namespace xelo
