// Format detection by signature, in a fixed order where the first match wins.
#include "codec/FormatDetect.h"

#include <algorithm>
#include <cstring>

namespace xelo {

namespace {
constexpr uint32_t kMaxExamined = 1024;
// A PICT file has a 512-byte preamble, then size and frame (10 bytes), then the version opcode.
constexpr uint32_t kPictOpcodeOffset = 522;
constexpr uint32_t kPictMinExamined = 540;

class Bytes {
  public:
    Bytes(const uint8_t* data, uint32_t count) : data_(data), count_(count) {}
    // True when `n` bytes at `offset` exist and equal `pattern`.
    bool Match(uint32_t offset, const char* pattern, uint32_t n) const {
        return offset + n <= count_ && std::memcmp(data_ + offset, pattern, n) == 0;
    }
    bool Has(uint32_t n) const { return n <= count_; }
    uint8_t At(uint32_t i) const { return data_[i]; }
    uint32_t Le32(uint32_t offset) const {
        return uint32_t{data_[offset]} | (uint32_t{data_[offset + 1]} << 8) |
               (uint32_t{data_[offset + 2]} << 16) | (uint32_t{data_[offset + 3]} << 24);
    }
    uint32_t Count() const { return count_; }

  private:
    const uint8_t* data_;
    uint32_t count_;
};

bool IsEpsWithPreview(const Bytes& b) {
    const bool magic = b.Match(0, "\xC5\xD0\xD3\xC6", 4) || b.Match(0, "\xC6\xD3\xD0\xC5", 4);
    return magic && b.Has(28) && b.Le32(20) != 0 && b.Le32(24) != 0;
}

// ISO base media files (HEIF, AVIF) start with an "ftyp" box naming their brands.
ImageFormat IsoMediaFormat(const Bytes& b) {
    if (!b.Match(4, "ftyp", 4) || !b.Has(12)) return kFormatUnknown;
    auto brand = [&](uint32_t at, const char* name) { return b.Match(at, name, 4); };
    if (brand(8, "avif") || brand(8, "avis")) return kFormatAvif;
    for (const char* name : {"heic", "heix", "hevc", "hevx", "heim", "heis"})
        if (brand(8, name)) return kFormatHeif;
    if (!brand(8, "mif1") && !brand(8, "msf1")) return kFormatUnknown;
    const uint32_t boxSize = (uint32_t{b.At(0)} << 24) | (uint32_t{b.At(1)} << 16) |
                             (uint32_t{b.At(2)} << 8) | b.At(3);
    const uint32_t end = std::min(boxSize, b.Count());
    for (uint32_t at = 16; at + 4 <= end; at += 4)
        if (brand(at, "avif") || brand(at, "avis")) return kFormatAvif;
    return kFormatHeif;
}

bool IsPict(const Bytes& b) {
    if (b.Count() <= kPictMinExamined) return false;
    return b.Match(kPictOpcodeOffset, "\x00\x11\x02\xFF", 4) ||
           b.Match(kPictOpcodeOffset, "\x00\x11\x01", 3) ||
           b.Match(kPictOpcodeOffset, "\x11\x01\x01\x00", 4);
}
}  // namespace

ImageFormat DetectFormat(CImageStream& stream) {
    const uint32_t saved = stream.GetPosition();
    stream.SeekToBegin();
    uint32_t count = kMaxExamined;
    const uint8_t* data = stream.Peek(count);
    stream.Seek(saved, CImageStream::kBegin);
    const Bytes b(data, count);
    if (count == 0) return kFormatUnknown;

    if (b.Match(0, "BM", 2)) return kFormatBmp;
    if (b.Match(0, "GIF8", 4)) return kFormatGif;
    if (b.Match(0, "II\x2A\x00", 4) || b.Match(0, "MM\x00\x2A", 4)) return kFormatTiff;
    // Before PICT: a JPEG's own bytes (often its EXIF block) may hold the PICT opcode at 522.
    if (b.Match(0, "\xFF\xD8\xFF", 3)) return kFormatJpeg;
    if (IsPict(b)) return kFormatPict;
    if (b.Match(0, "\x89\x50\x4E\x47", 4)) return kFormatPng;
    if (IsEpsWithPreview(b)) return kFormatEps;
    if (b.Has(3) && b.At(0) == 0x0A && b.At(2) == 0x01) return kFormatPcx;
    if (b.Match(0, "P2", 2) || b.Match(0, "P5", 2)) return kFormatPgm;
    if (b.Match(0, "RIFF", 4) && b.Match(8, "WEBP", 4)) return kFormatWebp;
    return IsoMediaFormat(b);
}

}  // namespace xelo
