// The nearest palette entry of every histogram cell, computed on demand one block of cells at a
// time and kept in the histogram's cells (palette index + 1).
#pragma once

#include <cstdint>

#include "image/ColourHistogram.h"
#include "image/Palette.h"

namespace xelo {

class CInverseColourMap {
  public:
    // `histogram` is cleared and reused (not owned). `excluded` (the key colour's entry, or −1)
    // is never chosen.
    CInverseColourMap(ColourHistogram& histogram, const PaletteEntry* palette, int count,
                      int excluded);

    // The palette index nearest to the cell of (blue, green, red).
    int Lookup(uint8_t blue, uint8_t green, uint8_t red) {
        const int index = ColourHistogram::IndexOf(blue, green, red);
        uint16_t value = cells_[index];
        if (value == 0) {
            FillBlock(blue >> 3, green >> 2, red >> 3);
            value = cells_[index];
        }
        return value - 1;
    }

  private:
    void FillBlock(int blueCell, int greenCell, int redCell);

    uint16_t* cells_;  // not owned
    int count_ = 0;
    int channels_[256][3];  // blue, green, red of each usable entry
    int indices_[256];      // its palette index
};

}  // namespace xelo
