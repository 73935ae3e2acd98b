#include "codec/Orientation.h"

#include <cstring>

namespace xelo {

Size OrientedSize(const Size& stored, int orientation) {
    return OrientationTransposes(orientation) ? Size{stored.height, stored.width} : stored;
}

int InverseOrientation(int orientation) {
    if (orientation == 6) return 8;
    if (orientation == 8) return 6;
    return orientation;
}

Rect OrientRect(const Rect& r, int orientation, const Size& s) {
    const int w = s.width, h = s.height;
    switch (orientation) {
        case 2: return {w - r.right, r.top, w - r.left, r.bottom};
        case 3: return {w - r.right, h - r.bottom, w - r.left, h - r.top};
        case 4: return {r.left, h - r.bottom, r.right, h - r.top};
        case 5: return {r.top, r.left, r.bottom, r.right};
        case 6: return {h - r.bottom, r.left, h - r.top, r.right};
        case 7: return {h - r.bottom, w - r.right, h - r.top, w - r.left};
        case 8: return {r.top, w - r.right, r.bottom, w - r.left};
        default: return r;
    }
}

void OrientImage(const CDibImage& source, CDibImage& target, int orientation) {
    const int w = source.Width(), h = source.Height();
    const Size size = OrientedSize(Size{w, h}, orientation);
    const int bpp = source.BytesPerPixel();
    target.Create(size.width, size.height, bpp, source.HasMask());
    if (target.IsEmpty()) return;
    if (source.Palette() != nullptr && target.Palette() != nullptr)
        *target.Palette() = *source.Palette();
    target.SetTransparent(source.Transparent());
    // Stored pixel (x, y) lands at x' = ax + bx·x + cx·y, y' = ay + by·x + cy·y.
    int ax = 0, bx = 1, cx = 0, ay = 0, by = 0, cy = 1;
    switch (orientation) {
        case 2: ax = w - 1, bx = -1; break;
        case 3: ax = w - 1, bx = -1, ay = h - 1, cy = -1; break;
        case 4: ay = h - 1, cy = -1; break;
        case 5: bx = 0, cx = 1, by = 1, cy = 0; break;
        case 6: ax = h - 1, bx = 0, cx = -1, by = 1, cy = 0; break;
        case 7: ax = h - 1, bx = 0, cx = -1, ay = w - 1, by = -1, cy = 0; break;
        case 8: bx = 0, cx = 1, ay = w - 1, by = -1, cy = 0; break;
        default: break;
    }
    const size_t stride = target.Stride(), maskStride = target.MaskStride();
    uint8_t* out = target.Bits();
    uint8_t* outMask = target.MaskBits();
    for (int y = 0; y < h; ++y) {
        const uint8_t* in = source.Row(y);
        const uint8_t* inMask = source.HasMask() ? source.MaskBits() + y * source.MaskStride() : nullptr;
        for (int x = 0; x < w; ++x) {
            const size_t tx = static_cast<size_t>(ax + bx * x + cx * y);
            const size_t ty = static_cast<size_t>(ay + by * x + cy * y);
            std::memcpy(out + ty * stride + tx * bpp, in + static_cast<size_t>(x) * bpp,
                        static_cast<size_t>(bpp));
            if (inMask != nullptr) outMask[ty * maskStride + tx] = inMask[x];
        }
    }
}

}  // namespace xelo
