// A preference block: a fixed number of little-endian bytes with fields at fixed offsets. The
// blocks are stored whole, so their layout is the stored format.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace xelo {

// Field descriptors: where a value lives in a block.
struct Field8 {
    size_t offset;
};
struct Field16 {
    size_t offset;
};
struct Field32 {
    size_t offset;
};
// Bits `mask` of the 32-bit word at `offset`, read and written shifted down to bit 0.
struct BitField {
    size_t offset;
    uint32_t mask;
};

template <size_t N>
class PrefBlock {
  public:
    static constexpr size_t kSize = N;

    uint8_t Get(Field8 f) const { return bytes_.at(f.offset); }
    uint16_t Get(Field16 f) const {
        return static_cast<uint16_t>(bytes_.at(f.offset) | (bytes_.at(f.offset + 1) << 8));
    }
    uint32_t Get(Field32 f) const {
        return uint32_t{bytes_.at(f.offset)} | (uint32_t{bytes_.at(f.offset + 1)} << 8) |
               (uint32_t{bytes_.at(f.offset + 2)} << 16) |
               (uint32_t{bytes_.at(f.offset + 3)} << 24);
    }
    int32_t GetSigned(Field32 f) const { return static_cast<int32_t>(Get(f)); }
    uint32_t Get(BitField f) const {
        return (Get(Field32{f.offset}) & f.mask) >> std::countr_zero(f.mask);
    }
    bool IsSet(BitField f) const { return Get(f) != 0; }

    void Set(Field8 f, uint8_t v) { bytes_.at(f.offset) = v; }
    void Set(Field16 f, uint16_t v) {
        bytes_.at(f.offset) = static_cast<uint8_t>(v);
        bytes_.at(f.offset + 1) = static_cast<uint8_t>(v >> 8);
    }
    void Set(Field32 f, uint32_t v) {
        for (size_t i = 0; i < 4; ++i)
            bytes_.at(f.offset + i) = static_cast<uint8_t>(v >> (8 * i));
    }
    void SetSigned(Field32 f, int32_t v) { Set(f, static_cast<uint32_t>(v)); }
    void Set(BitField f, uint32_t v) {
        const uint32_t word = Get(Field32{f.offset});
        const uint32_t bits = (v << std::countr_zero(f.mask)) & f.mask;
        Set(Field32{f.offset}, (word & ~f.mask) | bits);
    }

    // Takes a stored value only when it has exactly the block's size.
    bool Assign(const std::vector<uint8_t>& stored) {
        if (stored.size() != N) return false;
        std::copy(stored.begin(), stored.end(), bytes_.begin());
        return true;
    }
    std::vector<uint8_t> Bytes() const { return {bytes_.begin(), bytes_.end()}; }
    uint8_t* Data() { return bytes_.data(); }
    const uint8_t* Data() const { return bytes_.data(); }

  private:
    std::array<uint8_t, N> bytes_{};
};

}  // namespace xelo
