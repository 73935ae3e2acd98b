// Archive fields of the ink file: counts, integers and doubles, little-endian.
#include "ink/InkArchive.h"

#include <cstring>

#include "image/TavoException.h"
#include "ink/InkOrigin.h"

namespace xelo {

namespace {
constexpr uint32_t kUnit = 300;
constexpr uint16_t kCountEscape = 0xFFFF;
}  // namespace

void ThrowInkFormatError(uint32_t line) {
    ThrowError(kErrFormatInvalid, {kComponentInk, kUnit, line});
}

void ThrowInkEndOfFile(uint32_t line) {
    ThrowError(kErrEndOfFile, {kComponentInk, kUnit, line});
}

void CInkArchiveOut::Le16(uint16_t v) {
    bytes_.push_back(static_cast<uint8_t>(v));
    bytes_.push_back(static_cast<uint8_t>(v >> 8));
}

void CInkArchiveOut::Le32(uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8)
        bytes_.push_back(static_cast<uint8_t>(v >> shift));
}

void CInkArchiveOut::F64(double v) {
    uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    for (int shift = 0; shift < 64; shift += 8)
        bytes_.push_back(static_cast<uint8_t>(bits >> shift));
}

void CInkArchiveOut::Bytes(const void* data, size_t size) {
    const auto* p = static_cast<const uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + size);
}

void CInkArchiveOut::Count(size_t n) {
    if (n < kCountEscape) {
        Le16(static_cast<uint16_t>(n));
    } else {
        Le16(kCountEscape);
        Le32(static_cast<uint32_t>(n));
    }
}

void CInkArchiveIn::Need(uint64_t n) const {
    if (n > left_) ThrowInkEndOfFile(__LINE__);
}

uint16_t CInkArchiveIn::Le16() {
    Need(2);
    const uint16_t v = static_cast<uint16_t>(p_[0] | (p_[1] << 8));
    p_ += 2, left_ -= 2;
    return v;
}

uint32_t CInkArchiveIn::Le32() {
    Need(4);
    const uint32_t v = uint32_t{p_[0]} | (uint32_t{p_[1]} << 8) | (uint32_t{p_[2]} << 16) |
                       (uint32_t{p_[3]} << 24);
    p_ += 4, left_ -= 4;
    return v;
}

double CInkArchiveIn::F64() {
    Need(8);
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | p_[i];
    p_ += 8, left_ -= 8;
    double v = 0;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

void CInkArchiveIn::Bytes(void* out, size_t size) {
    Need(size);
    std::memcpy(out, p_, size);
    p_ += size, left_ -= size;
}

uint32_t CInkArchiveIn::Count() {
    const uint16_t n = Le16();
    return n == kCountEscape ? Le32() : n;
}

}  // namespace xelo
