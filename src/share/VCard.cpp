// vCard reader. A file is a run of lines; a line that starts with a blank continues the one
// before (folding), and in 2.1/3.0 exports a quoted-printable value also continues after a line
// ending in "=" (its soft line break). A property is "[group.]NAME[;PARAM...]:VALUE".
#include "share/VCard.h"

#include <algorithm>
#include <cstdint>

#include "image/TavoException.h"
#include "share/ContactsOrigin.h"

namespace xelo {

namespace {

constexpr uint32_t kUnit = 1;
constexpr int kNoPreference = 101;  // after every PREF=1..100

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

bool StartsWithText(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

std::string_view Trim(std::string_view text) {
    const char* blanks = " \t\r\n";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

void AppendUtf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool IsValidUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<uint8_t>(text[i]);
        size_t extra = 0;
        uint32_t code = 0;
        uint32_t least = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1, code = c & 0x1Fu, least = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, code = c & 0x0Fu, least = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, code = c & 0x07u, least = 0x10000;
        } else {
            return false;
        }
        if (text.size() - i <= extra) return false;
        for (size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<uint8_t>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3Fu);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += extra + 1;
    }
    return true;
}

// Windows-1252's letters in 0x80..0x9F (where ISO-8859-1 has control codes); 0 = unassigned.
constexpr uint16_t kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

enum class Charset { Utf8, Latin1, Latin9, Windows1252 };

Charset CharsetNamed(std::string_view name) {
    if (SameText(name, "ISO-8859-1") || SameText(name, "ISO8859-1") || SameText(name, "LATIN1") ||
        SameText(name, "ISO_8859-1")) {
        return Charset::Latin1;
    }
    if (SameText(name, "ISO-8859-15") || SameText(name, "ISO8859-15") || SameText(name, "LATIN9")) {
        return Charset::Latin9;
    }
    if (SameText(name, "WINDOWS-1252") || SameText(name, "CP1252") || SameText(name, "US-ASCII") ||
        SameText(name, "ASCII")) {
        return Charset::Windows1252;
    }
    return Charset::Utf8;  // UTF-8, none given, or one we do not know
}

uint32_t SingleByteCode(Charset charset, uint8_t byte) {
    if (charset == Charset::Windows1252 && byte >= 0x80 && byte < 0xA0) {
        const uint16_t code = kWindows1252High[byte - 0x80];
        return code ? code : 0xFFFD;
    }
    if (charset == Charset::Latin9) {
        switch (byte) {
            case 0xA4:
                return 0x20AC;
            case 0xA6:
                return 0x0160;
            case 0xA8:
                return 0x0161;
            case 0xB4:
                return 0x017D;
            case 0xB8:
                return 0x017E;
            case 0xBC:
                return 0x0152;
            case 0xBD:
                return 0x0153;
            case 0xBE:
                return 0x0178;
            default:
                break;
        }
    }
    return byte;
}

// The text in UTF-8. Text that claims UTF-8 (or nothing) but is not is taken as Windows-1252,
// the usual source of such files.
std::string ToUtf8(std::string_view bytes, Charset charset) {
    if (charset == Charset::Utf8) {
        if (IsValidUtf8(bytes)) return std::string(bytes);
        charset = Charset::Windows1252;
    }
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes)
        AppendUtf8(out, SingleByteCode(charset, static_cast<uint8_t>(c)));
    return out;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "=XX" is the byte XX; an "=" not followed by two hex digits stays as it is, except at the end,
// where it is the soft line break of a value cut off.
std::string DecodeQuotedPrintable(std::string_view text) {
    if (!text.empty() && text.back() == '=') text.remove_suffix(1);
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '=' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Undoes the text escapes \\ \; \, \: and \n (\N); `separator`, when not 0, is a list separator
// that becomes a blank where it is not escaped.
std::string Unescape(std::string_view text, char separator = 0) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            const char next = text[++i];
            if (next == 'n' || next == 'N') {
                out += '\n';
            } else if (next == '\\' || next == ';' || next == ',' || next == ':') {
                out += next;
            } else {
                out += c;
                out += next;
            }
        } else {
            out += (separator != 0 && c == separator) ? ' ' : c;
        }
    }
    return out;
}

// The parts of a structured value (N, ORG) split at unescaped ";".
std::vector<std::string_view> SplitStructured(std::string_view text) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\') {
            ++i;
        } else if (text[i] == ';') {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(text.substr(std::min(start, text.size())));
    return parts;
}

