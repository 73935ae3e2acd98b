// Display gamma and the reduction of 24-bit buffers to 16- and 12-bit screens.
#include "image/DisplayReduction.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "image/ColourReducer.h"
#include "image/FixedPalette.h"

namespace xelo {

namespace {

bool IsKey(const uint8_t* p, uint32_t key) {
    return p[0] == BlueOf(key) && p[1] == GreenOf(key) && p[2] == RedOf(key);
}

Rect Visible(const Rect& region, const BgrBuffer& buffer) {
    return Intersect(region, Rect{0, 0, buffer.width, buffer.height});
}

// Serpentine Floyd–Steinberg over one channel set: the error of each pixel goes 7/16 to the next
// pixel of the row and 3/16, 5/16, 1/16 to the pixels behind, under and ahead in the row below.
// One row of errors (width + 2 entries of three values) carries what the row above passed down.
template <typename Quantise>
void Diffuse(const Rect& r, const BgrBuffer& buffer, uint32_t key, bool useKey, Quantise quantise) {
    const int width = r.Width();
    std::vector<int32_t> below(static_cast<size_t>(width + 2) * 3, 0);
    for (int y = r.top; y < r.bottom; ++y) {
        const bool forward = ((y - r.top) % 2) == 0;
        const int dir = forward ? 1 : -1;
        int32_t carry[3] = {0, 0, 0};     // 7e from the previous pixel of this row
        int32_t partHere[3] = {0, 0, 0};  // what the row below has so far at this column
        int32_t partBehind[3] = {0, 0, 0};
        int x = forward ? 0 : width - 1;
        for (int n = 0; n < width; ++n, x += dir) {
            uint8_t* p = buffer.Pixel(r.left + x, y);
            const bool keep = useKey && IsKey(p, key);
            const int slot = x + 1;
            for (int c = 0; c < 3; ++c) {
                const int32_t acc = carry[c] + below[slot * 3 + c];
                const int value = std::clamp(p[c] + (acc + 8) / 16, 0, 255);
                const int level = quantise(c, value);
                const int32_t e = value - level;
                if (!keep) p[c] = static_cast<uint8_t>(level);
                below[(slot - dir) * 3 + c] = partBehind[c] + 3 * e;
                partBehind[c] = partHere[c] + 5 * e;
                partHere[c] = e;
                carry[c] = 7 * e;
            }
        }
        // The last pixel's column keeps its 1e + 5e; the slot past the row end is padding.
        const int lastSlot = (forward ? width - 1 : 0) + 1;
        for (int c = 0; c < 3; ++c) {
            below[lastSlot * 3 + c] = partBehind[c];
            below[(lastSlot + dir) * 3 + c] = 0;
        }
    }
}

}  // namespace

int ColourCountFor(int bitsPerPixel, int statedColours) {
    if (bitsPerPixel > 8) return bitsPerPixel >= 30 ? (1 << 30) : (2 << bitsPerPixel);
    return statedColours;
}

int AdjustColourCountForDevice(int colourCount, std::string_view oemInfo) {
    if (colourCount == 131072 && (oemInfo.find("iPAQ H36") != std::string_view::npos ||
                                  oemInfo.find("Jornada 54") != std::string_view::npos)) {
        return 4096;
    }
    return colourCount;
}

int EffectiveDisplayMode(int mode, const ScreenCaps& screen) {
    switch (mode) {
        case kDisplay16Bit:
        case kDisplay12Bit:
        case kDisplay8Bit:
            return mode;
        case kDisplayAutomatic:
            if (screen.bitsPerPixel > 16) return kDisplayNone;
            if (screen.colourCount == 4096) return kDisplay12Bit;
            if (screen.colourCount > 4096) return kDisplay16Bit;
            return kDisplay8Bit;
        default:
            return kDisplayNone;
    }
}

void BuildGammaTable(int percent, uint8_t table[256]) {
    const double exponent = 100.0 / percent;
    for (int i = 0; i < 256; ++i) {
        const double v = std::pow(i / 256.0, exponent) * 256.0;
        table[i] = static_cast<uint8_t>(std::min(255.0, std::trunc(v)));
    }
}

void AdjustGamma(const Rect& region, const BgrBuffer& buffer, uint32_t keyColour, bool useKey,
                 int percent) {
    if (percent <= 0 || percent == 100 || buffer.bits == nullptr) return;
    const Rect r = Visible(region, buffer);
    if (r.IsEmpty()) return;
    uint8_t table[256];
    BuildGammaTable(percent, table);
    for (int y = r.top; y < r.bottom; ++y) {
        uint8_t* p = buffer.Pixel(r.left, y);
        for (int x = r.left; x < r.right; ++x, p += 3) {
            if (useKey && IsKey(p, keyColour)) continue;
            p[0] = table[p[0]];
            p[1] = table[p[1]];
            p[2] = table[p[2]];
        }
    }
}

uint8_t Level12Bit(int value) {
    if (value < 8) return 0;
    return static_cast<uint8_t>(std::min(15, (value - 8) / 17 + 1) * 17);
}

uint8_t Level16BitRedBlue(int value) {
    return static_cast<uint8_t>(std::min(0xF8, (value + 4) & ~7));
}

uint8_t Level16BitGreen(int value) {
    return static_cast<uint8_t>(std::min(0xFC, (value + 2) & ~3));
}

void ReduceForDisplay(const Rect& region, const BgrBuffer& buffer, int mode, uint32_t keyColour,
                      bool useKey, const ScreenCaps& screen) {
    if (buffer.bits == nullptr) return;
    const Rect r = Visible(region, buffer);
    if (r.IsEmpty()) return;
    switch (EffectiveDisplayMode(mode, screen)) {
        case kDisplay12Bit:
            Diffuse(r, buffer, keyColour, useKey, [](int, int v) { return Level12Bit(v); });
            break;
        case kDisplay16Bit:
            // Channel 1 is green: 6 bits on a 5-6-5 screen.
            Diffuse(r, buffer, keyColour, useKey, [](int c, int v) {
                return c == 1 ? Level16BitGreen(v) : Level16BitRedBlue(v);
            });
            break;
        case kDisplay8Bit: {
            // The fixed palette with error diffusion; key-coloured pixels keep the key.
            ColourReduction options;
            options.dither = true;
            options.fixedPalette = &FixedPalette();
            options.keyColour = useKey ? keyColour : kNoColour;
            int32_t transparentIndex = -1;
            ReduceColours(r, buffer, buffer.bits, buffer.pad, 3, options, nullptr,
                          transparentIndex);
            break;
        }
        default:
            // None, and deep screens, need nothing.
            break;
    }
}

}  // namespace xelo
