// Builds bitmap files byte by byte for tests.
#pragma once

#include <cstdint>
#include <vector>

namespace xelo::test {

struct BmpBuilder {
    int32_t width = 1;
    int32_t height = 1;  // negative: rows stored top-down
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t headerSize = 40;
    uint16_t planes = 1;
    std::vector<uint8_t> palette;  // blue, green, red, reserved per entry
    std::vector<uint8_t> pixels;   // the file's rows, first row first

    static void Le16(std::vector<uint8_t>& v, uint32_t x) {
        v.push_back(static_cast<uint8_t>(x));
        v.push_back(static_cast<uint8_t>(x >> 8));
    }
    static void Le32(std::vector<uint8_t>& v, uint32_t x) {
        Le16(v, x & 0xFFFF);
        Le16(v, x >> 16);
    }

    // A file header, an info header of `headerSize` bytes (40 filled, the rest zero), the palette
    // and the pixels.
    std::vector<uint8_t> Bytes() const {
        std::vector<uint8_t> b = {'B', 'M'};
        const uint32_t offset = 14 + headerSize + static_cast<uint32_t>(palette.size());
        Le32(b, offset + static_cast<uint32_t>(pixels.size()));
        Le32(b, 0);
        Le32(b, offset);
        for (const uint32_t v : {headerSize, static_cast<uint32_t>(width),
                                 static_cast<uint32_t>(height), planes | uint32_t{bitCount} << 16,
                                 compression, static_cast<uint32_t>(pixels.size()), 2835u, 2835u})
            Le32(b, v);
        b.resize(b.size() + (headerSize - 32), 0);
        b.insert(b.end(), palette.begin(), palette.end());
        b.insert(b.end(), pixels.begin(), pixels.end());
        return b;
    }
};

}  // namespace xelo::test
