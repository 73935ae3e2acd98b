// The separable resampler: integer tent weights in percent, a horizontal then a vertical pass,
// and a one-pass variant for when the intermediate buffer cannot be had.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/Palette.h"

namespace xelo {

// Weights of one axis: for target pixel i, source pixels first[i]..last[i] with the weights
// weights[i * window + (k - first[i])], which sum to exactly 100.
struct WeightTable {
    int window = 0;
    std::vector<int> first;
    std::vector<int> last;
    std::vector<uint16_t> weights;

    const uint16_t* WeightsOf(int i) const {
        return weights.data() + static_cast<size_t>(i) * window;
    }
};

// The table for scaling a source length to a target length (both >= 1); throws 46040 when it
// cannot be allocated.
WeightTable BuildWeightTable(int sourceLength, int targetLength);

// Scales a 3-byte image, or a 1-byte image through its palette, into a 3-byte target. Returns
// false when a 1-byte source has no palette or a weight table cannot be built.
bool Resample24(const uint8_t* source, int sourceWidth, int sourceHeight, int sourcePad,
                int sourceBytesPerPixel, const LogPalette* palette, uint8_t* target,
                int targetWidth, int targetHeight, int targetPad);

// Scales a one-byte plane (a mask). With a key value 0–255, source samples equal to the key count
// as 0 and all others as 255, which turns a colour-keyed plane into a mask.
bool Resample8(const uint8_t* source, int sourceWidth, int sourceHeight, int sourcePad,
               uint8_t* target, int targetWidth, int targetHeight, int targetPad, int key = -1);

// The one-pass variant that applies both tables at once; used when the intermediate buffer of the
// two-pass resampler cannot be allocated. Exposed so that tests can compare the two.
bool Resample24OnePass(const uint8_t* source, int sourceWidth, int sourceHeight, int sourcePad,
                       int sourceBytesPerPixel, const LogPalette* palette, uint8_t* target,
                       int targetWidth, int targetHeight, int targetPad);

}  // namespace xelo
