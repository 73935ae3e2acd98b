// RenderTransformed: nearest-neighbour scaling in any of the eight orientations, integer only,
// reusing the previous target row or pixel whenever the source index repeats; unscaled opaque
// pictures are copied row by row, or in column strips when turned a quarter.
#include "image/RenderTransformed.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

namespace xelo {

namespace {

enum class Transfer { kPaletteOpaque, kPaletteKeyed, kCopy, kKeyed, kMasked };

struct Mapping {
    std::vector<int> alongX;  // per target column: source column (even) or row (odd)
    std::vector<int> alongY;  // per target row: source row (even) or column (odd)
};

// Marks a target column or row whose source lies outside the shown part: it is left as it is.
constexpr int kOutside = -1;

// `v` minus `base` when it lies in lo … hi, else kOutside (lo >= base, so a kept value is >= 0).
int Inside(int64_t v, int lo, int hi, int base) {
    return v < lo || v > hi ? kOutside : static_cast<int>(v) - base;
}

Mapping BuildMapping(int orientation, const Rect& destRect, const Rect& visibleTarget,
                     const Rect& visibleSource, int W, int H, Point offset) {
    const int64_t dw = destRect.Width();
    const int64_t dh = destRect.Height();
    const int colLo = visibleSource.left, colHi = visibleSource.right - 1;
    const int rowLo = visibleSource.top, rowHi = visibleSource.bottom - 1;
    Mapping m;
    m.alongX.resize(visibleTarget.Width());
    m.alongY.resize(visibleTarget.Height());
    for (int x = visibleTarget.left; x < visibleTarget.right; ++x) {
        const int64_t X = x - destRect.left;
        int v = 0;
        switch (orientation) {
            case kOrientNormal:
            case kOrientMirrorTopBottom:
                v = Inside(X * W / dw, colLo, colHi, offset.x);
                break;
            case kOrientRotate180:
            case kOrientMirrorLeftRight:
                v = Inside(W - 1 - X * W / dw, colLo, colHi, offset.x);
                break;
            case kOrientRotate90:
            case kOrientTransverse:
                v = Inside(H - 1 - X * H / dw, rowLo, rowHi, offset.y);
                break;
            default:
                v = Inside(X * H / dw, rowLo, rowHi, offset.y);
                break;  // 3, 5
        }
        m.alongX[x - visibleTarget.left] = v;
    }
    for (int y = visibleTarget.top; y < visibleTarget.bottom; ++y) {
        const int64_t Y = y - destRect.top;
        int v = 0;
        switch (orientation) {
            case kOrientNormal:
            case kOrientMirrorLeftRight:
                v = Inside(Y * H / dh, rowLo, rowHi, offset.y);
                break;
            case kOrientRotate180:
            case kOrientMirrorTopBottom:
                v = Inside(H - 1 - Y * H / dh, rowLo, rowHi, offset.y);
                break;
            case kOrientRotate90:
            case kOrientTranspose:
                v = Inside(Y * W / dh, colLo, colHi, offset.x);
                break;
            default:
                v = Inside(W - 1 - Y * W / dh, colLo, colHi, offset.x);
                break;  // 3, 7
        }
        m.alongY[y - visibleTarget.top] = v;
    }
    return m;
}

template <Transfer kMode>
void RenderLines(const CDibImage& image, const BgrBuffer& target, const Rect& vt, const Mapping& m,
                 bool swapAxes) {
    const int bpp = image.BytesPerPixel();
    const size_t stride = image.Stride();
    const size_t maskStride = image.MaskStride();
    const uint8_t* bits = image.Bits();
    const uint8_t* maskBits = image.MaskBits();
    const PaletteEntry* palette = image.Palette() ? image.Palette()->entries : nullptr;
    const uint32_t key = image.Transparent();
    const uint8_t keyB = BlueOf(key), keyG = GreenOf(key), keyR = RedOf(key);
    // Copying a previous row or pixel is exact only when nothing shows the target through.
    constexpr bool kOpaque = kMode == Transfer::kPaletteOpaque || kMode == Transfer::kCopy;
    const size_t rowBytes = static_cast<size_t>(vt.Width()) * 3;

    for (int ty = 0; ty < vt.Height(); ++ty) {
        uint8_t* out = target.Pixel(vt.left, vt.top + ty);
        const int b = m.alongY[ty];
        if (b == kOutside) continue;
        if (kOpaque && ty > 0 && b == m.alongY[ty - 1]) {
            std::memcpy(out, out - target.Stride(), rowBytes);
            continue;
        }
        for (int tx = 0; tx < vt.Width(); ++tx, out += 3) {
            const int a = m.alongX[tx];
            if (a == kOutside) continue;
            if (kOpaque && tx > 0 && a == m.alongX[tx - 1]) {
                out[0] = out[-3];
                out[1] = out[-2];
                out[2] = out[-1];
                continue;
            }
            const int col = swapAxes ? b : a;
            const int row = swapAxes ? a : b;
            const uint8_t* p = bits + row * stride + static_cast<size_t>(col) * bpp;
            if constexpr (kMode == Transfer::kPaletteOpaque || kMode == Transfer::kPaletteKeyed) {
                if (kMode == Transfer::kPaletteKeyed && *p == key) continue;
                const PaletteEntry& e = palette[*p];
                out[0] = e.blue;
                out[1] = e.green;
                out[2] = e.red;
            } else if constexpr (kMode == Transfer::kCopy) {
                out[0] = p[0];
                out[1] = p[1];
                out[2] = p[2];
            } else if constexpr (kMode == Transfer::kKeyed) {
                if (p[0] == keyB && p[1] == keyG && p[2] == keyR) continue;
                out[0] = p[0];
                out[1] = p[1];
                out[2] = p[2];
            } else {
                const unsigned coverage = maskBits[row * maskStride + col];
                if (coverage == 0) continue;
                for (int c = 0; c < 3; ++c) {
                    out[c] =
                        static_cast<uint8_t>((p[c] * coverage + (255 - coverage) * out[c]) / 255);
                }
            }
        }
    }
}

// The step between neighbouring entries when they all differ by the same +1 or -1 and none
// lies outside the shown part, else 0. A unit-stepping run is monotonic, so its ends decide.
int UnitStep(const std::vector<int>& v) {
    if (v.empty() || v.front() == kOutside || v.back() == kOutside) return 0;
    if (v.size() < 2) return 1;
    const int step = v[1] - v[0];
    if (step != 1 && step != -1) return 0;
    for (size_t i = 2; i < v.size(); ++i) {
        if (v[i] - v[i - 1] != step) return 0;
    }
    return step;
}

// An opaque true-colour picture turned a quarter and shown at its own size. Each target row
// walks down a source column, so a row-by-row copy reads a new source line (and page) for
// every pixel, thousands of them before the next row comes back to the first. Walking the
// target in strips of 64 columns reads only 64 source lines at a time, each front to back as
// the strip goes down, which the cache and the prefetcher follow. Returns false when the
// picture is scaled: the per-pixel path handles that.
bool CopyQuarterTurnUnscaled(const CDibImage& image, const BgrBuffer& target, const Rect& vt,
                             const Mapping& m) {
    // Along a target row the source row steps by one, down a target column the source column.
    const int rowStep = UnitStep(m.alongX);
    const int colStep = UnitStep(m.alongY);
    if (rowStep == 0 || colStep == 0) return false;

    const ptrdiff_t bpp = image.BytesPerPixel();
    const ptrdiff_t alongX = rowStep * static_cast<ptrdiff_t>(image.Stride());
    const ptrdiff_t alongY = colStep * bpp;
    // Byte offset of the source pixel the top-left visible target pixel shows.
    const ptrdiff_t origin =
        m.alongX[0] * static_cast<ptrdiff_t>(image.Stride()) + m.alongY[0] * bpp;
    const uint8_t* bits = image.Bits();

    constexpr int kStrip = 64;
    const int width = vt.Width();
    const int height = vt.Height();
    for (int x0 = 0; x0 < width; x0 += kStrip) {
        const int x1 = std::min(x0 + kStrip, width);
        for (int ty = 0; ty < height; ++ty) {
            uint8_t* out = target.Pixel(vt.left + x0, vt.top + ty);
            ptrdiff_t at = origin + ty * alongY + x0 * alongX;
            for (int tx = x0; tx < x1; ++tx, out += 3, at += alongX) {
                out[0] = bits[at];
                out[1] = bits[at + 1];
                out[2] = bits[at + 2];
            }
        }
    }
    return true;
}

// An opaque true-colour picture shown upright or mirrored at its own size: each target row is
// one source row, copied whole (or backwards for a left-right mirror). Returns false when the
// picture is scaled.
bool CopyUprightUnscaled(const CDibImage& image, const BgrBuffer& target, const Rect& vt,
                         const Mapping& m) {
    const int colStep = UnitStep(m.alongX);
    const int rowStep = UnitStep(m.alongY);
    if (colStep == 0 || rowStep == 0) return false;
    const size_t bpp = static_cast<size_t>(image.BytesPerPixel());
    const int width = vt.Width();
    for (int ty = 0; ty < vt.Height(); ++ty) {
        uint8_t* out = target.Pixel(vt.left, vt.top + ty);
        const uint8_t* row = image.Bits() + static_cast<size_t>(m.alongY[ty]) * image.Stride();
        if (colStep > 0 && bpp == 3) {
            std::memcpy(out, row + static_cast<size_t>(m.alongX[0]) * 3,
                        static_cast<size_t>(width) * 3);
            continue;
        }
        const ptrdiff_t step = colStep * static_cast<ptrdiff_t>(bpp);
        const uint8_t* p = row + static_cast<size_t>(m.alongX[0]) * bpp;
        for (int tx = 0; tx < width; ++tx, out += 3, p += step) {
            out[0] = p[0];
            out[1] = p[1];
            out[2] = p[2];
        }
    }
    return true;
}

}  // namespace

void RenderTransformed(const CDibImage& image, const Rect& destRect, const BgrBuffer& target,
                       const std::optional<Rect>& clip, int orientation,
                       const RenderSource& source) {
    if (image.IsEmpty() || target.bits == nullptr || orientation < 0 || orientation > 7) return;
    if (image.BytesPerPixel() == 1 && image.Palette() == nullptr) return;
    if (destRect.IsEmpty()) return;

    Rect vt = Intersect(destRect, Rect{0, 0, target.width, target.height});
    if (clip) vt = Intersect(vt, *clip);
    const Size logical = source.size.value_or(Size{image.Width(), image.Height()});
    const Rect imageRect{source.offset.x, source.offset.y, source.offset.x + image.Width(),
                         source.offset.y + image.Height()};
    Rect vs = Intersect(imageRect, Rect{0, 0, logical.width, logical.height});
    if (source.clip) vs = Intersect(vs, *source.clip);
    if (vt.IsEmpty() || vs.IsEmpty()) return;

    const Mapping m =
        BuildMapping(orientation, destRect, vt, vs, logical.width, logical.height, source.offset);
    const bool swap = SwapsAxes(orientation);
    const uint32_t key = image.Transparent();
    if (image.BytesPerPixel() == 1) {
        if (key == kNoColour || key > 255) {
            RenderLines<Transfer::kPaletteOpaque>(image, target, vt, m, swap);
        } else {
            RenderLines<Transfer::kPaletteKeyed>(image, target, vt, m, swap);
        }
    } else if (key == kNoColour) {
        const bool copied = swap ? CopyQuarterTurnUnscaled(image, target, vt, m)
                                 : CopyUprightUnscaled(image, target, vt, m);
        if (!copied) RenderLines<Transfer::kCopy>(image, target, vt, m, swap);
    } else if (!image.HasMask()) {
        RenderLines<Transfer::kKeyed>(image, target, vt, m, swap);
    } else {
        RenderLines<Transfer::kMasked>(image, target, vt, m, swap);
    }
}

}  // namespace xelo
