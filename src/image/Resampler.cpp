// The separable resampler with integer tent weights in percent.
#include "image/Resampler.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "image/DibImage.h"
#include "image/TavoException.h"

namespace xelo {

namespace {
constexpr uint32_t kUnit = 2;
constexpr int kMaxWindow = 101;

uint8_t Clamp255(int64_t v) {
    return static_cast<uint8_t>(std::clamp<int64_t>(v, 0, 255));
}

void FetchBgr(const uint8_t* bits, size_t stride, int bpp, const LogPalette* palette, int x, int y,
              uint8_t out[3]) {
    if (bpp == 3) {
        const uint8_t* p = bits + y * stride + static_cast<size_t>(x) * 3;
        out[0] = p[0];
        out[1] = p[1];
        out[2] = p[2];
    } else {
        const PaletteEntry& e = palette->entries[bits[y * stride + x]];
        out[0] = e.blue;
        out[1] = e.green;
        out[2] = e.red;
    }
}

// A source row turned into blue, green, red (1-byte rows through the palette).
const uint8_t* RowAsBgr(const uint8_t* bits, size_t stride, int bpp, const LogPalette* palette,
                        int width, int y, std::vector<uint8_t>& scratch) {
    if (bpp == 3) return bits + y * stride;
    scratch.resize(static_cast<size_t>(width) * 3);
    const uint8_t* row = bits + y * stride;
    for (int x = 0; x < width; ++x) {
        const PaletteEntry& e = palette->entries[row[x]];
        scratch[x * 3] = e.blue;
        scratch[x * 3 + 1] = e.green;
        scratch[x * 3 + 2] = e.red;
    }
    return scratch.data();
}

// Horizontal pass of one row of `channels` bytes per pixel.
void ScaleRow(const uint8_t* in, uint8_t* out, int channels, int targetLength,
              const WeightTable& table) {
    for (int i = 0; i < targetLength; ++i) {
        const uint16_t* w = table.WeightsOf(i);
        const int first = table.first[i];
        const int last = table.last[i];
        for (int c = 0; c < channels; ++c) {
            int64_t sum = 0;
            for (int k = first; k <= last; ++k)
                sum += int64_t{w[k - first]} * in[k * channels + c];
            out[i * channels + c] = Clamp255((sum + 50) / 100);
        }
    }
}

// Vertical pass: target row i from source rows first..last of `rowBytes` bytes each.
void ScaleColumns(const uint8_t* in, size_t inStride, uint8_t* out, size_t outStride,
                  size_t rowBytes, int targetLength, const WeightTable& table) {
    std::vector<int32_t> acc(rowBytes);
    for (int i = 0; i < targetLength; ++i) {
        std::fill(acc.begin(), acc.end(), 0);
        const uint16_t* w = table.WeightsOf(i);
        for (int k = table.first[i]; k <= table.last[i]; ++k) {
            const int32_t weight = w[k - table.first[i]];
            if (weight == 0) continue;
            const uint8_t* row = in + k * inStride;
            for (size_t b = 0; b < rowBytes; ++b)
                acc[b] += weight * row[b];
        }
        uint8_t* o = out + i * outStride;
        for (size_t b = 0; b < rowBytes; ++b)
            o[b] = Clamp255((acc[b] + 50) / 100);
    }
}

bool BuildTables(int sw, int sh, int tw, int th, WeightTable& horizontal, WeightTable& vertical) {
    try {
        if (sw != tw) horizontal = BuildWeightTable(sw, tw);
        if (sh != th) vertical = BuildWeightTable(sh, th);
    } catch (const CTavoException&) {
        return false;
    }
    return true;
}

// Two passes over a plane of `channels` bytes per pixel that is already in target byte order.
bool ResamplePlane(const uint8_t* source, size_t sourceStride, int sw, int sh, int channels,
                   uint8_t* target, size_t targetStride, int tw, int th,
                   const WeightTable& horizontal, const WeightTable& vertical) {
    if (sh == th) {
        for (int y = 0; y < sh; ++y) {
            ScaleRow(source + y * sourceStride, target + y * targetStride, channels, tw,
                     horizontal);
        }
        return true;
    }
    if (sw == tw) {
        ScaleColumns(source, sourceStride, target, targetStride, static_cast<size_t>(tw) * channels,
                     th, vertical);
        return true;
    }
    const size_t midStride = static_cast<size_t>(tw) * channels;
    uint8_t* mid = static_cast<uint8_t*>(std::malloc(midStride * sh));
    if (mid == nullptr) return false;
    for (int y = 0; y < sh; ++y) {
        ScaleRow(source + y * sourceStride, mid + y * midStride, channels, tw, horizontal);
    }
    ScaleColumns(mid, midStride, target, targetStride, midStride, th, vertical);
    std::free(mid);
    return true;
}

// A table that maps each index to itself (used by the one-pass variant for an unchanged axis).
WeightTable IdentityTable(int length) {
    WeightTable t;
    t.window = 1;
    t.first.resize(length);
    t.last.resize(length);
    t.weights.assign(length, 100);
    for (int i = 0; i < length; ++i)
        t.first[i] = t.last[i] = i;
    return t;
}

}  // namespace

WeightTable BuildWeightTable(int sourceLength, int targetLength) {
    if (sourceLength < 1 || targetLength < 1) {
        ThrowError(kErrInvalidParameter, {kComponentResampler, kUnit, __LINE__});
    }
    const int64_t S = sourceLength;
    const int64_t T = targetLength;
    // Shrinking by more than 100 times gives a scale of 0 percent; 1 keeps the arithmetic
    // defined and the window at its widest.
    int64_t scale = std::max<int64_t>(T * 100 / S, 1);
    int64_t radiusBelow = 1, radiusAbove = 1;
    int window = 3;
    if (scale < 100) {
        const int64_t span = 10000 / scale;
        radiusBelow = span / 100;
        radiusAbove = (span + 99) / 100;
        window = static_cast<int>(std::min<int64_t>(2 * radiusAbove + 1, kMaxWindow));
    } else {
        scale = 100;
    }
    const int64_t step = std::max<int64_t>(T * 10000 / S, 1);

    WeightTable table;
    try {
        table.window = window;
        table.first.resize(targetLength);
        table.last.resize(targetLength);
        table.weights.assign(static_cast<size_t>(targetLength) * window, 0);
    } catch (const std::bad_alloc&) {
        ThrowError(kErrNoMemory, {kComponentResampler, kUnit, __LINE__});
    }

    int64_t raw[kMaxWindow];
    for (int64_t i = 0; i < T; ++i) {
        const int64_t c = std::min((i * 10000 + (step + 1) / 2) / step, S - 1);
        int64_t first = std::max<int64_t>(c - radiusBelow, 0);
        int64_t last = std::min(c + radiusAbove, S - 1);
        while (last - first + 1 > window) {
            if ((last - first + 1) % 2 == 1) {
                ++first;
            } else {
                --last;
            }
        }
        const int count = static_cast<int>(last - first + 1);
        int64_t sum = 0;
        for (int j = 0; j < count; ++j) {
            const int64_t distance = std::abs(c - (first + j)) * scale;
            raw[j] = distance >= 100 ? 0 : (100 - distance) * scale;
            sum += raw[j];
        }
        uint16_t* w = table.weights.data() + i * window;
        int total = 0;
        int lastNonZero = -1;
        for (int j = 0; j < count; ++j) {
            w[j] = static_cast<uint16_t>(sum == 0 ? 100 / count : raw[j] * 100 / sum);
            total += w[j];
            if (w[j] != 0) lastNonZero = j;
        }
        // The rounding remainder goes to the last non-zero weight (to the centre when every
        // weight rounded to 0), so that the weights sum to exactly 100.
        const int target = lastNonZero >= 0 ? lastNonZero : static_cast<int>(c - first);
        w[target] = static_cast<uint16_t>(w[target] + (100 - total));
        table.first[i] = static_cast<int>(first);
        table.last[i] = static_cast<int>(last);
    }
    return table;
}

bool Resample24(const uint8_t* source, int sw, int sh, int sourcePad, int sourceBytesPerPixel,
                const LogPalette* palette, uint8_t* target, int tw, int th, int targetPad) {
    if (source == nullptr || target == nullptr || sw < 1 || sh < 1 || tw < 1 || th < 1) {
        return false;
    }
    if (sourceBytesPerPixel == 1 && palette == nullptr) return false;
    if (sourceBytesPerPixel != 1 && sourceBytesPerPixel != 3) return false;
    const size_t sourceStride = static_cast<size_t>(sw + sourcePad) * sourceBytesPerPixel;
    const size_t targetStride = static_cast<size_t>(tw + targetPad) * 3;

    if (sw == tw && sh == th) {
        std::vector<uint8_t> scratch;
        for (int y = 0; y < sh; ++y) {
            const uint8_t* row =
                RowAsBgr(source, sourceStride, sourceBytesPerPixel, palette, sw, y, scratch);
            std::memcpy(target + y * targetStride, row, static_cast<size_t>(sw) * 3);
        }
        return true;
    }

    WeightTable horizontal, vertical;
    if (!BuildTables(sw, sh, tw, th, horizontal, vertical)) return false;

    // A palette source is expanded to blue, green, red first, one plane the size of the source.
    std::vector<uint8_t> expanded;
    const uint8_t* plane = source;
    size_t planeStride = sourceStride;
    if (sourceBytesPerPixel == 1) {
        try {
            expanded.resize(static_cast<size_t>(sw) * 3 * sh);
        } catch (const std::bad_alloc&) {
            return Resample24OnePass(source, sw, sh, sourcePad, 1, palette, target, tw, th,
                                     targetPad);
        }
        std::vector<uint8_t> scratch;
        for (int y = 0; y < sh; ++y) {
            const uint8_t* row = RowAsBgr(source, sourceStride, 1, palette, sw, y, scratch);
            std::memcpy(expanded.data() + static_cast<size_t>(y) * sw * 3, row,
                        static_cast<size_t>(sw) * 3);
        }
        plane = expanded.data();
        planeStride = static_cast<size_t>(sw) * 3;
    }
    if (ResamplePlane(plane, planeStride, sw, sh, 3, target, targetStride, tw, th, horizontal,
                      vertical)) {
        return true;
    }
    return Resample24OnePass(source, sw, sh, sourcePad, sourceBytesPerPixel, palette, target, tw,
                             th, targetPad);
}

bool Resample24OnePass(const uint8_t* source, int sw, int sh, int sourcePad,
                       int sourceBytesPerPixel, const LogPalette* palette, uint8_t* target, int tw,
                       int th, int targetPad) {
    if (source == nullptr || target == nullptr || sw < 1 || sh < 1 || tw < 1 || th < 1) {
        return false;
    }
    if (sourceBytesPerPixel == 1 && palette == nullptr) return false;
    WeightTable horizontal, vertical;
    try {
        horizontal = sw == tw ? IdentityTable(tw) : BuildWeightTable(sw, tw);
        vertical = sh == th ? IdentityTable(th) : BuildWeightTable(sh, th);
    } catch (...) {
        return false;
    }
    const size_t sourceStride = static_cast<size_t>(sw + sourcePad) * sourceBytesPerPixel;
    const size_t targetStride = static_cast<size_t>(tw + targetPad) * 3;
    for (int y = 0; y < th; ++y) {
        const uint16_t* wy = vertical.WeightsOf(y);
        uint8_t* out = target + y * targetStride;
        for (int x = 0; x < tw; ++x) {
            const uint16_t* wx = horizontal.WeightsOf(x);
            int64_t sum[3] = {0, 0, 0};
            for (int ky = vertical.first[y]; ky <= vertical.last[y]; ++ky) {
                const int64_t weightY = wy[ky - vertical.first[y]];
                if (weightY == 0) continue;
                for (int kx = horizontal.first[x]; kx <= horizontal.last[x]; ++kx) {
                    const int64_t w = weightY * wx[kx - horizontal.first[x]];
                    uint8_t bgr[3];
                    FetchBgr(source, sourceStride, sourceBytesPerPixel, palette, kx, ky, bgr);
                    for (int c = 0; c < 3; ++c)
                        sum[c] += w * bgr[c];
                }
            }
            for (int c = 0; c < 3; ++c)
                out[x * 3 + c] = Clamp255((sum[c] + 5000) / 10000);
        }
    }
    return true;
}

bool Resample8(const uint8_t* source, int sw, int sh, int sourcePad, uint8_t* target, int tw,
               int th, int targetPad, int key) {
    if (source == nullptr || target == nullptr || sw < 1 || sh < 1 || tw < 1 || th < 1) {
        return false;
    }
    const size_t sourceStride = static_cast<size_t>(sw + sourcePad);
    const size_t targetStride = static_cast<size_t>(tw + targetPad);

    // With a key, the plane is first turned into coverage: 0 where it equals the key, else 255.
    std::vector<uint8_t> keyed;
    const uint8_t* plane = source;
    size_t planeStride = sourceStride;
    if (key >= 0 && key <= 255) {
        try {
            keyed.resize(static_cast<size_t>(sw) * sh);
        } catch (const std::bad_alloc&) {
            return false;
        }
        for (int y = 0; y < sh; ++y) {
            const uint8_t* row = source + y * sourceStride;
            for (int x = 0; x < sw; ++x)
                keyed[static_cast<size_t>(y) * sw + x] = row[x] == key ? 0 : 255;
        }
        plane = keyed.data();
        planeStride = static_cast<size_t>(sw);
    }

    if (sw == tw && sh == th) {
        for (int y = 0; y < sh; ++y) {
            std::memcpy(target + y * targetStride, plane + y * planeStride,
                        static_cast<size_t>(sw));
        }
        return true;
    }
    WeightTable horizontal, vertical;
    if (!BuildTables(sw, sh, tw, th, horizontal, vertical)) return false;
    return ResamplePlane(plane, planeStride, sw, sh, 1, target, targetStride, tw, th, horizontal,
                         vertical);
}

}  // namespace xelo
