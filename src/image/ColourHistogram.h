// The colour reducer's cell table: 32 × 64 × 32 cells of 16-bit values indexed by the top 5, 6
// and 5 bits of blue, green and red. It first counts pixels (saturating), then serves as the
// inverse colour map (0 = not yet computed, else palette index + 1).
#pragma once

#include <cstdint>
#include <memory>

namespace xelo {

struct ColourHistogram {
    static constexpr int kBlueCells = 32;
    static constexpr int kGreenCells = 64;
    static constexpr int kRedCells = 32;
    static constexpr int kCellCount = kBlueCells * kGreenCells * kRedCells;

    // Per axis (0 blue, 1 green, 2 red): the bits dropped from a channel value, and the weight of
    // one value step in colour distances.
    static constexpr int kShift[3] = {3, 2, 3};
    static constexpr int kScale[3] = {1, 3, 2};
    static constexpr int kCells[3] = {kBlueCells, kGreenCells, kRedCells};

    static constexpr int Index(int blueCell, int greenCell, int redCell) {
        return (blueCell * kGreenCells + greenCell) * kRedCells + redCell;
    }
    static constexpr int IndexOf(uint8_t blue, uint8_t green, uint8_t red) {
        return Index(blue >> 3, green >> 2, red >> 3);
    }

    // Throws 46040 when the table cannot be allocated.
    ColourHistogram();
    void Clear();
    void Count(uint8_t blue, uint8_t green, uint8_t red) {
        uint16_t& c = cells[IndexOf(blue, green, red)];
        if (c != 0xFFFF) ++c;
    }

    std::unique_ptr<uint16_t[]> cells;
};

}  // namespace xelo
