// The bytes of a HEIF file as libheif reads them. libheif keeps a copy of every top-level box it
// has no use for, the coded pictures ('mdat') among them, although it reads pictures from the
// file by their offsets. A last 'mdat' box is shown to it with the size 0 of a box that runs to
// the end of the file, which it does not copy: a thumbnail then touches the few kilobytes it
// needs of a phone photo instead of all its megabytes.
#pragma once

#include <cstddef>
#include <cstdint>

struct heif_reader;

namespace xelo {

class HeifSource {
  public:
    // `data` stays valid as long as the library reads through this object.
    HeifSource(const uint8_t* data, size_t size);

    // The reader functions; their user data is a HeifSource.
    static const heif_reader& Reader();

    // Copies `count` bytes from the position on, the hidden size field read as zeros; false
    // past the end.
    bool Read(void* out, size_t count);
    bool Seek(int64_t position);
    int64_t Position() const { return static_cast<int64_t>(position_); }
    size_t Size() const { return size_; }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
    size_t zeroed_;  // the offset of the size field shown as 0; size_ when none
};

}  // namespace xelo
