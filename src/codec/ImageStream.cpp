// The byte stream the codecs read through: bounds-checked pointers into memory.
#include "codec/ImageStream.h"

#include "image/TavoException.h"

namespace xelo {

namespace {
constexpr uint32_t kUnit = 10;
const uint8_t kNoBytes[1] = {0};
}  // namespace

void CImageStream::SetLength(uint32_t length) {
    length_ = length;
    position_ = 0;
}

void CImageStream::Close() {
    length_ = position_ = 0;
}

const uint8_t* CImageStream::Peek(uint32_t& count) {
    count = std::min(count, Remaining());
    return GetPointer();
}

const uint8_t* CImageStream::GetPointer() {
    return base_ ? base_ + position_ : kNoBytes;
}

const uint8_t* CImageStream::Read(uint32_t n) {
    if (n > Remaining()) ThrowError(kErrEndOfFile, {kComponentFileStream, kUnit, __LINE__});
    const uint8_t* p = GetPointer();
    position_ += n;
    return p;
}

void CImageStream::Seek(int64_t offset, int origin) {
    int64_t base = 0;
    if (origin == kCurrent) base = position_;
    if (origin == kEnd) base = length_;
    const int64_t target = base + offset;
    if (target < 0 || target > int64_t{length_}) {
        ThrowError(kErrEndOfFile, {kComponentFileStream, kUnit, __LINE__});
    }
    position_ = static_cast<uint32_t>(target);
}

uint16_t CImageStream::ReadLe16() {
    const uint8_t* p = Read(2);
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t CImageStream::ReadLe32() {
    const uint8_t* p = Read(4);
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

uint16_t CImageStream::ReadBe16() {
    const uint8_t* p = Read(2);
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

uint32_t CImageStream::ReadBe32() {
    const uint8_t* p = Read(4);
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

CMemoryStream::CMemoryStream(const uint8_t* data, uint32_t length, std::string name)
    : name_(std::move(name)) {
    base_ = data;
    SetLength(data ? length : 0);
}

}  // namespace xelo
