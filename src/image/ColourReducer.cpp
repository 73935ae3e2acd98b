// ReduceColours: palette choice (median cut or a fixed palette, plus the key colour), then
// mapping through the lazily filled inverse colour map, optionally with serpentine
// Floyd–Steinberg diffusion whose errors are limited as in the IJG quantiser.
#include "image/ColourReducer.h"

#include <algorithm>
#include <memory>
#include <new>

#include "image/ColourHistogram.h"
#include "image/InverseColourMap.h"
#include "image/MedianCut.h"

namespace xelo {

namespace {

bool IsKey(const uint8_t* p, uint32_t key) {
    return key != kNoColour && p[0] == BlueOf(key) && p[1] == GreenOf(key) && p[2] == RedOf(key);
}

// Errors pass unchanged up to 15, grow at half rate from 16 (16…47 → 16…31) and stop at 32.
struct ErrorLimit {
    int table[511];
    ErrorLimit() {
        int out = 0;
        int in = 0;
        for (; in < 16; ++in, ++out)
            Set(in, out);
        for (; in < 48; ++in, out += (in & 1) ? 0 : 1)
            Set(in, out);
        for (; in <= 255; ++in)
            Set(in, out);
    }
    void Set(int in, int out) {
        table[255 + in] = out;
        table[255 - in] = -out;
    }
    int operator()(int e) const { return table[255 + std::clamp(e, -255, 255)]; }
};

// The range-limit table: 256 zeros, 0…255, 384 × 255, 384 zeros and the first 128 values of the
// identity again; index 256 + v clamps v to 0…255 for v from −256 to 639.
struct RangeLimit {
    uint8_t table[1408];
    RangeLimit() {
        int i = 0;
        for (int n = 0; n < 256; ++n)
            table[i++] = 0;
        for (int n = 0; n < 256; ++n)
            table[i++] = static_cast<uint8_t>(n);
        for (int n = 0; n < 384; ++n)
            table[i++] = 255;
        for (int n = 0; n < 384; ++n)
            table[i++] = 0;
        for (int n = 0; n < 128; ++n)
            table[i++] = static_cast<uint8_t>(n);
    }
    uint8_t operator()(int v) const { return table[256 + v]; }
};

class Mapper {
  public:
    Mapper(const Rect& rect, const BgrBuffer& source, uint8_t* target, int targetPad, int bpp,
           const PaletteEntry* palette, uint32_t key, int keyIndex, CInverseColourMap& map)
        : rect_(rect),
          source_(source),
          target_(target),
          targetStride_(static_cast<size_t>(source.width + targetPad) * bpp),
          bpp_(bpp),
          palette_(palette),
          key_(key),
          keyIndex_(keyIndex),
          map_(map) {}

    void Put(int x, int y, int index, const uint8_t* source) {
        uint8_t* out =
            target_ + static_cast<size_t>(y) * targetStride_ + static_cast<size_t>(x) * bpp_;
        if (bpp_ == 1) {
            *out = static_cast<uint8_t>(index);
        } else if (index == keyIndex_ && key_ != kNoColour && IsKey(source, key_)) {
            out[0] = BlueOf(key_);
            out[1] = GreenOf(key_);
            out[2] = RedOf(key_);
        } else {
            out[0] = palette_[index].blue;
            out[1] = palette_[index].green;
            out[2] = palette_[index].red;
        }
    }

    void Plain() {
        for (int y = rect_.top; y < rect_.bottom; ++y) {
            const uint8_t* p = source_.Pixel(rect_.left, y);
            for (int x = rect_.left; x < rect_.right; ++x, p += 3) {
                const uint8_t b = p[0], g = p[1], r = p[2];
                const int index = IsKey(p, key_) ? keyIndex_ : map_.Lookup(b, g, r);
                Put(x, y, index, p);
            }
        }
    }

