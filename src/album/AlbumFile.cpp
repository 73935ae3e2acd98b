// The album data file: a count-prefixed array of wide strings, then a count-prefixed byte array.
#include "album/AlbumFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "album/AlbumOrigin.h"
#include "album/WideName.h"
#include "codec/FileWriter.h"
#include "image/FileError.h"
#include "image/TavoException.h"

namespace xelo {

namespace {

constexpr uint32_t kUnit = 100;

// Counts below this fit the 16-bit field; larger ones follow 0xFFFF as 32 bits.
constexpr uint16_t kCountEscape = 0xFFFF;
// A wide string starts with the byte 0xFF and the 16-bit 0xFFFE.
constexpr uint8_t kWideMarkByte = 0xFF;
constexpr uint16_t kWideMarkWord = 0xFFFE;
// String lengths: one byte below 0xFF; else 0xFF and 16 bits below 0xFFFE; else 0xFF 0xFFFF, 32.
constexpr uint8_t kLengthEscape8 = 0xFF;
constexpr uint16_t kLengthEscape16 = 0xFFFF;
// An album file larger than this is damaged (a million long names fit well below it).
constexpr size_t kMaxAlbumFileBytes = size_t{64} << 20;

[[noreturn]] void Fail(uint32_t code, uint32_t line) {
    ThrowError(code, {kComponentAlbum, kUnit, line});
}

// Appends the little-endian fields of the archive encoding to any byte sink.
template <typename Sink>
class ArchiveOut {
  public:
    explicit ArchiveOut(Sink& sink) : sink_(sink) {}

    void Byte(uint8_t v) { sink_.Write(&v, 1); }
    void Le16(uint16_t v) {
        const uint8_t b[2] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
        sink_.Write(b, 2);
    }
    void Le32(uint32_t v) {
        const uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                              static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
        sink_.Write(b, 4);
    }
    void Count(size_t n) {
        if (n < kCountEscape) {
            Le16(static_cast<uint16_t>(n));
        } else {
            Le16(kCountEscape);
            Le32(static_cast<uint32_t>(n));
        }
    }
    void WideString(const std::string& name) {
        const std::u16string wide = NameToUtf16(name);
        const size_t length = wide.size();
        Byte(kWideMarkByte);
        Le16(kWideMarkWord);
        if (length < kLengthEscape8) {
            Byte(static_cast<uint8_t>(length));
        } else if (length < kWideMarkWord) {
            Byte(kLengthEscape8);
            Le16(static_cast<uint16_t>(length));
        } else {
            Byte(kLengthEscape8);
            Le16(kLengthEscape16);
            Le32(static_cast<uint32_t>(length));
        }
        for (char16_t u : wide)
            Le16(static_cast<uint16_t>(u));
    }

  private:
    Sink& sink_;
};

struct VectorSink {
    std::vector<uint8_t>& bytes;
    void Write(const void* data, size_t size) {
        // resize and copy: insert at the end of an empty vector, inlined at -O3, makes GCC 12
        // warn of an overflow that cannot happen.
        const size_t at = bytes.size();
        bytes.resize(at + size);
        std::memcpy(bytes.data() + at, data, size);
    }
};

// Reads the archive fields; every read checks the bytes that remain.
class ArchiveIn {
  public:
    ArchiveIn(const uint8_t* bytes, size_t size) : p_(bytes), left_(size) {}

    size_t Left() const { return left_; }
    uint8_t Byte() {
        Need(1, __LINE__);
        --left_;
        return *p_++;
    }
    uint16_t Le16() {
        Need(2, __LINE__);
        const uint16_t v = static_cast<uint16_t>(p_[0] | (p_[1] << 8));
        p_ += 2, left_ -= 2;
        return v;
    }
    uint32_t Le32() {
        Need(4, __LINE__);
        const uint32_t v = uint32_t{p_[0]} | (uint32_t{p_[1]} << 8) | (uint32_t{p_[2]} << 16) |
                           (uint32_t{p_[3]} << 24);
        p_ += 4, left_ -= 4;
        return v;
    }
    uint32_t Count() {
        const uint16_t n = Le16();
        return n == kCountEscape ? Le32() : n;
    }
    std::string WideString() {
        if (Byte() != kWideMarkByte || Le16() != kWideMarkWord) Fail(kErrFormatInvalid, __LINE__);
        uint32_t length = Byte();
        if (length == kLengthEscape8) {
            length = Le16();
            if (length == kWideMarkWord) Fail(kErrFormatInvalid, __LINE__);
            if (length == kLengthEscape16) length = Le32();
        }
        Need(uint64_t{length} * 2, __LINE__);
        std::u16string wide(length, u'\0');
        for (uint32_t i = 0; i < length; ++i) {
            wide[i] = static_cast<char16_t>(p_[0] | (p_[1] << 8));
            p_ += 2;
        }
        left_ -= size_t{length} * 2;
        return NameFromUtf16(wide);
    }
    std::vector<uint8_t> Bytes(uint32_t count) {
        Need(count, __LINE__);
        std::vector<uint8_t> out(p_, p_ + count);
        p_ += count, left_ -= count;
        return out;
    }

