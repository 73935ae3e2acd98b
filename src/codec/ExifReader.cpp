// CExifReader: finds the Exif APP1 segment after SOI (and an optional short JFIF APP0), reads
// the block from its TIFF header on, and walks IFD0, the Exif IFD, IFD1 and the
// interoperability IFD with every count, offset and link checked against the block.
#include "codec/ExifReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

#include "codec/ExifTags.h"
#include "image/FileError.h"
#include "image/TavoException.h"

namespace xelo {

namespace {
constexpr uint32_t kUnit = 70;

// Only this many bytes decide whether a file has Exif data: SOI, a JFIF APP0 of at most 16
// bytes, the APP1 marker and length and "Exif\0\0".
constexpr size_t kHeadBytes = 38;
constexpr uint32_t kMaxApp0Length = 16;
constexpr uint8_t kExifId[6] = {'E', 'x', 'i', 'f', 0, 0};
constexpr uint32_t kTiffHeaderBytes = 8;
constexpr uint32_t kEntryBytes = 12;
// Values longer than the formatting work area are not shown.
constexpr uint64_t kMaxValueBytes = 2048;
// IFDs read through pointers and next-IFD links; more means a loop or a hostile file.
constexpr int kMaxIfds = 32;

constexpr uint16_t kTagExifIfd = 0x8769;
constexpr uint16_t kTagInteropIfd = 0xA005;
constexpr uint16_t kTagCompression = 0x0103;
constexpr uint16_t kTagThumbnailOffset = 0x0201;
constexpr uint16_t kTagThumbnailLength = 0x0202;
constexpr uint32_t kCompressionJpeg = 6;

[[noreturn]] void Throw(uint32_t code, uint32_t line) {
    ThrowError(code, {kComponentJpegDecoder, kUnit, line});
}

uint16_t Be16(const uint8_t* p) {
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

ExifRecord GroupTitle(const char* name) {
    return ExifRecord{name, std::string(), true, 0};
}

}  // namespace

class CExifReader::Source {
  public:
    virtual ~Source() = default;
    // Copies up to `count` bytes from `offset`; returns how many there were.
    virtual size_t ReadAt(uint64_t offset, uint8_t* out, size_t count) = 0;
};

namespace {

class FileSource : public CExifReader::Source {
  public:
    explicit FileSource(const std::string& path) : path_(path) {
        // Without O_NONBLOCK a pipe carrying the name would wait for a writer forever.
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd_ < 0) ThrowFileError(errno, path, {kComponentJpegDecoder, kUnit, __LINE__});
        struct stat st {};
        if (::fstat(fd_, &st) != 0) Fail(errno, __LINE__);
        if (!S_ISREG(st.st_mode)) Fail(S_ISDIR(st.st_mode) ? EISDIR : EINVAL, __LINE__);
    }
    ~FileSource() override {
        if (fd_ >= 0) ::close(fd_);
    }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    size_t ReadAt(uint64_t offset, uint8_t* out, size_t count) override {
        size_t done = 0;
        while (done < count) {
            const ssize_t n =
                ::pread(fd_, out + done, count - done, static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) Fail(errno, __LINE__);
            if (n == 0) break;
            done += static_cast<size_t>(n);
        }
        return done;
    }

  private:
    [[noreturn]] void Fail(int error, uint32_t line) {
        ::close(fd_);
        fd_ = -1;
        ThrowFileError(error, path_, {kComponentJpegDecoder, kUnit, line});
    }

    std::string path_;
    int fd_ = -1;
};

class MemorySource : public CExifReader::Source {
  public:
    MemorySource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    size_t ReadAt(uint64_t offset, uint8_t* out, size_t count) override {
        if (offset >= size_) return 0;
        const size_t n = std::min<uint64_t>(count, size_ - offset);
        std::memcpy(out, data_ + offset, n);
        return n;
    }

