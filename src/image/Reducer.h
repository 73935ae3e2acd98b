// Picture reduction with a separable Lanczos-3 (windowed sinc) filter in fixed point. Every
// place that makes a picture smaller goes through here; enlarging stays nearest-pixel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/DibImage.h"
#include "image/Geometry.h"

namespace xelo {

// Weights are fixed point with this many fraction bits; each target sample's weights sum to
// exactly 1 << kReduceWeightBits.
constexpr int kReduceWeightBits = 14;

// The filter of one axis: target sample i is the weighted sum of source samples
// first[i] .. first[i] + count[i] - 1. Shrinking uses Lanczos-3 stretched by the reduction
// factor, an unchanged length copies, and enlarging takes the nearest sample.
struct ReduceTable {
    int taps = 0;  // the widest window; weights hold `taps` entries per target sample
    std::vector<int> first;
    std::vector<int> count;
    std::vector<int16_t> weights;

    const int16_t* WeightsOf(int i) const {
        return weights.data() + static_cast<size_t>(i) * static_cast<size_t>(taps);
    }
};

// Throws 46040 when the table cannot be allocated; lengths below 1 throw 46001.
ReduceTable BuildReduceTable(int sourceLength, int targetLength);

// Reduces a stream of source rows (8-bit samples, `channels` of them per pixel, interleaved)
// into a target, one row at a time and in order, keeping only as many source rows as the
// vertical filter spans. Target rows are written as soon as their last source row arrives, so
// a stream cut short leaves the rows it never reached untouched.
class CRowReducer {
  public:
    // Throws 46040 when its buffers cannot be allocated.
    CRowReducer(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight, int channels,
                uint8_t* target, size_t targetStride);
    CRowReducer(const CRowReducer&) = delete;
    CRowReducer& operator=(const CRowReducer&) = delete;

    // Where the next source row is to be written (sourceWidth × channels bytes); Commit hands
    // it over. Rows past the source height are ignored.
    uint8_t* Slot();
    void Commit();
    // Hands over a row that stays readable, unchanged, until the reducer is done with the
    // whole picture (an image in memory): no copy is made.
    void PushStable(const uint8_t* row);
    // The next source row the reducer expects (sourceHeight once it has them all).
    int NextRow() const { return received_; }

  private:
    void Take(const uint8_t* row);
    void EmitReady();
    void EmitRow(int i);

    int sourceWidth_, sourceHeight_, targetWidth_, targetHeight_, channels_;
    uint8_t* target_;
    size_t targetStride_;
    size_t rowBytes_;
    ReduceTable horizontal_;
    ReduceTable vertical_;
    int ringSize_ = 0;
    std::vector<uint8_t> storage_;      // ringSize_ rows of copied source samples
    std::vector<const uint8_t*> ring_;  // source row y lives at ring_[y % ringSize_]
    std::vector<int32_t> sums_;         // vertical sums of one target row
    std::vector<uint8_t> column_;       // one vertically filtered row, sourceWidth wide
    int received_ = 0;
    int emitted_ = 0;
};

// Reduces `source` into `target` at `size` (each side at most the source's; a larger side is
// enlarged nearest-pixel). 3-byte images are filtered per channel; 1-byte images whose palette
// is the grey ramp stay 1-byte grey; other 1-byte images become 3-byte through their palette.
// A mask plane and a transparent key are not carried over (callers reduce opaque pictures).
// Throws 46040 when memory is short.
void ReduceImage(const CDibImage& source, CDibImage& target, Size size);

// Whether ReduceImage keeps every pixel's look: no transparent key and no mask plane.
bool CanReduceSmoothly(const CDibImage& image);

// True when the palette is the 256-level grey ramp (a 1-byte image of it is filtered as grey).
bool IsGreyRamp(const LogPalette& palette);

}  // namespace xelo
