// ReduceColours: turns 24-bit pixels into at most 256 palette colours, with an optimised palette
// (median cut) or a given one, with or without error diffusion, and with an optional key colour
// that gets a palette entry of its own.
#pragma once

#include <cstdint>

#include "image/BgrBuffer.h"
#include "image/Geometry.h"
#include "image/Palette.h"

namespace xelo {

struct ColourReduction {
    int maxColours = 256;                      // palette size of an optimised palette (1…256)
    bool dither = true;                        // Floyd–Steinberg error diffusion
    const LogPalette* fixedPalette = nullptr;  // not owned; null = compute the palette
    uint32_t keyColour = kNoColour;            // 0x00BBGGRR, or none
};

// Reduces `rect` of the 3-byte `source`. When `targetBits` is given, the target has the source's
// width and height, `targetPad` pixels of row padding and `targetBytesPerPixel` 1 (palette
// indices) or 3 (the chosen colours as blue, green, red); it may be the source itself.
// `palette` (when given) receives the palette. With a key colour, `transparentIndex` receives the
// key's entry (a caller's index 0…count − 1 is kept in fixed-palette mode); otherwise it is −1.
// Returns false when there is nothing to reduce; allocation failures throw 46040.
bool ReduceColours(const Rect& rect, const BgrBuffer& source, uint8_t* targetBits, int targetPad,
                   int targetBytesPerPixel, const ColourReduction& options, LogPalette* palette,
                   int32_t& transparentIndex);

// The palette size the save paths use for a requested colour count: the next power of two from
// 2 to 256.
int RoundColourCount(int requested);

}  // namespace xelo
