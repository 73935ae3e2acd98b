// Reference renderings stored as PNG, read with libpng for comparisons with decoded pixels.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace xelo::test {

struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;  // row-major, 4 bytes per pixel

    const uint8_t* At(int x, int y) const {
        return rgba.data() + (static_cast<size_t>(y) * width + x) * 4;
    }
};

// Reads a PNG as 8-bit RGBA; false when it cannot be read.
bool ReadPng(const std::filesystem::path& path, RgbaImage& image);

}  // namespace xelo::test
