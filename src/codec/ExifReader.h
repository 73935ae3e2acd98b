// CExifReader: the Exif block (APP1) at the start of a JPEG file, turned into display records,
// and the JPEG thumbnail embedded in it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace xelo {

struct ExifRecord {
    std::string name;   // group title or tag display name
    std::string value;  // empty for a group title
    bool group = false;
    uint32_t tag = 0;  // 0 for group titles
};
using ExifRecords = std::vector<ExifRecord>;

// Where the embedded thumbnail lies, as a file offset and length.
struct ExifThumbnail {
    uint32_t offset = 0;
    uint32_t length = 0;
};

class CExifReader {
  public:
    // Fills `records` with the groups and records of the file's Exif block. False (and no
    // records) when the file has no Exif block. A block cut short by the end of the file throws
    // 46000, a failed allocation 46040.
    bool ReadAll(const std::string& path, ExifRecords& records);
    bool ReadAll(const uint8_t* data, size_t size, ExifRecords& records);

    // The embedded JPEG thumbnail, when IFD1 describes one that starts with FF D8 and ends with
    // FF D9 inside the block. Throws as ReadAll does.
    std::optional<ExifThumbnail> FindThumbnail(const std::string& path);
    std::optional<ExifThumbnail> FindThumbnail(const uint8_t* data, size_t size);

    class Source;  // where the bytes come from: a file or memory

  private:
    bool Locate(Source& source);
    // Reads the IFD at `offset` into `records` (when given); returns its next-IFD link.
    uint32_t ReadIfd(uint32_t offset, ExifRecords* records);
    void ReadChain(uint32_t offset, ExifRecords& records, std::vector<uint32_t>& visited);
    bool ReadAllFrom(Source& source, ExifRecords& records);
    std::optional<ExifThumbnail> FindThumbnailFrom(Source& source);

    uint16_t Get16(uint32_t offset) const;
    uint32_t Get32(uint32_t offset) const;
    uint32_t BlockLength() const { return static_cast<uint32_t>(block_.size()); }

    std::vector<uint8_t> block_;  // from the byte-order mark on
    uint32_t blockPosition_ = 0;  // file offset of the byte-order mark
    bool bigEndian_ = false;
    uint32_t ifd0_ = 0;
    uint32_t exifIfd_ = 0;
    uint32_t interopIfd_ = 0;
};

}  // namespace xelo
