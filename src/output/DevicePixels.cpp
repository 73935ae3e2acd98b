#include "output/DevicePixels.h"

#include <algorithm>
#include <cstring>

namespace xelo::output {

namespace {

int BytesPerPixel(int32_t format) {
    switch (format) {
        case XELO_PIXELS_XRGB8888:
            return 4;
        case XELO_PIXELS_RGB565:
            return 2;
        default:
            return 0;
    }
}

void WriteXrgb(uint8_t* out, const uint8_t* bgr, int count) {
    for (int x = 0; x < count; ++x, bgr += 3, out += 4) {
        const uint32_t word = (uint32_t{bgr[2]} << 16) | (uint32_t{bgr[1]} << 8) | bgr[0];
        std::memcpy(out, &word, 4);
    }
}

void WriteRgb565(uint8_t* out, const uint8_t* bgr, int count) {
    for (int x = 0; x < count; ++x, bgr += 3, out += 2) {
        const auto word = static_cast<uint16_t>(((bgr[2] >> 3) << 11) | ((bgr[1] >> 2) << 5) |
                                                (bgr[0] >> 3));
        std::memcpy(out, &word, 2);
    }
}

}  // namespace

bool UsableSurface(const XeloDeviceContext& dc) {
    const int bytes = BytesPerPixel(dc.pixelFormat);
    return dc.pixels != nullptr && bytes != 0 && dc.width > 0 && dc.height > 0 &&
           dc.stride >= static_cast<int64_t>(dc.width) * bytes;
}

bool FillDeviceBlack(XeloDeviceContext& dc) {
    if (!UsableSurface(dc)) return false;
    const size_t rowBytes = static_cast<size_t>(dc.width) * static_cast<size_t>(BytesPerPixel(dc.pixelFormat));
    for (int y = 0; y < dc.height; ++y)
        std::memset(dc.pixels + static_cast<size_t>(y) * static_cast<size_t>(dc.stride), 0, rowBytes);
    return true;
}

bool CopyToDevice(const CDibImage& picture, XeloDeviceContext& dc) {
    if (!UsableSurface(dc) || picture.IsEmpty() || picture.BytesPerPixel() != 3) return false;
    const int bytes = BytesPerPixel(dc.pixelFormat);
    const int width = std::min(picture.Width(), dc.width);
    const int height = std::min(picture.Height(), dc.height);
    for (int y = 0; y < dc.height; ++y) {
        uint8_t* out = dc.pixels + static_cast<size_t>(y) * static_cast<size_t>(dc.stride);
        int done = 0;
        if (y < height) {
            if (bytes == 4) {
                WriteXrgb(out, picture.Row(y), width);
            } else {
                WriteRgb565(out, picture.Row(y), width);
            }
            done = width;
        }
        std::memset(out + static_cast<size_t>(done) * static_cast<size_t>(bytes), 0,
                    static_cast<size_t>(dc.width - done) * static_cast<size_t>(bytes));
    }
    return true;
}

}  // namespace xelo::output
