// Median cut as in the two-pass quantiser of the IJG JPEG library: boxes of histogram cells are
// split on their longest weighted axis at the middle cell, the most populous boxes first, then the
// largest; each box's colour is the count-weighted mean of its cell centres.
#include "image/MedianCut.h"

#include <vector>

namespace xelo {

namespace {

using H = ColourHistogram;

struct Box {
    int min[3] = {0, 0, 0};  // cells on the blue, green and red axes, inclusive
    int max[3] = {0, 0, 0};
    int64_t volume = 0;      // squared weighted diagonal
    int64_t population = 0;  // cells with a count
};

bool PlaneHasCount(const H& h, const Box& b, int axis, int value) {
    int lo[3] = {b.min[0], b.min[1], b.min[2]};
    int hi[3] = {b.max[0], b.max[1], b.max[2]};
    lo[axis] = hi[axis] = value;
    for (int c0 = lo[0]; c0 <= hi[0]; ++c0) {
        for (int c1 = lo[1]; c1 <= hi[1]; ++c1) {
            const uint16_t* cell = &h.cells[H::Index(c0, c1, lo[2])];
            for (int c2 = lo[2]; c2 <= hi[2]; ++c2) {
                if (*cell++ != 0) return true;
            }
        }
    }
    return false;
}

int64_t WeightedExtent(const Box& b, int axis) {
    return int64_t{(b.max[axis] - b.min[axis]) << H::kShift[axis]} * H::kScale[axis];
}

// Shrinks the box to the cells that have counts and recomputes its volume and population.
void UpdateBox(const H& h, Box& b) {
    for (int axis = 0; axis < 3; ++axis) {
        while (b.min[axis] < b.max[axis] && !PlaneHasCount(h, b, axis, b.min[axis]))
            ++b.min[axis];
        while (b.max[axis] > b.min[axis] && !PlaneHasCount(h, b, axis, b.max[axis]))
            --b.max[axis];
    }
    b.volume = 0;
    for (int axis = 0; axis < 3; ++axis) {
        const int64_t d = WeightedExtent(b, axis);
        b.volume += d * d;
    }
    b.population = 0;
    for (int c0 = b.min[0]; c0 <= b.max[0]; ++c0) {
        for (int c1 = b.min[1]; c1 <= b.max[1]; ++c1) {
            const uint16_t* cell = &h.cells[H::Index(c0, c1, b.min[2])];
            for (int c2 = b.min[2]; c2 <= b.max[2]; ++c2)
                b.population += *cell++ != 0;
        }
    }
}

Box* MostPopulous(std::vector<Box>& boxes) {
    Box* best = nullptr;
    for (Box& b : boxes) {
        if (b.volume > 0 && (best == nullptr || b.population > best->population)) best = &b;
    }
    return best;
}

Box* Largest(std::vector<Box>& boxes) {
    Box* best = nullptr;
    for (Box& b : boxes) {
        if (b.volume > 0 && (best == nullptr || b.volume > best->volume)) best = &b;
    }
    return best;
}

PaletteEntry MeanColour(const H& h, const Box& b) {
    int64_t total = 0;
    int64_t sum[3] = {0, 0, 0};
    for (int c0 = b.min[0]; c0 <= b.max[0]; ++c0) {
        for (int c1 = b.min[1]; c1 <= b.max[1]; ++c1) {
            for (int c2 = b.min[2]; c2 <= b.max[2]; ++c2) {
                const int64_t count = h.cells[H::Index(c0, c1, c2)];
                if (count == 0) continue;
                total += count;
                const int cell[3] = {c0, c1, c2};
                for (int axis = 0; axis < 3; ++axis) {
                    const int shift = H::kShift[axis];
                    sum[axis] += ((cell[axis] << shift) + ((1 << shift) >> 1)) * count;
                }
            }
        }
    }
    PaletteEntry e;
    if (total == 0) return e;
    e.blue = static_cast<uint8_t>((sum[0] + total / 2) / total);
    e.green = static_cast<uint8_t>((sum[1] + total / 2) / total);
    e.red = static_cast<uint8_t>((sum[2] + total / 2) / total);
    return e;
}

}  // namespace

int MedianCut(const ColourHistogram& histogram, int wanted, PaletteEntry* out) {
    std::vector<Box> boxes;
    boxes.reserve(static_cast<size_t>(wanted));
    Box all;
    for (int axis = 0; axis < 3; ++axis)
        all.max[axis] = H::kCells[axis] - 1;
    UpdateBox(histogram, all);
    boxes.push_back(all);
    while (static_cast<int>(boxes.size()) < wanted) {
        Box* split =
            boxes.size() * 2 <= static_cast<size_t>(wanted) ? MostPopulous(boxes) : Largest(boxes);
        if (split == nullptr) break;
        // The longest weighted axis; on equal lengths green, then red, then blue.
        int axis = 1;
        if (WeightedExtent(*split, 2) > WeightedExtent(*split, axis)) axis = 2;
        if (WeightedExtent(*split, 0) > WeightedExtent(*split, axis)) axis = 0;
        Box upper = *split;
        const int middle = (split->min[axis] + split->max[axis]) / 2;
        split->max[axis] = middle;
        upper.min[axis] = middle + 1;
        UpdateBox(histogram, *split);
        UpdateBox(histogram, upper);
        boxes.push_back(upper);  // `split` is not used after this
    }
    for (size_t i = 0; i < boxes.size(); ++i)
        out[i] = MeanColour(histogram, boxes[i]);
    return static_cast<int>(boxes.size());
}

}  // namespace xelo
