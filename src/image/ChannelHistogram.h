// The four channel histograms of a picture: luminance, red, green and blue, 256 bins each.
#pragma once

#include <array>
#include <cstdint>

#include "image/DibImage.h"

namespace xelo {

enum HistogramChannel : int { kChannelLuminance = 0, kChannelRed = 1, kChannelGreen = 2, kChannelBlue = 3 };

using HistogramBins = std::array<uint32_t, 256>;

// Luminance of one pixel: (587 G + 299 R + 114 B) / 1000, integer division.
constexpr int Luminance(int red, int green, int blue) {
    return (587 * green + 299 * red + 114 * blue) / 1000;
}

// Counts every pixel of `image` (3 bytes, or 1 byte through its palette) into the four channels.
// An empty image, or a 1-byte one without palette, leaves all bins 0.
std::array<HistogramBins, 4> CountChannels(const CDibImage& image);

}  // namespace xelo
