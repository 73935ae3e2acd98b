#include "codec/HeifSource.h"

#include <algorithm>
#include <cstring>

#include "codec/HeifLibrary.h"

namespace xelo {

namespace {

uint32_t Be32(const uint8_t* p) {
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

// The offset of a last top-level 'mdat' box with a 32-bit size that ends where the file ends;
// `size` when the file has none.
size_t FinalMediaBox(const uint8_t* data, size_t size) {
    size_t at = 0;
    // Files hold a handful of top-level boxes; a long walk means a damaged one.
    for (int boxes = 0; boxes < 1000 && size - at >= 8; ++boxes) {
        const uint32_t length = Be32(data + at);
        if (length < 8 || length > size - at) return size;  // 64-bit, to-the-end or damaged
        if (length == size - at) return std::memcmp(data + at + 4, "mdat", 4) == 0 ? at : size;
        at += length;
    }
    return size;
}

int64_t GetPosition(void* source) {
    return static_cast<HeifSource*>(source)->Position();
}

int ReadBytes(void* out, size_t count, void* source) {
    return static_cast<HeifSource*>(source)->Read(out, count) ? 0 : 1;
}

int SeekTo(int64_t position, void* source) {
    return static_cast<HeifSource*>(source)->Seek(position) ? 0 : 1;
}

heif_reader_grow_status WaitForSize(int64_t target, void* source) {
    return target >= 0 && static_cast<uint64_t>(target) <= static_cast<HeifSource*>(source)->Size()
               ? heif_reader_grow_status_size_reached
               : heif_reader_grow_status_size_beyond_eof;
}

}  // namespace

HeifSource::HeifSource(const uint8_t* data, size_t size)
    : data_(data), size_(size), zeroed_(FinalMediaBox(data, size)) {}

const heif_reader& HeifSource::Reader() {
    static const heif_reader reader{1, GetPosition, ReadBytes, SeekTo, WaitForSize};
    return reader;
}

bool HeifSource::Read(void* out, size_t count) {
    if (count > size_ - position_) return false;
    if (count == 0) return true;
    std::memcpy(out, data_ + position_, count);
    // The part of the hidden size field the copy covers reads as zeros.
    if (zeroed_ < size_) {
        const size_t from = std::max(position_, zeroed_);
        const size_t to = std::min(position_ + count, zeroed_ + 4);
        if (from < to) std::memset(static_cast<uint8_t*>(out) + (from - position_), 0, to - from);
    }
    position_ += count;
    return true;
}

bool HeifSource::Seek(int64_t position) {
    if (position < 0 || static_cast<uint64_t>(position) > size_) return false;
    position_ = static_cast<size_t>(position);
    return true;
}

}  // namespace xelo
