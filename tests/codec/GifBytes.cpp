// Test GIF builder.
#include "codec/GifBytes.h"

#include <algorithm>

namespace xelo::test {

namespace {

// The table-size bits of a colour table holding at least `colours` entries.
int TableBits(int colours) {
    int bits = 1;
    while ((1 << bits) < colours)
        ++bits;
    return bits;
}

}  // namespace

GifBytes::GifBytes(int width, int height, int globalColours)
    : bytes_{'G', 'I', 'F', '8', '9', 'a'} {
    Le16(width);
    Le16(height);
    const int bits = TableBits(globalColours);
    Raw({static_cast<uint8_t>((globalColours ? 0x80 : 0) | (bits - 1)), 0, 0});
    for (int i = 0; globalColours && i < (1 << bits); ++i)
        bytes_.insert(bytes_.end(), 3, static_cast<uint8_t>(i));
}

void GifBytes::Le16(int v) {
    Raw({static_cast<uint8_t>(v & 0xFF), static_cast<uint8_t>((v >> 8) & 0xFF)});
}

GifBytes& GifBytes::Control(int disposal, int delay, int transparent, bool userInput) {
    Raw({0x21, 0xF9, 0x04});
    bytes_.push_back(
        static_cast<uint8_t>((disposal << 2) | (userInput ? 2 : 0) | (transparent >= 0 ? 1 : 0)));
    Le16(delay);
    return Raw({static_cast<uint8_t>(transparent >= 0 ? transparent : 0), 0});
}

GifBytes& GifBytes::Descriptor(int left, int top, int width, int height, bool interlaced,
                               int localColours) {
    bytes_.push_back(0x2C);
    for (const int v : {left, top, width, height})
        Le16(v);
    const int bits = TableBits(localColours);
    bytes_.push_back(
        static_cast<uint8_t>((localColours ? 0x80 | (bits - 1) : 0) | (interlaced ? 0x40 : 0)));
    for (int i = 0; localColours && i < (1 << bits); ++i)
        Raw({static_cast<uint8_t>(255 - i), 0, static_cast<uint8_t>(i)});
    return *this;
}

GifBytes& GifBytes::Codes(int minimumCodeSize, const std::vector<int>& codes, bool terminate) {
    bytes_.push_back(static_cast<uint8_t>(minimumCodeSize));
    const int clear = 1 << minimumCodeSize;
    int size = minimumCodeSize + 1;
    int next = clear + 2;
    std::vector<uint8_t> data;
    uint32_t buffer = 0;
    int count = 0;
    for (int code : codes) {
        buffer |= static_cast<uint32_t>(code) << count;
        for (count += size; count >= 8; count -= 8, buffer >>= 8)
            data.push_back(static_cast<uint8_t>(buffer & 0xFF));
        // The decoder's rule: the counter grows with every code and the size follows it.
        ++next;
        if (next > (1 << size) && size < 12) ++size;
        if (code == clear) size = minimumCodeSize + 1, next = clear + 2;
    }
    if (count > 0) data.push_back(static_cast<uint8_t>(buffer & 0xFF));
    for (size_t i = 0; i < data.size(); i += 255) {
        const size_t n = std::min<size_t>(255, data.size() - i);
        bytes_.push_back(static_cast<uint8_t>(n));
        bytes_.insert(bytes_.end(), data.begin() + static_cast<long>(i),
                      data.begin() + static_cast<long>(i + n));
    }
    if (terminate) bytes_.push_back(0);
    return *this;
}

GifBytes& GifBytes::Literals(int minimumCodeSize, const std::vector<uint8_t>& pixels) {
    const int clear = 1 << minimumCodeSize;
    const size_t run = static_cast<size_t>(std::max(1, clear - 2));
    std::vector<int> codes;
    for (size_t i = 0; i < pixels.size(); ++i) {
        if (i % run == 0) codes.push_back(clear);
        codes.push_back(pixels[i]);
    }
    codes.push_back(clear + 1);
    return Codes(minimumCodeSize, codes);
}

GifBytes& GifBytes::Raw(std::initializer_list<uint8_t> bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}

}  // namespace xelo::test
