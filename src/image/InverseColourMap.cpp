// Inverse colour map as in the IJG two-pass quantiser: a block of 4 × 8 × 4 cells first keeps the
// palette entries that could be nearest to any of its cells (those whose least distance to the
// block does not exceed the smallest greatest distance of any entry), then each cell takes the
// nearest of those to its centre. Distances weight blue, green and red by 1, 3 and 2; ties go to
// the lower index.
#include "image/InverseColourMap.h"

#include <algorithm>
#include <limits>

namespace xelo {

namespace {
using H = ColourHistogram;
constexpr int kBlockCells[3] = {4, 8, 4};
}  // namespace

CInverseColourMap::CInverseColourMap(ColourHistogram& histogram, const PaletteEntry* palette,
                                     int count, int excluded)
    : cells_(histogram.cells.get()) {
    histogram.Clear();
    for (int i = 0; i < count && i < 256; ++i) {
        if (i == excluded) continue;
        channels_[count_][0] = palette[i].blue;
        channels_[count_][1] = palette[i].green;
        channels_[count_][2] = palette[i].red;
        indices_[count_] = i;
        ++count_;
    }
}

void CInverseColourMap::FillBlock(int blueCell, int greenCell, int redCell) {
    const int cell[3] = {blueCell, greenCell, redCell};
    int firstCell[3];
    int low[3];
    int high[3];
    for (int axis = 0; axis < 3; ++axis) {
        firstCell[axis] = cell[axis] / kBlockCells[axis] * kBlockCells[axis];
        low[axis] = firstCell[axis] << H::kShift[axis];
        high[axis] = low[axis] + (kBlockCells[axis] << H::kShift[axis]) - 1;
    }
    if (count_ == 0) {
        // No usable entry: everything maps to index 0.
        for (int c0 = 0; c0 < kBlockCells[0]; ++c0)
            for (int c1 = 0; c1 < kBlockCells[1]; ++c1)
                for (int c2 = 0; c2 < kBlockCells[2]; ++c2)
                    cells_[H::Index(firstCell[0] + c0, firstCell[1] + c1, firstCell[2] + c2)] = 1;
        return;
    }

    // Least and greatest distance of every entry to the block.
    int64_t least[256];
    int64_t smallestGreatest = std::numeric_limits<int64_t>::max();
    for (int i = 0; i < count_; ++i) {
        int64_t minDist = 0;
        int64_t maxDist = 0;
        for (int axis = 0; axis < 3; ++axis) {
            const int x = channels_[i][axis];
            const int s = H::kScale[axis];
            const int64_t toLow = int64_t{(x - low[axis]) * s};
            const int64_t toHigh = int64_t{(x - high[axis]) * s};
            if (x < low[axis]) {
                minDist += toLow * toLow;
                maxDist += toHigh * toHigh;
            } else if (x > high[axis]) {
                minDist += toHigh * toHigh;
                maxDist += toLow * toLow;
            } else {
                maxDist += std::max(toLow * toLow, toHigh * toHigh);
            }
        }
        least[i] = minDist;
        smallestGreatest = std::min(smallestGreatest, maxDist);
    }
    int candidates[256];
    int candidateCount = 0;
    for (int i = 0; i < count_; ++i) {
        if (least[i] <= smallestGreatest) candidates[candidateCount++] = i;
    }

    for (int c0 = 0; c0 < kBlockCells[0]; ++c0) {
        for (int c1 = 0; c1 < kBlockCells[1]; ++c1) {
            for (int c2 = 0; c2 < kBlockCells[2]; ++c2) {
                const int at[3] = {firstCell[0] + c0, firstCell[1] + c1, firstCell[2] + c2};
                int centre[3];
                for (int axis = 0; axis < 3; ++axis) {
                    const int shift = H::kShift[axis];
                    centre[axis] = (at[axis] << shift) + ((1 << shift) >> 1);
                }
                int64_t bestDist = std::numeric_limits<int64_t>::max();
                int best = candidates[0];
                for (int k = 0; k < candidateCount; ++k) {
                    const int* colour = channels_[candidates[k]];
                    int64_t d = 0;
                    for (int axis = 0; axis < 3; ++axis) {
                        const int64_t t = int64_t{(centre[axis] - colour[axis]) * H::kScale[axis]};
                        d += t * t;
                    }
                    if (d < bestDist) {
                        bestDist = d;
                        best = candidates[k];
                    }
                }
                cells_[H::Index(at[0], at[1], at[2])] = static_cast<uint16_t>(indices_[best] + 1);
            }
        }
    }
}

}  // namespace xelo
