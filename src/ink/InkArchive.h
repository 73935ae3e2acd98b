// The little-endian fields of the framework's archive encoding, as the ink objects store them.
// The reader checks every field against the bytes that remain.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace xelo {

class CInkArchiveOut {
  public:
    void Le16(uint16_t v);
    void Le32(uint32_t v);
    void I32(int32_t v) { Le32(static_cast<uint32_t>(v)); }
    void F64(double v);
    void Bytes(const void* data, size_t size);
    // An element count: 16 bits below 0xFFFF, else 0xFFFF and 32 bits.
    void Count(size_t n);

    const std::vector<uint8_t>& Data() const { return bytes_; }
    std::vector<uint8_t> Take() { return std::move(bytes_); }

  private:
    std::vector<uint8_t> bytes_;
};

class CInkArchiveIn {
  public:
    CInkArchiveIn(const uint8_t* bytes, size_t size) : p_(bytes), left_(size) {}

    size_t Left() const { return left_; }
    uint16_t Le16();
    uint32_t Le32();
    int32_t I32() { return static_cast<int32_t>(Le32()); }
    double F64();
    void Bytes(void* out, size_t size);
    uint32_t Count();
    // Raises the end-of-file error unless `n` bytes remain.
    void Need(uint64_t n) const;

  private:
    const uint8_t* p_;
    size_t left_;
};

// Raise the program's error for a damaged archive: a bad index or class (46024), a short file
// (46023).
[[noreturn]] void ThrowInkFormatError(uint32_t line);
[[noreturn]] void ThrowInkEndOfFile(uint32_t line);

}  // namespace xelo
