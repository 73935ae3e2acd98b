// Text notes: UTF-16LE or UTF-8 in, UTF-8 with "\r\n" line ends out.
#include "album/TextNote.h"

#include <unistd.h>

#include <cerrno>

#include "album/AlbumOrigin.h"
#include "album/ImageEntry.h"
#include "album/WholeFile.h"
#include "codec/FileWriter.h"
#include "image/FileError.h"

namespace xelo {

namespace {

constexpr uint32_t kUnit = 350;
// A note is typed on a keyboard; a file much larger than this is not one.
constexpr size_t kMaxNoteBytes = size_t{16} << 20;
constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string FromUtf16Le(const uint8_t* p, size_t size) {
    std::string out;
    out.reserve(size);
    const size_t units = size / 2;  // an odd last byte is not a character
    for (size_t i = 0; i < units; ++i) {
        const char32_t u = p[2 * i] | (p[2 * i + 1] << 8);
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < units) {
            const char32_t low = p[2 * i + 2] | (p[2 * i + 3] << 8);
            if (low >= 0xDC00 && low < 0xE000) {
                AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        AppendUtf8(out, (u >= 0xD800 && u < 0xE000) ? kReplacement : u);
    }
    return out;
}

// Valid UTF-8 is copied; each byte that does not start a valid sequence becomes U+FFFD.
std::string FromUtf8(const uint8_t* p, size_t size) {
    std::string out;
    out.reserve(size);
    size_t i = 0;
    while (i < size) {
        const uint8_t b = p[i];
        size_t length = 0;
        char32_t c = 0, min = 0;
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
            continue;
        } else if ((b & 0xE0) == 0xC0) {
            length = 2, c = b & 0x1F, min = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            length = 3, c = b & 0x0F, min = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            length = 4, c = b & 0x07, min = 0x10000;
        }
        bool valid = length > 0 && i + length <= size;
        for (size_t k = 1; valid && k < length; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) valid = false;
            c = (c << 6) | (p[i + k] & 0x3F);
        }
        valid = valid && c >= min && c <= 0x10FFFF && !(c >= 0xD800 && c < 0xE000);
        if (!valid) {
            AppendUtf8(out, kReplacement);
            ++i;
            continue;
        }
        out.append(reinterpret_cast<const char*>(p + i), length);
        i += length;
    }
    return out;
}

}  // namespace

std::string DecodeTextNote(const uint8_t* bytes, size_t size) {
    std::string text;
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        text = FromUtf16Le(bytes + 2, size - 2);
    } else if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        text = FromUtf8(bytes + 3, size - 3);
    } else {
        text = FromUtf8(bytes, size);
    }
    // Lines end in "\n" or "\r\n"; they are joined with "\r\n".
    std::string joined;
    joined.reserve(text.size() + text.size() / 8);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const bool last = end == std::string::npos;
        if (last) end = text.size();
        size_t lineEnd = end;
        if (!last && lineEnd > start && text[lineEnd - 1] == '\r') --lineEnd;
        if (start > 0) joined += "\r\n";
        joined.append(text, start, lineEnd - start);
        start = end + 1;
    }
    return joined;
}

std::vector<uint8_t> EncodeTextNote(const std::string& text) {
    std::vector<uint8_t> bytes;
    bytes.reserve(text.size() + text.size() / 8 + 5);
    // The reader drops one byte-order mark and one final line end: a text that starts with
    // U+FEFF or ends with a line end gets one more, so that it reads back as it was.
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) bytes.insert(bytes.end(), {0xEF, 0xBB, 0xBF});
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) bytes.push_back('\r');
        bytes.push_back(static_cast<uint8_t>(text[i]));
    }
    if (!text.empty() && text.back() == '\n') bytes.insert(bytes.end(), {'\r', '\n'});
    return bytes;
}

bool ReadTextNote(const std::string& path, std::string& text) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, kMaxNoteBytes, bytes, {kComponentAlbum, kUnit, __LINE__})) {
        return false;
    }
    text = DecodeTextNote(bytes.data(), bytes.size());
    return true;
}

void WriteTextNote(const std::string& path, const std::string& text) {
    if (text.empty()) {
        if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
            ThrowFileError(errno, path, {kComponentAlbum, kUnit, __LINE__});
        }
        return;
    }
    const std::vector<uint8_t> bytes = EncodeTextNote(text);
    CFileWriter writer(path, {kComponentAlbum, kUnit, __LINE__});
    writer.Write(bytes.data(), bytes.size());
    writer.Commit();
}

void SaveEntryNote(const std::string& folder, CImageEntry& entry, const std::string& text) {
    WriteTextNote(entry.AnnotationPath(folder, "txt"), text);
    entry.ForgetAnnotations();
    entry.Annotations(folder);
}

}  // namespace xelo
