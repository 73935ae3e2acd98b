// Lanczos-3 reduction: weight tables in fixed point, a vertical pass over a small ring of source
// rows (contiguous bytes, which the compiler vectorises) and then a horizontal pass over the one
// filtered row, so the costlier per-pixel pass runs on target rows only.
#include "image/Reducer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "image/TavoException.h"

namespace xelo {

namespace {
constexpr uint32_t kUnit = 3;
constexpr int32_t kOne = 1 << kReduceWeightBits;
constexpr int32_t kHalf = kOne / 2;
constexpr double kLobes = 3.0;
constexpr double kPi = 3.14159265358979323846;

[[noreturn]] void Throw(uint32_t code, uint32_t line) {
    ThrowError(code, {kComponentResampler, kUnit, line});
}

double Sinc(double x) {
    if (x == 0.0) return 1.0;
    x *= kPi;
    return std::sin(x) / x;
}

double Lanczos3(double x) {
    if (x <= -kLobes || x >= kLobes) return 0.0;
    return Sinc(x) * Sinc(x / kLobes);
}

uint8_t Clamp8(int32_t v) {
    return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

// One filtered row: target pixel x of `C` channels from the table's source pixels.
template <int C>
void FilterRow(const uint8_t* in, uint8_t* out, const ReduceTable& table, int targetWidth) {
    for (int x = 0; x < targetWidth; ++x, out += C) {
        const int16_t* w = table.WeightsOf(x);
        const uint8_t* p = in + static_cast<size_t>(table.first[x]) * C;
        const int n = table.count[x];
        int32_t sum[C];
        for (int c = 0; c < C; ++c)
            sum[c] = kHalf;
        for (int k = 0; k < n; ++k, p += C) {
            const int32_t weight = w[k];
            for (int c = 0; c < C; ++c)
                sum[c] += weight * p[c];
        }
        for (int c = 0; c < C; ++c)
            out[c] = Clamp8(sum[c] >> kReduceWeightBits);
    }
}

void FilterRowOf(int channels, const uint8_t* in, uint8_t* out, const ReduceTable& table,
                 int targetWidth) {
    switch (channels) {
        case 1:
            FilterRow<1>(in, out, table, targetWidth);
            break;
        case 3:
            FilterRow<3>(in, out, table, targetWidth);
            break;
        default:
            FilterRow<4>(in, out, table, targetWidth);
            break;
    }
}

bool IsPlainCopy(const ReduceTable& table, int sourceLength, int targetLength) {
    return sourceLength == targetLength && table.taps == 1;
}

}  // namespace

ReduceTable BuildReduceTable(int sourceLength, int targetLength) {
    if (sourceLength < 1 || targetLength < 1) Throw(kErrInvalidParameter, __LINE__);
    ReduceTable table;
    const size_t targets = static_cast<size_t>(targetLength);
    try {
        table.first.resize(targets);
        table.count.resize(targets);
        if (targetLength >= sourceLength) {
            // Equal or enlarging: the nearest source sample, x · S / T.
            table.taps = 1;
            table.weights.assign(targets, static_cast<int16_t>(kOne));
            for (int i = 0; i < targetLength; ++i) {
                table.first[static_cast<size_t>(i)] =
                    static_cast<int>(int64_t{i} * sourceLength / targetLength);
                table.count[static_cast<size_t>(i)] = 1;
            }
            return table;
        }
        const double scale = static_cast<double>(sourceLength) / targetLength;
        const double support = kLobes * scale;
        table.taps = std::min(sourceLength, static_cast<int>(std::ceil(support)) * 2 + 1);
        table.weights.assign(targets * static_cast<size_t>(table.taps), 0);
        std::vector<double> raw(static_cast<size_t>(table.taps));
        for (int i = 0; i < targetLength; ++i) {
            const double centre = (i + 0.5) * scale;
            const int low = std::max(0, static_cast<int>(std::floor(centre - support + 0.5)));
            const int high = std::min(sourceLength, static_cast<int>(centre + support + 0.5));
            const int n = std::min(high - low, table.taps);
            double sum = 0.0;
            for (int k = 0; k < n; ++k) {
                raw[static_cast<size_t>(k)] = Lanczos3((low + k + 0.5 - centre) / scale);
                sum += raw[static_cast<size_t>(k)];
            }
            int16_t* w = table.weights.data() + static_cast<size_t>(i) * table.taps;
            int32_t total = 0;
            int biggest = 0;
            for (int k = 0; k < n; ++k) {
                w[k] = static_cast<int16_t>(std::lround(raw[static_cast<size_t>(k)] / sum * kOne));
                total += w[k];
                if (w[k] > w[biggest]) biggest = k;
            }
            // The rounding remainder goes to the largest weight: flat areas stay exactly flat.
            w[biggest] = static_cast<int16_t>(w[biggest] + (kOne - total));
            table.first[static_cast<size_t>(i)] = low;
            table.count[static_cast<size_t>(i)] = n;
        }
    } catch (const std::bad_alloc&) {
        Throw(kErrNoMemory, __LINE__);
    }
    return table;
}

CRowReducer::CRowReducer(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight,
                         int channels, uint8_t* target, size_t targetStride)
    : sourceWidth_(sourceWidth),
      sourceHeight_(sourceHeight),
      targetWidth_(targetWidth),
      targetHeight_(targetHeight),
      channels_(channels),
      target_(target),
      targetStride_(targetStride),
      rowBytes_(static_cast<size_t>(sourceWidth) * static_cast<size_t>(channels)) {
    if (target == nullptr || (channels != 1 && channels != 3 && channels != 4)) {
        Throw(kErrInvalidParameter, __LINE__);
    }
    horizontal_ = BuildReduceTable(sourceWidth, targetWidth);
    vertical_ = BuildReduceTable(sourceHeight, targetHeight);
    // The ring holds every row from the window's first to the latest row received.
    int latest = 0;
    for (int i = 0; i < targetHeight; ++i) {
        const size_t k = static_cast<size_t>(i);
        latest = std::max(latest, vertical_.first[k] + vertical_.count[k] - 1);
        ringSize_ = std::max(ringSize_, latest - vertical_.first[k] + 1);
    }
    try {
        storage_.resize(static_cast<size_t>(ringSize_) * rowBytes_);
        ring_.assign(static_cast<size_t>(ringSize_), nullptr);
        sums_.resize(rowBytes_);
        column_.resize(rowBytes_);
    } catch (const std::bad_alloc&) {
        Throw(kErrNoMemory, __LINE__);
    }
}

uint8_t* CRowReducer::Slot() {
    return storage_.data() + static_cast<size_t>(received_ % ringSize_) * rowBytes_;
}

void CRowReducer::Commit() {
    Take(Slot());
}

void CRowReducer::PushStable(const uint8_t* row) {
    Take(row);
}

void CRowReducer::Take(const uint8_t* row) {
    if (received_ >= sourceHeight_) return;
    ring_[static_cast<size_t>(received_ % ringSize_)] = row;
    ++received_;
    EmitReady();
}

void CRowReducer::EmitReady() {
    while (emitted_ < targetHeight_) {
        const size_t k = static_cast<size_t>(emitted_);
        if (vertical_.first[k] + vertical_.count[k] > received_) return;
        EmitRow(emitted_);
        ++emitted_;
    }
}

void CRowReducer::EmitRow(int i) {
    const size_t k = static_cast<size_t>(i);
    const int first = vertical_.first[k];
    const int n = vertical_.count[k];
    const int16_t* w = vertical_.WeightsOf(i);
    auto rowAt = [this](int y) { return ring_[static_cast<size_t>(y % ringSize_)]; };

    const uint8_t* filtered = nullptr;
    if (n == 1 && w[0] == kOne) {
        filtered = rowAt(first);
    } else {
        int32_t* s = sums_.data();
        const size_t bytes = rowBytes_;
        {
            const uint8_t* r = rowAt(first);
            const int32_t w0 = w[0];
            for (size_t b = 0; b < bytes; ++b)
                s[b] = kHalf + w0 * r[b];
        }
        int j = 1;
        // Two rows per pass halve the traffic through the sums.
        for (; j + 1 < n; j += 2) {
            const uint8_t* a = rowAt(first + j);
            const uint8_t* c = rowAt(first + j + 1);
            const int32_t wa = w[j];
            const int32_t wc = w[j + 1];
            for (size_t b = 0; b < bytes; ++b)
                s[b] += wa * a[b] + wc * c[b];
        }
        if (j < n) {
            const uint8_t* a = rowAt(first + j);
            const int32_t wa = w[j];
            for (size_t b = 0; b < bytes; ++b)
                s[b] += wa * a[b];
        }
        uint8_t* out = column_.data();
        for (size_t b = 0; b < bytes; ++b)
            out[b] = Clamp8(s[b] >> kReduceWeightBits);
        filtered = out;
    }

    uint8_t* out = target_ + k * targetStride_;
    if (IsPlainCopy(horizontal_, sourceWidth_, targetWidth_)) {
        std::memcpy(out, filtered, rowBytes_);
    } else {
        FilterRowOf(channels_, filtered, out, horizontal_, targetWidth_);
    }
}

bool IsGreyRamp(const LogPalette& palette) {
    if (palette.count != 256) return false;
    for (int i = 0; i < 256; ++i) {
        const PaletteEntry& e = palette.entries[i];
        if (e.red != i || e.green != i || e.blue != i) return false;
    }
    return true;
}

namespace {

bool HasGreyRamp(const CDibImage& image) {
    return image.BytesPerPixel() == 1 && image.Palette() != nullptr && IsGreyRamp(*image.Palette());
}

}  // namespace

bool CanReduceSmoothly(const CDibImage& image) {
    if (image.IsEmpty() || image.HasMask() || image.Transparent() != kNoColour) return false;
    return image.BytesPerPixel() == 3 || (image.BytesPerPixel() == 1 && image.Palette() != nullptr);
}

void ReduceImage(const CDibImage& source, CDibImage& target, Size size) {
    if (&source == &target || !CanReduceSmoothly(source) || size.width < 1 || size.height < 1) {
        Throw(kErrInvalidParameter, __LINE__);
    }
    const bool grey = HasGreyRamp(source);
    const bool expand = source.BytesPerPixel() == 1 && !grey;
    const int channels = grey ? 1 : 3;
    target.Create(size.width, size.height, channels, false);
    if (grey) *target.Palette() = *source.Palette();
    CRowReducer reducer(source.Width(), source.Height(), size.width, size.height, channels,
                        target.Bits(), target.Stride());
    const LogPalette* palette = source.Palette();
    for (int y = 0; y < source.Height(); ++y) {
        if (!expand) {
            reducer.PushStable(source.Row(y));
            continue;
        }
        const uint8_t* in = source.Row(y);
        uint8_t* out = reducer.Slot();
        for (int x = 0; x < source.Width(); ++x, out += 3) {
            const PaletteEntry& e = palette->entries[in[x]];
            out[0] = e.blue;
            out[1] = e.green;
            out[2] = e.red;
        }
        reducer.Commit();
    }
}

}  // namespace xelo
