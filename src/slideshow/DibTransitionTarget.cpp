// Blits, fills and the AND pattern of transitions on 3-byte-per-pixel images.
#include "slideshow/DibTransitionTarget.h"

#include <algorithm>
#include <cstring>

namespace xelo {

namespace {

constexpr int kBytesPerPixel = 3;
constexpr size_t kShortRowBytes = 4 * kBytesPerPixel;

bool IsTrueColour(const CDibImage& image) {
    return !image.IsEmpty() && image.BytesPerPixel() == kBytesPerPixel;
}

// True when `r` is not empty and lies wholly inside `image`.
bool Inside(const CDibImage& image, const Rect& r) {
    return !r.IsEmpty() && r.left >= 0 && r.top >= 0 && r.right <= image.Width() &&
           r.bottom <= image.Height();
}

Rect At(Point origin, const Rect& sizeOf) {
    return Rect{origin.x, origin.y, origin.x + sizeOf.Width(), origin.y + sizeOf.Height()};
}

uint8_t* PixelAt(CDibImage& image, int x, int y) {
    return image.Row(y) + static_cast<size_t>(x) * kBytesPerPixel;
}

const uint8_t* PixelAt(const CDibImage& image, int x, int y) {
    return image.Row(y) + static_cast<size_t>(x) * kBytesPerPixel;
}

// to[k] &= from[k] for `count` bytes, eight at a time where it can.
void AndBytes(uint8_t* to, const uint8_t* from, size_t count) {
    size_t k = 0;
    for (; k + 8 <= count; k += 8) {
        uint64_t a;
        uint64_t b;
        std::memcpy(&a, to + k, 8);
        std::memcpy(&b, from + k, 8);
        a &= b;
        std::memcpy(to + k, &a, 8);
    }
    for (; k < count; ++k)
        to[k] &= from[k];
}

}  // namespace

bool CDibTransitionTarget::CopyFromSlide(const CDibImage& slide, const Rect& dest, Point source) {
    if (!IsTrueColour(surface_) || !IsTrueColour(slide)) return false;
    if (!Inside(surface_, dest) || !Inside(slide, At(source, dest))) return false;
    const size_t rowBytes = static_cast<size_t>(dest.Width()) * kBytesPerPixel;
    if (rowBytes <= kShortRowBytes) {
        // Random bars draw one-pixel columns: a call to memcpy per row would cost more than
        // the copy itself.
        for (int y = 0; y < dest.Height(); ++y) {
            uint8_t* to = PixelAt(surface_, dest.left, dest.top + y);
            const uint8_t* from = PixelAt(slide, source.x, source.y + y);
            for (size_t k = 0; k < rowBytes; ++k)
                to[k] = from[k];
        }
        return true;
    }
    for (int y = 0; y < dest.Height(); ++y) {
        std::memcpy(PixelAt(surface_, dest.left, dest.top + y),
                    PixelAt(slide, source.x, source.y + y), rowBytes);
    }
    return true;
}

bool CDibTransitionTarget::CopyColumnsFromSlide(const CDibImage& slide, const Rect& dest,
                                                const int* columns, int count) {
    if (count <= 0) return true;
    if (!IsTrueColour(surface_) || !IsTrueColour(slide)) return false;
    const Rect span{columns[0], dest.top, columns[count - 1] + 1, dest.bottom};
    if (!Inside(surface_, span) || !Inside(slide, At(Point{span.left - dest.left, 0}, span))) {
        return false;
    }
    // Row by row, so each row of both pictures is walked once per call.
    for (int y = 0; y < dest.Height(); ++y) {
        uint8_t* to = surface_.Row(dest.top + y);
        const uint8_t* from = slide.Row(y);
        for (int i = 0; i < count; ++i) {
            uint8_t* p = to + static_cast<size_t>(columns[i]) * kBytesPerPixel;
            const uint8_t* q = from + static_cast<size_t>(columns[i] - dest.left) * kBytesPerPixel;
            p[0] = q[0];
            p[1] = q[1];
            p[2] = q[2];
        }
    }
    return true;
}

bool CDibTransitionTarget::CopyWithin(const Rect& dest, Point source) {
    if (!IsTrueColour(surface_)) return false;
    if (!Inside(surface_, dest) || !Inside(surface_, At(source, dest))) return false;
    const size_t rowBytes = static_cast<size_t>(dest.Width()) * kBytesPerPixel;
    const int rows = dest.Height();
    // Moving down walks the rows bottom-up so no source row is overwritten before it is read.
    const bool bottomUp = dest.top > source.y;
    for (int k = 0; k < rows; ++k) {
        const int y = bottomUp ? rows - 1 - k : k;
        std::memmove(PixelAt(surface_, dest.left, dest.top + y),
                     PixelAt(surface_, source.x, source.y + y), rowBytes);
    }
    return true;
}

bool CDibTransitionTarget::Fill(const Rect& dest, uint32_t colour) {
    if (!IsTrueColour(surface_) || !Inside(surface_, dest)) return false;
    const uint8_t blue = static_cast<uint8_t>(colour >> 16);
    const uint8_t green = static_cast<uint8_t>(colour >> 8);
    const uint8_t red = static_cast<uint8_t>(colour);
    for (int y = dest.top; y < dest.bottom; ++y) {
        uint8_t* p = PixelAt(surface_, dest.left, y);
        for (int x = dest.left; x < dest.right; ++x, p += kBytesPerPixel) {
            p[0] = blue;
            p[1] = green;
            p[2] = red;
        }
    }
    return true;
}

bool CDibTransitionTarget::AndPattern(const Rect& dest, const CDibImage& pattern) {
    if (!IsTrueColour(surface_) || !IsTrueColour(pattern) || !Inside(surface_, dest)) {
        return false;
    }
    const int ph = pattern.Height();
    const size_t patternRowBytes = static_cast<size_t>(pattern.Width()) * kBytesPerPixel;
    const size_t rowBytes = static_cast<size_t>(dest.Width()) * kBytesPerPixel;
    for (int y = dest.top; y < dest.bottom; ++y) {
        const uint8_t* patternRow = pattern.Row((y - dest.top) % ph);
        uint8_t* p = PixelAt(surface_, dest.left, y);
        // Whole repeats of the pattern row, then the rest; each chunk is a plain byte loop.
        for (size_t done = 0; done < rowBytes; done += patternRowBytes) {
            const size_t chunk = std::min(patternRowBytes, rowBytes - done);
            AndBytes(p + done, patternRow, chunk);
        }
    }
    return true;
}

void CDibTransitionTarget::Present(const Rect&) {}

}  // namespace xelo
