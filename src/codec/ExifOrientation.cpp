#include "codec/ExifOrientation.h"

#include <cstring>

namespace xelo {

namespace {
constexpr uint16_t kOrientationTag = 0x0112;
constexpr uint16_t kShort = 3;
}  // namespace

int TiffBlockOrientation(const uint8_t* data, size_t size) {
    if (data == nullptr || size < 8) return 1;
    const bool big = data[0] == 'M' && data[1] == 'M';
    if (!big && !(data[0] == 'I' && data[1] == 'I')) return 1;
    auto get16 = [&](size_t at) -> uint32_t {
        return big ? (uint32_t{data[at]} << 8) | data[at + 1] : data[at] | (uint32_t{data[at + 1]} << 8);
    };
    auto get32 = [&](size_t at) -> uint32_t {
        return big ? (get16(at) << 16) | get16(at + 2) : get16(at) | (get16(at + 2) << 16);
    };
    const size_t ifd = get32(4);
    if (ifd > size - 2) return 1;
    const size_t count = get16(ifd);
    for (size_t i = 0; i < count; ++i) {
        const size_t entry = ifd + 2 + 12 * i;
        if (entry > size - 12) break;
        if (get16(entry) != kOrientationTag) continue;
        if (get16(entry + 2) != kShort || get32(entry + 4) < 1) return 1;
        const uint32_t value = get16(entry + 8);
        return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
    }
    return 1;
}

int JpegOrientation(const uint8_t* data, size_t size) {
    if (data == nullptr || size < 4 || data[0] != 0xFF || data[1] != 0xD8) return 1;
    size_t at = 2;
    while (at + 4 <= size) {
        if (data[at] != 0xFF) return 1;
        const uint8_t marker = data[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) return 1;  // the scan: no header segments follow
        const size_t length = (size_t{data[at + 2]} << 8) | data[at + 3];
        if (length < 2 || length > size - at - 2) return 1;
        const uint8_t* body = data + at + 4;
        if (marker == 0xE1 && length >= 8 && std::memcmp(body, "Exif\0\0", 6) == 0)
            return TiffBlockOrientation(body + 6, length - 8);
        at += 2 + length;
    }
    return 1;
}

}  // namespace xelo
