// A grey zone plate, cos(a·r²) around the centre rising to 0.45 cycles per pixel at the corners,
// the picture that shows aliasing most plainly.
#pragma once

#include <cmath>
#include <cstdint>

#include "image/DibImage.h"

namespace xelo::test {

inline void SetGreyRamp(CDibImage& image) {
    image.Palette()->count = 256;
    for (int i = 0; i < 256; ++i) {
        const auto v = static_cast<uint8_t>(i);
        image.Palette()->entries[i] = PaletteEntry{v, v, v, 0};
    }
}

// Cycles per pixel of the plate at (x, y).
inline double ZonePlateFrequency(int width, int height, double x, double y) {
    return 0.45 * std::hypot(x - width / 2.0, y - height / 2.0) /
           std::hypot(width / 2.0, height / 2.0);
}

// 3 bytes per pixel, or 1 with the grey ramp.
inline void ZonePlate(CDibImage& image, int width, int height, int bytesPerPixel) {
    image.Create(width, height, bytesPerPixel, false);
    if (bytesPerPixel == 1) SetGreyRamp(image);
    const double a = 0.45 * M_PI / std::hypot(width / 2.0, height / 2.0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double r2 =
                std::pow(x + 0.5 - width / 2.0, 2) + std::pow(y + 0.5 - height / 2.0, 2);
            const auto v = static_cast<uint8_t>(std::lround(127.5 + 127.5 * std::cos(a * r2)));
            for (int c = 0; c < bytesPerPixel; ++c)
                image.Row(y)[x * bytesPerPixel + c] = v;
        }
    }
}

// Root-mean-square distance from mid-grey where the plate is finer than `cycles` (source pixels).
inline double MoireAbove(const CDibImage& small, int width, int height, double cycles) {
    const double scale = static_cast<double>(width) / small.Width();
    double sum = 0;
    int count = 0;
    for (int y = 0; y < small.Height(); ++y) {
        for (int x = 0; x < small.Width(); ++x) {
            if (ZonePlateFrequency(width, height, (x + 0.5) * scale, (y + 0.5) * scale) < cycles) {
                continue;
            }
            const int v = small.Row(y)[x * small.BytesPerPixel()];
            sum += (v - 127.5) * (v - 127.5);
            ++count;
        }
    }
    return count == 0 ? 1e9 : std::sqrt(sum / count);
}

}  // namespace xelo::test
