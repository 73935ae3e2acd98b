// The Exif tags the program shows, with their display names and value formats.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace xelo {

// TIFF field types.
enum ExifType : uint16_t {
    kExifByte = 1,
    kExifAscii = 2,
    kExifShort = 3,
    kExifLong = 4,
    kExifRational = 5,
    kExifSByte = 6,
    kExifUndefined = 7,
    kExifSShort = 8,
    kExifSLong = 9,
    kExifSRational = 10,
    kExifFloat = 11,
    kExifDouble = 12,
};

// Bytes of one value of `type`; 0 for types TIFF does not define.
uint32_t ExifTypeSize(uint16_t type);

// One IFD entry with its value bytes, already bounds-checked against the Exif block.
struct ExifField {
    uint16_t tag = 0;
    uint16_t type = 0;
    uint32_t count = 0;
    const uint8_t* data = nullptr;  // count × ExifTypeSize(type) bytes; not owned
    size_t size = 0;
    bool bigEndian = false;

    uint32_t Unsigned(size_t index) const;  // BYTE, SHORT, LONG and their signed forms
    int32_t Signed(size_t index) const;
    uint32_t Numerator(size_t index) const;  // RATIONAL, SRATIONAL
    uint32_t Denominator(size_t index) const;
    bool IsSigned() const;
    bool IsRational() const { return type == kExifRational || type == kExifSRational; }
    bool IsInteger() const;
    // Values of this field (count, limited by the bytes present).
    size_t Values() const;
};

struct ExifTagText {
    std::string name;
    std::string value;
};

// The display name and formatted value of a field; nothing for unknown tags, values outside an
// enumeration, and values that format to an empty text.
std::optional<ExifTagText> FormatExifField(const ExifField& field);

// Text of Exif bytes: up to the first NUL, as UTF-8 (bytes that are not UTF-8 are taken as
// Latin-1; `traditionalChinese` tries code page 950 first, as image descriptions may use it).
std::string ExifBytesToText(const uint8_t* data, size_t size, bool traditionalChinese);

}  // namespace xelo
