// Channel histograms.
#include "image/ChannelHistogram.h"

#include <algorithm>

namespace xelo {

std::array<HistogramBins, 4> CountChannels(const CDibImage& image) {
    std::array<HistogramBins, 4> bins{};
    const int bpp = image.BytesPerPixel();
    if (image.IsEmpty() || (bpp == 1 && image.Palette() == nullptr)) return bins;
    auto count = [&bins](int red, int green, int blue) {
        ++bins[kChannelLuminance][std::min(Luminance(red, green, blue), 255)];
        ++bins[kChannelRed][red];
        ++bins[kChannelGreen][green];
        ++bins[kChannelBlue][blue];
    };
    for (int y = 0; y < image.Height(); ++y) {
        const uint8_t* p = image.Row(y);
        for (int x = 0; x < image.Width(); ++x) {
            if (bpp == 3) {
                count(p[2], p[1], p[0]);
                p += 3;
            } else {
                const PaletteEntry& e = image.Palette()->entries[*p++];
                count(e.red, e.green, e.blue);
            }
        }
    }
    return bins;
}

}  // namespace xelo
