// JPEG files made by our own writer for the codec tests.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "codec/JpegCodec.h"
#include "image/DibImage.h"
#include "support/TempDir.h"
#include "support/TestData.h"

namespace xelo::test {

struct Bgr {
    uint8_t blue = 0, green = 0, red = 0;
};

inline void Fill(CDibImage& image, const std::function<Bgr(int, int)>& pixel) {
    for (int y = 0; y < image.Height(); ++y) {
        uint8_t* row = image.Row(y);
        for (int x = 0; x < image.Width(); ++x) {
            const Bgr p = pixel(x, y);
            row[3 * x] = p.blue;
            row[3 * x + 1] = p.green;
            row[3 * x + 2] = p.red;
        }
    }
}

// The bytes of a width × height JPEG whose pixels are `pixel(x, y)`.
inline std::vector<uint8_t> MakeJpeg(int width, int height,
                                     const std::function<Bgr(int, int)>& pixel, int quality = 90) {
    CDibImage image;
    image.Create(width, height, 3, false);
    Fill(image, pixel);
    TempDir dir;
    JpegWriterSettings settings;
    settings.quality = static_cast<uint16_t>(quality);
    WriteJpeg(settings, dir.File("made.jpg"), image, 100);
    return ReadBytes(dir.File("made.jpg"));
}

inline std::vector<uint8_t> MakeFlatJpeg(int width, int height, Bgr colour) {
    return MakeJpeg(width, height, [colour](int, int) { return colour; });
}

// Offset of the first marker `code` (FF code) at or after `from`, or the size when none.
inline size_t FindMarker(const std::vector<uint8_t>& bytes, uint8_t code, size_t from = 2) {
    for (size_t i = from; i + 1 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == code) return i;
    }
    return bytes.size();
}

}  // namespace xelo::test