// One unfolded property line, taken apart.
struct Property {
    std::string_view name;  // without its group
    std::string_view value;
    bool quotedPrintable = false;
    bool binary = false;  // ENCODING=B / BASE64: not text
    std::string_view charset;
    int preference = kNoPreference;
};

void ApplyParameter(Property& p, std::string_view key, std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
    }
    if (key.empty()) {  // 2.1's bare parameters: "EMAIL;INTERNET;PREF:"
        key = "TYPE";
        if (SameText(value, "QUOTED-PRINTABLE") || SameText(value, "BASE64")) key = "ENCODING";
    }
    if (SameText(key, "ENCODING")) {
        p.quotedPrintable = SameText(value, "QUOTED-PRINTABLE");
        p.binary = SameText(value, "B") || SameText(value, "BASE64");
    } else if (SameText(key, "CHARSET")) {
        p.charset = value;
    } else if (SameText(key, "PREF")) {
        int n = 0;
        for (char c : value) {
            if (c < '0' || c > '9' || n > kNoPreference) return;
            n = n * 10 + (c - '0');
        }
        if (n >= 1 && n < kNoPreference) p.preference = std::min(p.preference, n);
    } else if (SameText(key, "TYPE")) {
        size_t start = 0;
        while (start <= value.size()) {
            const size_t comma = std::min(value.find(',', start), value.size());
            if (SameText(Trim(value.substr(start, comma - start)), "PREF")) p.preference = 1;
            start = comma + 1;
        }
    }
}

// False when the line is no property (no ":" after the name).
bool ParseProperty(std::string_view line, Property& p) {
    size_t i = line.find_first_of(";:");
    if (i == std::string_view::npos) return false;
    p.name = line.substr(0, i);
    if (const size_t dot = p.name.rfind('.'); dot != std::string_view::npos) {
        p.name = p.name.substr(dot + 1);
    }
    while (line[i] == ';') {
        const size_t start = ++i;
        size_t equals = std::string_view::npos;
        bool quoted = false;
        while (i < line.size() && (quoted || (line[i] != ';' && line[i] != ':'))) {
            if (line[i] == '"') quoted = !quoted;
            if (line[i] == '=' && !quoted && equals == std::string_view::npos) equals = i;
            ++i;
        }
        if (i >= line.size()) return false;
        if (equals == std::string_view::npos) {
            ApplyParameter(p, {}, Trim(line.substr(start, i - start)));
        } else {
            ApplyParameter(p, Trim(line.substr(start, equals - start)),
                           Trim(line.substr(equals + 1, i - equals - 1)));
        }
    }
    p.value = line.substr(i + 1);
    return true;
}

// The property's value as UTF-8 text, escapes still in place.
std::string DecodedText(const Property& p) {
    if (p.quotedPrintable) return ToUtf8(DecodeQuotedPrintable(p.value), CharsetNamed(p.charset));
    return ToUtf8(p.value, CharsetNamed(p.charset));
}

// Collects one card's properties and makes the contact at its end.
class CardBuilder {
  public:
    void Add(const Property& p, const VCardLimits& limits) {
        if (p.binary) return;
        if (SameText(p.name, "EMAIL")) {
            if (emails_.size() >= limits.maxEmailsPerCard) return;
            std::string address(Trim(Unescape(DecodedText(p))));
            if (StartsWithText(address, "mailto:")) address = std::string(Trim(address.substr(7)));
            if (!address.empty()) emails_.push_back({p.preference, std::move(address)});
        } else if (SameText(p.name, "FN") && formatted_.empty()) {
            formatted_ = Trim(Unescape(DecodedText(p)));
        } else if (SameText(p.name, "N") && fromParts_.empty()) {
            const std::string text = DecodedText(p);
            const std::vector<std::string_view> parts = SplitStructured(text);
            // Family;Given;Additional;Prefix;Suffix, written as Prefix Given Additional Family
            // Suffix.
            static constexpr size_t kOrder[] = {3, 1, 2, 0, 4};
            for (size_t index : kOrder) {
                if (index >= parts.size()) continue;
                const std::string part(Trim(Unescape(parts[index], ',')));
                if (part.empty()) continue;
                if (!fromParts_.empty()) fromParts_ += ' ';
                fromParts_ += part;
            }
        } else if (SameText(p.name, "ORG") && organisation_.empty()) {
            const std::string text = DecodedText(p);
            organisation_ = Trim(Unescape(SplitStructured(text).front()));
        }
    }