  private:
    void Need(uint64_t n, uint32_t line) const {
        if (n > left_) Fail(kErrEndOfFile, line);
    }

    const uint8_t* p_;
    size_t left_;
};

// The smallest encoded name: marker byte, marker word, one length byte.
constexpr size_t kMinNameBytes = 4;

// CFileWriter as an archive sink, telling the caller after each name.
struct FileSink {
    CFileWriter& writer;
    void Write(const void* data, size_t size) { writer.Write(data, size); }
};

}  // namespace

std::string AlbumFileNameFor(const std::string& executablePath) {
    const size_t slash = executablePath.find_last_of("\\/:");
    std::string base =
        slash == std::string::npos ? executablePath : executablePath.substr(slash + 1);
    if (const size_t dot = base.rfind('.'); dot != std::string::npos) base.resize(dot);
    return base + ".xla";
}

std::string AlbumFilePath(const std::string& folder) {
    if (!folder.empty() && folder.back() == '/') return folder + kAlbumFileName;
    return folder + "/" + kAlbumFileName;
}

std::vector<uint8_t> EncodeAlbumData(const AlbumData& data) {
    std::vector<uint8_t> bytes;
    VectorSink sink{bytes};
    ArchiveOut out(sink);
    out.Count(data.names.size());
    for (const std::string& name : data.names)
        out.WideString(name);
    out.Count(data.flags.size());
    for (uint8_t flag : data.flags)
        out.Byte(flag);
    return bytes;
}

AlbumData DecodeAlbumData(const uint8_t* bytes, size_t size) {
    ArchiveIn in(bytes, size);
    AlbumData data;
    const uint32_t nameCount = in.Count();
    // Refuse counts the remaining bytes cannot hold before reserving anything for them.
    if (nameCount > in.Left() / kMinNameBytes) Fail(kErrEndOfFile, __LINE__);
    data.names.reserve(nameCount);
    for (uint32_t i = 0; i < nameCount; ++i)
        data.names.push_back(in.WideString());
    data.flags = in.Bytes(in.Count());
    return data;
}

bool ReadAlbumFile(const std::string& folder, AlbumData& data) {
    const std::string path = AlbumFilePath(folder);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT) return false;
        ThrowFileError(errno, path, {kComponentAlbum, kUnit, __LINE__});
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) ThrowFileError(errno, path, {kComponentAlbum, kUnit, __LINE__});
    if (!S_ISREG(st.st_mode)) Fail(kErrFormatInvalid, __LINE__);
    if (static_cast<uint64_t>(st.st_size) > kMaxAlbumFileBytes) Fail(kErrFormatInvalid, __LINE__);
    std::vector<uint8_t> bytes(static_cast<size_t>(st.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ThrowFileError(errno, path, {kComponentAlbum, kUnit, __LINE__});
        if (n == 0) break;  // the file shrank while we read it
        done += static_cast<size_t>(n);
    }
    data = DecodeAlbumData(bytes.data(), done);
    return true;
}

void WriteAlbumFile(const std::string& folder, const AlbumData& data,
                    const std::function<void(size_t)>& afterName) {
    CFileWriter writer(AlbumFilePath(folder), {kComponentAlbum, kUnit, __LINE__});
    FileSink sink{writer};
    ArchiveOut out(sink);
    out.Count(data.names.size());
    for (size_t i = 0; i < data.names.size(); ++i) {
        out.WideString(data.names[i]);
        if (afterName) afterName(i + 1);
    }
    out.Count(data.flags.size());
    for (uint8_t flag : data.flags)
        out.Byte(flag);
    writer.Commit();
}

void DeleteAlbumFile(const std::string& folder) {
    const std::string path = AlbumFilePath(folder);
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        ThrowFileError(errno, path, {kComponentAlbum, kUnit, __LINE__});
    }
}

}  // namespace xelo
