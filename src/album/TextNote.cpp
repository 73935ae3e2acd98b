// Text notes: UTF-16LE, UTF-8 or Windows-1252 in, UTF-8 with "\r\n" line ends out.
#include "album/TextNote.h"

#include <unistd.h>

#include <cerrno>

#include "album/AlbumOrigin.h"
#include "album/ImageEntry.h"
#include "album/WholeFile.h"
#include "codec/FileWriter.h"
#include "image/FileError.h"
#include "image/TavoException.h"

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

// True when the bytes are valid UTF-8 throughout.
bool IsUtf8(const uint8_t* p, size_t size) {
    size_t i = 0;
    while (i < size) {
        const uint8_t b = p[i];
        size_t length = 0;
        char32_t c = 0, min = 0;
        if (b < 0x80) {
            ++i;
            continue;
        } else if ((b & 0xE0) == 0xC0) {
            length = 2, c = b & 0x1F, min = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            length = 3, c = b & 0x0F, min = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            length = 4, c = b & 0x07, min = 0x10000;
        } else {
            return false;
        }
        if (i + length > size) return false;
        for (size_t k = 1; k < length; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) return false;
            c = (c << 6) | (p[i + k] & 0x3F);
        }
        if (c < min || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return false;
        i += length;
    }
    return true;
}

// Windows-1252, the code page such notes were written in where they are not UTF-8. The five
// bytes it leaves undefined keep their value, as the system's conversion does.
std::string FromWindows1252(const uint8_t* p, size_t size) {
    static constexpr char16_t k80To9F[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::string out;
    out.reserve(size + size / 4);
    for (size_t i = 0; i < size; ++i) {
        const uint8_t b = p[i];
        AppendUtf8(out, (b >= 0x80 && b < 0xA0) ? k80To9F[b - 0x80] : b);
    }
    return out;
}

}  // namespace

std::string DecodeTextNote(const uint8_t* bytes, size_t size) {
    std::string text;
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        text = FromUtf16Le(bytes + 2, size - 2);
    } else if (IsUtf8(bytes, size)) {
        // A UTF-8 byte-order mark stays in the text, so that an unchanged note writes the same.
        text.assign(reinterpret_cast<const char*>(bytes), size);
    } else {
        text = FromWindows1252(bytes, size);
    }
    // Every line end becomes "\r\n"; a line end after the last line is kept as the blank
    // line it shows as.
    std::string joined;
    joined.reserve(text.size() + text.size() / 8);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) joined += '\r';
        joined += text[i];
    }
    return joined;
}

std::vector<uint8_t> EncodeTextNote(const std::string& text) {
    std::vector<uint8_t> bytes;
    bytes.reserve(text.size() + text.size() / 8);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) bytes.push_back('\r');
        bytes.push_back(static_cast<uint8_t>(text[i]));
    }
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

// True when the note at `path` reads as `text` (line ends compared in their stored form).
bool HoldsNote(const std::string& path, const std::string& text) {
    try {
        std::string stored;
        return ReadTextNote(path, stored) &&
               stored == DecodeTextNote(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    } catch (const CTavoException&) {
        return false;  // unreadable: written anew
    }
}

void WriteTextNote(const std::string& path, const std::string& text) {
    if (text.empty()) {
        if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
            ThrowFileError(errno, path, {kComponentAlbum, kUnit, __LINE__});
        }
        return;
    }
    // A note that says what the file already says is left alone, whatever its encoding.
    if (HoldsNote(path, text)) return;
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
