// Builds bitmap files byte by byte for tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace xelo::test {

struct BmpBuilder {
    int32_t width = 1;
    int32_t height = 1;  // negative: rows stored top-down
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t headerSize = 40;
    uint16_t planes = 1;
    int32_t xPixelsPerMetre = 2835;  // 72 dpi
    int32_t yPixelsPerMetre = 2835;
    uint32_t coloursUsed = 0;
    std::vector<uint8_t> masks;    // written after a 40-byte header
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

    std::vector<uint8_t> Bytes() const {
        std::vector<uint8_t> b;
        const uint32_t offset =
            14 + headerSize + static_cast<uint32_t>(masks.size() + palette.size());
        b.push_back('B');
        b.push_back('M');
        Le32(b, offset + static_cast<uint32_t>(pixels.size()));  // bfSize
        Le32(b, 0);                                              // bfReserved1, bfReserved2
        Le32(b, offset);                                         // bfOffBits
        if (headerSize == 12) {
            Le32(b, 12);
            Le16(b, static_cast<uint32_t>(width));
            Le16(b, static_cast<uint32_t>(height));
            Le16(b, planes);
            Le16(b, bitCount);
        } else {
            Le32(b, headerSize);
            Le32(b, static_cast<uint32_t>(width));
            Le32(b, static_cast<uint32_t>(height));
            Le16(b, planes);
            Le16(b, bitCount);
            Le32(b, compression);
            Le32(b, static_cast<uint32_t>(pixels.size()));  // biSizeImage
            Le32(b, static_cast<uint32_t>(xPixelsPerMetre));
            Le32(b, static_cast<uint32_t>(yPixelsPerMetre));
            Le32(b, coloursUsed);
            Le32(b, 0);  // biClrImportant
            b.resize(b.size() + (headerSize - 40), 0);
        }
        b.insert(b.end(), masks.begin(), masks.end());
        b.insert(b.end(), palette.begin(), palette.end());
        b.insert(b.end(), pixels.begin(), pixels.end());
        return b;
    }
};

}  // namespace xelo::test