    // Serpentine Floyd–Steinberg: 7/16 of a pixel's error goes ahead in its row, 3/16, 5/16 and
    // 1/16 to the pixels behind, under and ahead in the row below. `errors` has width + 2 slots.
    void Diffused(int32_t* errors) {
        static const ErrorLimit limit;
        static const RangeLimit range;
        const int width = rect_.Width();
        std::fill(errors, errors + static_cast<size_t>(width + 2) * 3, 0);
        for (int y = rect_.top; y < rect_.bottom; ++y) {
            const bool forward = ((y - rect_.top) & 1) == 0;
            const int dir = forward ? 1 : -1;
            int x = forward ? 0 : width - 1;
            int32_t* slot = errors + static_cast<size_t>(x + 1) * 3;  // this column's slot
            int cur[3] = {0, 0, 0};
            int below[3] = {0, 0, 0};
            int behind[3] = {0, 0, 0};
            for (int n = 0; n < width; ++n, x += dir, slot += 3 * dir) {
                const uint8_t* p = source_.Pixel(rect_.left + x, y);
                int index;
                if (IsKey(p, key_)) {
                    index = keyIndex_;
                    cur[0] = cur[1] = cur[2] = 0;
                } else {
                    int v[3];
                    for (int c = 0; c < 3; ++c) {
                        cur[c] = limit((cur[c] + slot[c] + 8) >> 4);
                        v[c] = range(cur[c] + p[c]);
                    }
                    index = map_.Lookup(static_cast<uint8_t>(v[0]), static_cast<uint8_t>(v[1]),
                                        static_cast<uint8_t>(v[2]));
                    const PaletteEntry& e = palette_[index];
                    cur[0] = v[0] - e.blue;
                    cur[1] = v[1] - e.green;
                    cur[2] = v[2] - e.red;
                }
                Put(rect_.left + x, y, index, p);
                for (int c = 0; c < 3; ++c) {
                    const int e = cur[c];
                    slot[c - 3 * dir] = behind[c] + e * 3;  // the slot just behind
                    behind[c] = below[c] + e * 5;
                    below[c] = e;
                    cur[c] = e * 7;
                }
            }
            // The slot behind the last pixel of the row.
            for (int c = 0; c < 3; ++c)
                slot[c - 3 * dir] = behind[c];
        }
    }

  private:
    Rect rect_;
    BgrBuffer source_;
    uint8_t* target_;
    size_t targetStride_;
    int bpp_;
    const PaletteEntry* palette_;
    uint32_t key_;
    int keyIndex_;
    CInverseColourMap& map_;
};

}  // namespace

int RoundColourCount(int requested) {
    for (int n = 2; n < 256; n <<= 1) {
        if (requested < n + 1) return n;
    }
    return 256;
}

bool ReduceColours(const Rect& rect, const BgrBuffer& source, uint8_t* targetBits, int targetPad,
                   int targetBytesPerPixel, const ColourReduction& options, LogPalette* palette,
                   int32_t& transparentIndex) {
    const Rect r = Intersect(rect, Rect{0, 0, source.width, source.height});
    if (source.bits == nullptr || r.IsEmpty()) return false;
    if (targetBits != nullptr && targetBytesPerPixel != 1 && targetBytesPerPixel != 3) return false;
    const uint32_t key = options.keyColour;

    ColourHistogram histogram;
    PaletteEntry entries[256];
    int count = 0;
    int keyIndex = -1;
    if (options.fixedPalette != nullptr) {
        count = std::min<int>(options.fixedPalette->count, 256);
        if (count == 0) return false;
        std::copy(options.fixedPalette->entries, options.fixedPalette->entries + count, entries);
        if (key != kNoColour) {
            if (transparentIndex >= 0 && transparentIndex < count) {
                keyIndex = transparentIndex;
            } else {
                keyIndex = count - 1;
                for (int i = 0; i < count; ++i) {
                    if (entries[i].red == RedOf(key) && entries[i].green == GreenOf(key) &&
                        entries[i].blue == BlueOf(key)) {
                        keyIndex = i;
                        break;
                    }
                }
            }
            entries[keyIndex] = PaletteEntry{RedOf(key), GreenOf(key), BlueOf(key), 0};
        }
    } else {
        for (int y = r.top; y < r.bottom; ++y) {
            const uint8_t* p = source.Pixel(r.left, y);
            for (int x = r.left; x < r.right; ++x, p += 3)
                histogram.Count(p[0], p[1], p[2]);
        }
        const int maxColours = std::clamp(options.maxColours, 1, 256);
        const int wanted = key != kNoColour ? std::max(1, maxColours - 1) : maxColours;
        count = MedianCut(histogram, wanted, entries);
        if (key != kNoColour) {
            // The key gets its own entry; a computed colour equal to it moves one step of green.
            for (int i = 0; i < count; ++i) {
                PaletteEntry& e = entries[i];
                if (e.red == RedOf(key) && e.green == GreenOf(key) && e.blue == BlueOf(key)) {
                    e.green = static_cast<uint8_t>(e.green < 128 ? e.green + 1 : e.green - 1);
                }
            }
            keyIndex = count;
            entries[count++] = PaletteEntry{RedOf(key), GreenOf(key), BlueOf(key), 0};
        }
    }
    transparentIndex = keyIndex;
    if (palette != nullptr) {
        *palette = LogPalette{};
        palette->count = static_cast<uint16_t>(count);
        std::copy(entries, entries + count, palette->entries);
    }
    if (targetBits == nullptr) return true;

    CInverseColourMap map(histogram, entries, count, keyIndex);
    Mapper mapper(r, source, targetBits, targetPad, targetBytesPerPixel, entries, key, keyIndex,
                  map);
    std::unique_ptr<int32_t[]> errors;
    if (options.dither)
        errors.reset(new (std::nothrow) int32_t[static_cast<size_t>(r.Width() + 2) * 3]);
    if (errors) {
        mapper.Diffused(errors.get());
    } else {
        mapper.Plain();
    }
    return true;
}

}  // namespace xelo