  private:
    const uint8_t* data_;  // not owned
    size_t size_;
};

}  // namespace

uint16_t CExifReader::Get16(uint32_t offset) const {
    const uint8_t* p = block_.data() + offset;
    return bigEndian_ ? static_cast<uint16_t>((p[0] << 8) | p[1])
                      : static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t CExifReader::Get32(uint32_t offset) const {
    const uint8_t* p = block_.data() + offset;
    return bigEndian_
               ? (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3]
               : p[0] | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

bool CExifReader::Locate(Source& source) {
    block_.clear();
    blockPosition_ = 0;
    ifd0_ = exifIfd_ = interopIfd_ = 0;

    uint8_t head[kHeadBytes];
    const size_t got = source.ReadAt(0, head, kHeadBytes);
    if (got < 2 || head[0] != 0xFF || head[1] != 0xD8) return false;  // SOI
    size_t pos = 2;
    if (got >= 6 && head[2] == 0xFF && head[3] == 0xE0) {
        // A JFIF APP0 is skipped when it is no longer than its basic 16 bytes.
        const uint32_t app0 = Be16(head + 4);
        if (app0 < 2 || app0 > kMaxApp0Length) return false;
        pos += 2 + app0;
    }
    if (pos + 4 + sizeof kExifId > got) return false;
    if (head[pos] != 0xFF || head[pos + 1] != 0xE1) return false;  // APP1
    const uint32_t app1 = Be16(head + pos + 2);
    if (std::memcmp(head + pos + 4, kExifId, sizeof kExifId) != 0) return false;
    // The APP1 length counts itself (2) and "Exif\0\0" (6) besides the block.
    if (app1 < 8 + kTiffHeaderBytes) return false;
    const uint32_t blockLength = app1 - 8;
    blockPosition_ = static_cast<uint32_t>(pos + 4 + sizeof kExifId);

    try {
        block_.resize(blockLength);
    } catch (const std::bad_alloc&) {
        Throw(kErrNoMemory, __LINE__);
    }
    if (source.ReadAt(blockPosition_, block_.data(), blockLength) != blockLength) {
        block_.clear();
        Throw(kErrUnknown, __LINE__);
    }
    if (block_[0] == 'I' && block_[1] == 'I') {
        bigEndian_ = false;
    } else if (block_[0] == 'M' && block_[1] == 'M') {
        bigEndian_ = true;
    } else {
        block_.clear();
        return false;  // without a byte order no number in the block can be read
    }
    ifd0_ = Get32(4);
    return true;
}

uint32_t CExifReader::ReadIfd(uint32_t offset, ExifRecords* records) {
    const uint32_t length = BlockLength();
    if (offset > length || length - offset < 2) return 0;
    const uint32_t count = Get16(offset);
    // The entry table must lie inside the block.
    if (uint64_t{count} * kEntryBytes >= uint64_t{length} - offset - 2) return 0;
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t entry = offset + 2 + i * kEntryBytes;
        const uint16_t tag = Get16(entry);
        const uint16_t type = Get16(entry + 2);
        const uint32_t valueCount = Get32(entry + 4);
        const uint32_t valueField = Get32(entry + 8);
        // The IFD pointers are taken from the value field whatever type the writer gave them.
        if (tag == kTagExifIfd) {
            exifIfd_ = valueField;
            continue;
        }
        if (tag == kTagInteropIfd) {
            interopIfd_ = valueField;
            continue;
        }
        if (records == nullptr) continue;
        const uint64_t size = uint64_t{ExifTypeSize(type)} * valueCount;
        if (size > kMaxValueBytes) continue;
        const uint8_t* data = block_.data() + entry + 8;
        if (size > 4) {
            if (valueField > length || size > length - valueField) continue;
            data = block_.data() + valueField;
        }
        ExifField field;
        field.tag = tag;
        field.type = type;
        field.count = valueCount;
        field.data = data;
        field.size = static_cast<size_t>(size);
        field.bigEndian = bigEndian_;
        if (auto text = FormatExifField(field)) {
            records->push_back(
                ExifRecord{std::move(text->name), std::move(text->value), false, tag});
        }
    }
    const uint32_t link = offset + 2 + count * kEntryBytes;
    return (link <= length && length - link >= 4) ? Get32(link) : 0;
}

void CExifReader::ReadChain(uint32_t offset, ExifRecords& records, std::vector<uint32_t>& visited) {
    while (offset != 0 && offset < BlockLength() && static_cast<int>(visited.size()) < kMaxIfds) {
        if (std::find(visited.begin(), visited.end(), offset) != visited.end()) return;
        visited.push_back(offset);
        offset = ReadIfd(offset, &records);
    }
}

bool CExifReader::ReadAllFrom(Source& source, ExifRecords& records) {
    records.clear();
    try {
        if (!Locate(source)) return false;
        std::vector<uint32_t> visited{ifd0_};
        records.push_back(GroupTitle("Main Information"));
        const uint32_t ifd1 = ReadIfd(ifd0_, &records);
        // Read the groups in their fixed order; the pointers were found in the IFDs before.
        if (exifIfd_ != 0 && exifIfd_ < BlockLength()) {
            records.push_back(GroupTitle("Picture-Taking Conditions"));
            ReadChain(exifIfd_, records, visited);
        }
        if (ifd1 != 0 && ifd1 < BlockLength()) {
            records.push_back(GroupTitle("Thumbnail Information"));
            ReadChain(ifd1, records, visited);
        }
        if (interopIfd_ != 0 && interopIfd_ < BlockLength()) {
            records.push_back(GroupTitle("ExifR98 Information"));
            ReadChain(interopIfd_, records, visited);
        }
    } catch (const std::bad_alloc&) {
        records.clear();
        Throw(kErrNoMemory, __LINE__);
    } catch (...) {
        records.clear();
        throw;
    }
    return true;
}

std::optional<ExifThumbnail> CExifReader::FindThumbnailFrom(Source& source) {
    if (!Locate(source)) return std::nullopt;
    const uint32_t length = BlockLength();
    if (ifd0_ > length || length - ifd0_ < 2) return std::nullopt;
    const uint32_t link = ifd0_ + 2 + uint32_t{Get16(ifd0_)} * kEntryBytes;
    if (link > length || length - link < 4) return std::nullopt;
    const uint32_t ifd1 = Get32(link);
    if (ifd1 == 0 || ifd1 > length || length - ifd1 < 2) return std::nullopt;
    const uint32_t count = Get16(ifd1);
    if (uint64_t{count} * kEntryBytes >= uint64_t{length} - ifd1 - 2) return std::nullopt;

    uint32_t offset = 0;
    uint32_t size = 0;
    std::vector<uint32_t> longs;  // every LONG value, for files whose tags are wrong
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t entry = ifd1 + 2 + i * kEntryBytes;
        const uint16_t tag = Get16(entry);
        const uint16_t type = Get16(entry + 2);
        uint32_t value = 0;
        if (type == kExifShort) {
            value = Get16(entry + 8);
        } else if (type == kExifLong) {
            value = Get32(entry + 8);
            longs.push_back(value);
        } else {
            continue;
        }
        if (tag == kTagCompression && value != kCompressionJpeg) return std::nullopt;
        if (tag == kTagThumbnailOffset) offset = value;
        if (tag == kTagThumbnailLength) size = value;
    }

    auto startsJpeg = [&](uint64_t at) {
        return at + 2 <= length && block_[at] == 0xFF && block_[at + 1] == 0xD8;
    };
    auto endsJpeg = [&](uint64_t end) {
        return end >= 2 && end <= length && block_[end - 2] == 0xFF && block_[end - 1] == 0xD9;
    };
    if (offset == 0 || size == 0) {
        // Fallback: a LONG value where a JPEG starts, and another that is its length.
        offset = size = 0;
        for (size_t c = 0; c < longs.size() && offset == 0; ++c) {
            if (!startsJpeg(longs[c])) continue;
            for (size_t d = 0; d < longs.size(); ++d) {
                if (d != c && endsJpeg(uint64_t{longs[c]} + longs[d])) {
                    offset = longs[c];
                    size = longs[d];
                    break;
                }
            }
        }
    }
    if (size < 4 || !startsJpeg(offset) || !endsJpeg(uint64_t{offset} + size)) return std::nullopt;
    return ExifThumbnail{blockPosition_ + offset, size};
}

bool CExifReader::ReadAll(const std::string& path, ExifRecords& records) {
    FileSource source(path);
    return ReadAllFrom(source, records);
}

bool CExifReader::ReadAll(const uint8_t* data, size_t size, ExifRecords& records) {
    MemorySource source(data, size);
    return ReadAllFrom(source, records);
}

std::optional<ExifThumbnail> CExifReader::FindThumbnail(const std::string& path) {
    FileSource source(path);
    return FindThumbnailFrom(source);
}

std::optional<ExifThumbnail> CExifReader::FindThumbnail(const uint8_t* data, size_t size) {
    MemorySource source(data, size);
    return FindThumbnailFrom(source);
}

}  // namespace xelo
