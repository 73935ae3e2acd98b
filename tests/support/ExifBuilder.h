// Builds Exif APP1 segments byte by byte for tests, fuzz seeds and benchmarks: IFD0, the Exif
// IFD, IFD1 with an optional JPEG thumbnail and the interoperability IFD, in either byte order.
// Header-only and free of GoogleTest so that bench/ can use it too.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace xelo::test {

class ExifBuilder {
  public:
    enum Ifd { kIfd0 = 0, kExif = 1, kIfd1 = 2, kInterop = 3 };

    explicit ExifBuilder(bool bigEndian) : big_(bigEndian) {}

    // An entry whose value bytes are given as they are stored (already in the byte order).
    void Raw(Ifd ifd, uint16_t tag, uint16_t type, uint32_t count, std::vector<uint8_t> value) {
        ifds_[ifd].push_back(Entry{tag, type, count, std::move(value), false});
    }
    // Values of any type as numbers: rationals as numerator, denominator pairs, bytes for
    // ASCII and UNDEFINED.
    void Values(Ifd ifd, uint16_t tag, uint16_t type, const std::vector<uint32_t>& values) {
        std::vector<uint8_t> b;
        for (uint32_t v : values) {
            if (type == 3)
                Put16(b, static_cast<uint16_t>(v));
            else if (type == 2 || type == 7)
                b.push_back(static_cast<uint8_t>(v));
            else
                Put32(b, v);
        }
        const size_t n = (type == 5 || type == 10) ? values.size() / 2 : values.size();
        Raw(ifd, tag, type, static_cast<uint32_t>(n), std::move(b));
    }
    void Short(Ifd ifd, uint16_t tag, std::initializer_list<uint16_t> values) {
        Values(ifd, tag, 3, std::vector<uint32_t>(values.begin(), values.end()));
    }
    void Long(Ifd ifd, uint16_t tag, std::initializer_list<uint32_t> values) {
        Values(ifd, tag, 4, values);
    }
    void Rational(Ifd ifd, uint16_t tag,
                  std::initializer_list<std::pair<uint32_t, uint32_t>> values,
                  bool isSigned = false) {
        std::vector<uint32_t> numbers;
        for (const auto& [n, d] : values)
            numbers.insert(numbers.end(), {n, d});
        Values(ifd, tag, isSigned ? 10 : 5, numbers);
    }
    void Ascii(Ifd ifd, uint16_t tag, const std::string& text) {
        std::vector<uint8_t> b(text.begin(), text.end());
        b.push_back(0);
        Undefined(ifd, tag, std::move(b));
        ifds_[ifd].back().type = 2;
    }
    void Undefined(Ifd ifd, uint16_t tag, std::vector<uint8_t> bytes) {
        const auto n = static_cast<uint32_t>(bytes.size());
        Raw(ifd, tag, 7, n, std::move(bytes));
    }
    // IFD1 gets Compression 6 and the thumbnail's offset and length; the bytes go at the end.
    void SetThumbnail(std::vector<uint8_t> jpeg) {
        thumbnail_ = std::move(jpeg);
        Short(kIfd1, 0x0103, {6});
        ifds_[kIfd1].push_back(Entry{0x0201, 4, 1, {}, true});
        Long(kIfd1, 0x0202, {static_cast<uint32_t>(thumbnail_.size())});
    }