    VCardContact Finish() {
        VCardContact contact;
        std::stable_sort(emails_.begin(), emails_.end(), [](const Email& a, const Email& b) {
            return a.preference < b.preference;
        });
        for (Email& e : emails_)
            contact.emails.push_back(std::move(e.address));
        if (!formatted_.empty()) {
            contact.name = std::move(formatted_);
        } else if (!fromParts_.empty()) {
            contact.name = std::move(fromParts_);
        } else if (!organisation_.empty()) {
            contact.name = std::move(organisation_);
        } else if (!contact.emails.empty()) {
            contact.name = contact.emails.front();
        }
        *this = CardBuilder();
        return contact;
    }

  private:
    struct Email {
        int preference;
        std::string address;
    };
    std::vector<Email> emails_;
    std::string formatted_;
    std::string fromParts_;
    std::string organisation_;
};

class CardReader {
  public:
    explicit CardReader(const VCardLimits& limits) : limits_(limits) {}

    void Line(std::string_view line) {
        Property p;
        if (!ParseProperty(line, p)) return;
        const bool isCardMark = SameText(Trim(p.value), "VCARD");
        if (isCardMark && SameText(p.name, "BEGIN")) {
            if (++depth_ == 1 && cards_.size() >= limits_.maxCards) {
                ThrowError(kErrFormatInvalid, {kComponentContacts, kUnit, __LINE__});
            }
        } else if (isCardMark && SameText(p.name, "END")) {
            if (depth_ == 1) cards_.push_back(card_.Finish());
            if (depth_ > 0) --depth_;
        } else if (depth_ == 1) {  // properties of an inner card (2.1 AGENT) are not this card's
            card_.Add(p, limits_);
        }
    }

    std::vector<VCardContact> Finish() {
        if (depth_ > 0) cards_.push_back(card_.Finish());  // cut off: keep what it had
        return std::move(cards_);
    }

  private:
    const VCardLimits& limits_;
    size_t depth_ = 0;
    CardBuilder card_;
    std::vector<VCardContact> cards_;
};

// Unfolds the physical lines into property lines. The quoted-printable check needs the
// parameters, which end at the first ":" outside quotes; it is found once per line, scanning only
// what was added since the last look.
class Unfolder {
  public:
    Unfolder(const VCardLimits& limits, CardReader& reader) : limits_(limits), reader_(reader) {}

    void Physical(std::string_view line) {
        const bool folded = !line.empty() && (line[0] == ' ' || line[0] == '\t');
        if (open_ && SoftBreak()) {
            // The "=" of the soft line break goes; a blank after it is taken as folding too.
            logical_.pop_back();
            Append(folded ? line.substr(1) : line);
            return;
        }
        if (open_ && folded) {
            Append(line.substr(1));
            return;
        }
        Flush();
        open_ = true;
        Append(line);
    }

    void Flush() {
        if (open_) reader_.Line(logical_);
        logical_.clear();
        open_ = false;
        scanned_ = 0;
        quoted_ = false;
        paramsEnd_ = std::string::npos;
        quotedPrintable_ = false;
    }

  private:
    void Append(std::string_view part) {
        if (part.size() > limits_.maxLineBytes - logical_.size()) {
            ThrowError(kErrFormatInvalid, {kComponentContacts, kUnit, __LINE__});
        }
        logical_.append(part);
    }

    bool SoftBreak() {
        if (logical_.empty() || logical_.back() != '=') return false;
        for (; paramsEnd_ == std::string::npos && scanned_ < logical_.size(); ++scanned_) {
            const char c = logical_[scanned_];
            if (c == '"') quoted_ = !quoted_;
            if (c == ':' && !quoted_) {
                paramsEnd_ = scanned_;
                std::string upper(logical_, 0, paramsEnd_);
                for (char& u : upper)
                    u = Lower(u);
                quotedPrintable_ = upper.find("quoted-printable") != std::string::npos;
            }
        }
        return quotedPrintable_;
    }

    const VCardLimits& limits_;
    CardReader& reader_;
    std::string logical_;
    bool open_ = false;
    size_t scanned_ = 0;
    bool quoted_ = false;
    size_t paramsEnd_ = std::string::npos;
    bool quotedPrintable_ = false;
};

}  // namespace

std::vector<VCardContact> ParseVCards(std::string_view bytes, const VCardLimits& limits) {
    CardReader reader(limits);
    Unfolder unfolder(limits, reader);
    size_t start = 0;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") start = 3;  // a UTF-8 byte-order mark
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        unfolder.Physical(line);
        start = end + 1;
    }
    unfolder.Flush();
    return reader.Finish();
}

}  // namespace xelo
