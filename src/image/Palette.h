// The logical palette record of 1-byte images: version, entry count, 256 entries.
#pragma once

#include <cstdint>

namespace xelo {

// No colour: the value of an absent key colour, background or transparent index.
constexpr uint32_t kNoColour = 0xFFFFFFFF;

struct PaletteEntry {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t flags = 0;
};

struct LogPalette {
    uint16_t version = 0x300;
    uint16_t count = 0;
    PaletteEntry entries[256] = {};
};
static_assert(sizeof(LogPalette) == 4 + 1024, "the palette record is 1028 bytes");

// Colours are 0x00BBGGRR: red in the low byte.
constexpr uint32_t MakeColour(uint8_t red, uint8_t green, uint8_t blue) {
    return uint32_t{red} | (uint32_t{green} << 8) | (uint32_t{blue} << 16);
}
constexpr uint8_t RedOf(uint32_t colour) {
    return colour & 0xFF;
}
constexpr uint8_t GreenOf(uint32_t colour) {
    return (colour >> 8) & 0xFF;
}
constexpr uint8_t BlueOf(uint32_t colour) {
    return (colour >> 16) & 0xFF;
}

}  // namespace xelo
