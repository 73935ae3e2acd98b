// The orientation a camera recorded (Exif/TIFF tag 0x0112, values 1 to 8) read from a file's
// bytes; 1 (as stored) whenever it is absent, out of range or unreadable.
#pragma once

#include <cstddef>
#include <cstdint>

namespace xelo {

// From a TIFF structure (byte-order mark first): tag 0x0112 of its first directory.
int TiffBlockOrientation(const uint8_t* data, size_t size);
// From the Exif APP1 segment of a JPEG file, wherever among the header segments it lies.
int JpegOrientation(const uint8_t* data, size_t size);

}  // namespace xelo