    // The block from the byte-order mark on.
    std::vector<uint8_t> Block() const {
        std::vector<Entry> ifds[4] = {ifds_[0], ifds_[1], ifds_[2], ifds_[3]};
        if (!ifds[kExif].empty()) ifds[kIfd0].push_back(Entry{0x8769, 4, 1, {0, 0, 0, 0}, false});
        if (!ifds[kInterop].empty()) {
            ifds[kExif].push_back(Entry{0xA005, 4, 1, {0, 0, 0, 0}, false});
        }
        for (auto& list : ifds) {
            std::stable_sort(list.begin(), list.end(),
                             [](const Entry& a, const Entry& b) { return a.tag < b.tag; });
        }
        // Layout: header, then each present IFD followed by its long values; thumbnail last.
        uint32_t offsets[4] = {0, 0, 0, 0};
        uint32_t position = 8;
        for (int i : {kIfd0, kExif, kIfd1, kInterop}) {
            if (i != kIfd0 && ifds[i].empty()) continue;
            offsets[i] = position;
            position += 2 + 12 * static_cast<uint32_t>(ifds[i].size()) + 4;
            for (const Entry& e : ifds[i]) {
                if (e.value.size() > 4)
                    position += static_cast<uint32_t>((e.value.size() + 1) & ~size_t{1});
            }
        }
        const uint32_t thumbnailOffset = position;

        std::vector<uint8_t> out;
        out.push_back(big_ ? 'M' : 'I');
        out.push_back(big_ ? 'M' : 'I');
        Put16(out, 42);
        Put32(out, 8);
        for (int i : {kIfd0, kExif, kIfd1, kInterop}) {
            if (offsets[i] == 0) continue;
            std::vector<uint8_t> data;
            uint32_t dataPosition = offsets[i] + 2 + 12 * static_cast<uint32_t>(ifds[i].size()) + 4;
            Put16(out, static_cast<uint16_t>(ifds[i].size()));
            for (const Entry& e : ifds[i]) {
                Put16(out, e.tag);
                Put16(out, e.type);
                Put32(out, e.count);
                std::vector<uint8_t> value = e.value;
                if (e.tag == 0x8769) value = Bytes32(offsets[kExif]);
                if (e.tag == 0xA005) value = Bytes32(offsets[kInterop]);
                if (e.thumbnailOffset) value = Bytes32(thumbnailOffset);
                if (value.size() <= 4) {
                    value.resize(4, 0);
                    out.insert(out.end(), value.begin(), value.end());
                } else {
                    Put32(out, dataPosition + static_cast<uint32_t>(data.size()));
                    data.insert(data.end(), value.begin(), value.end());
                    if (data.size() & 1) data.push_back(0);
                }
            }
            const uint32_t link = (i == kIfd0 && !ifds[kIfd1].empty()) ? offsets[kIfd1] : 0;
            Put32(out, link);
            out.insert(out.end(), data.begin(), data.end());
        }
        out.insert(out.end(), thumbnail_.begin(), thumbnail_.end());
        return out;
    }

    // FF E1, the length, "Exif\0\0" and the block.
    std::vector<uint8_t> App1() const {
        const std::vector<uint8_t> block = Block();
        std::vector<uint8_t> out = {0xFF, 0xE1};
        const size_t length = block.size() + 8;
        out.push_back(static_cast<uint8_t>(length >> 8));
        out.push_back(static_cast<uint8_t>(length));
        for (const char c : {'E', 'x', 'i', 'f', '\0', '\0'})
            out.push_back(static_cast<uint8_t>(c));
        out.insert(out.end(), block.begin(), block.end());
        return out;
    }

    std::vector<uint8_t> Bytes32(uint32_t v) const {
        std::vector<uint8_t> b;
        Put32(b, v);
        return b;
    }

  private:
    struct Entry {
        uint16_t tag;
        uint16_t type;
        uint32_t count;
        std::vector<uint8_t> value;
        bool thumbnailOffset;  // the value is the thumbnail's offset, known at layout time
    };

    // `bytes` bytes of v in the block's byte order.
    void Put(std::vector<uint8_t>& b, uint32_t v, int bytes) const {
        for (int i = 0; i < bytes; ++i)
            b.push_back(static_cast<uint8_t>(v >> (8 * (big_ ? bytes - 1 - i : i))));
    }
    void Put16(std::vector<uint8_t>& b, uint16_t v) const { Put(b, v, 2); }
    void Put32(std::vector<uint8_t>& b, uint32_t v) const { Put(b, v, 4); }

    bool big_;
    std::vector<Entry> ifds_[4];
    std::vector<uint8_t> thumbnail_;
};

// A JPEG file with `segment` placed right after SOI, before the file's own segments.
inline std::vector<uint8_t> WithSegmentAfterSoi(const std::vector<uint8_t>& jpeg,
                                                const std::vector<uint8_t>& segment) {
    std::vector<uint8_t> out(jpeg.begin(), jpeg.begin() + 2);
    out.insert(out.end(), segment.begin(), segment.end());
    out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
    return out;
}

// The JPEG file without its JFIF APP0 segment (when it starts with one).
inline std::vector<uint8_t> WithoutApp0(const std::vector<uint8_t>& jpeg) {
    if (jpeg.size() < 6 || jpeg[2] != 0xFF || jpeg[3] != 0xE0) return jpeg;
    const size_t length = (size_t{jpeg[4]} << 8) | jpeg[5];
    std::vector<uint8_t> out(jpeg.begin(), jpeg.begin() + 2);
    out.insert(out.end(), jpeg.begin() + 4 + static_cast<std::ptrdiff_t>(length), jpeg.end());
    return out;
}

}  // namespace xelo::test
