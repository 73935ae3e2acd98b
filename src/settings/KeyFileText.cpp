#include "settings/KeyFileText.h"

namespace xelo {

namespace {

constexpr size_t kNone = std::string::npos;

std::string Trim(const std::string& s) {
    const size_t first = s.find_first_not_of(" \t");
    if (first == kNone) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

bool IsGroupHeader(const std::string& body) {
    const std::string t = Trim(body);
    return t.size() >= 2 && t.front() == '[' && t.back() == ']';
}

// The key of an entry line ("Key = value" allows blanks around "="); empty for other lines.
std::string KeyOf(const std::string& body) {
    const std::string t = Trim(body);
    if (t.empty() || t[0] == '#' || t[0] == '[') return {};
    const size_t eq = t.find('=');
    return eq == kNone ? std::string() : Trim(t.substr(0, eq));
}

}  // namespace

CKeyFileText::CKeyFileText(const std::string& text) {
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t nl = text.find('\n', pos);
        Line line;
        if (nl == kNone) {
            line.body = text.substr(pos);
            pos = text.size();
        } else {
            line.body = text.substr(pos, nl - pos);
            line.end = "\n";
            pos = nl + 1;
        }
        if (!line.body.empty() && line.body.back() == '\r' && !line.end.empty()) {
            line.body.pop_back();
            line.end = "\r\n";
        }
        lines_.push_back(std::move(line));
    }
}

std::string CKeyFileText::Text() const {
    std::string out;
    for (const Line& l : lines_)
        out += l.body + l.end;
    return out;
}

size_t CKeyFileText::FindGroup(const std::string& group) const {
    const std::string header = "[" + group + "]";
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (Trim(lines_[i].body) == header) return i;
    }
    return kNone;
}

size_t CKeyFileText::FindKey(size_t header, const std::string& key) const {
    for (size_t i = header + 1; i < lines_.size() && !IsGroupHeader(lines_[i].body); ++i) {
        if (KeyOf(lines_[i].body) == key) return i;
    }
    return kNone;
}

std::optional<std::string> CKeyFileText::Value(const std::string& group,
                                               const std::string& key) const {
    const size_t header = FindGroup(group);
    if (header == kNone) return std::nullopt;
    const size_t at = FindKey(header, key);
    if (at == kNone) return std::nullopt;
    const std::string& body = lines_[at].body;
    return Trim(body.substr(body.find('=') + 1));
}

void CKeyFileText::SetValue(const std::string& group, const std::string& key,
                            const std::string& value) {
    // New lines take the file's own line end.
    const std::string end = !lines_.empty() && lines_.front().end == "\r\n" ? "\r\n" : "\n";
    size_t header = FindGroup(group);
    if (header == kNone) {
        if (!lines_.empty() && lines_.back().end.empty()) lines_.back().end = end;
        if (!lines_.empty() && !Trim(lines_.back().body).empty()) lines_.push_back({"", end});
        lines_.push_back({"[" + group + "]", end});
        lines_.push_back({key + "=" + value, end});
        return;
    }
    const size_t at = FindKey(header, key);
    if (at != kNone) {
        lines_[at].body = key + "=" + value;
        return;
    }
    // After the group's last entry, so the blank line or comments before the next group stay
    // where they are.
    size_t after = header;
    for (size_t i = header + 1; i < lines_.size() && !IsGroupHeader(lines_[i].body); ++i) {
        if (!KeyOf(lines_[i].body).empty()) after = i;
    }
    if (lines_[after].end.empty()) lines_[after].end = end;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after) + 1,
                  Line{key + "=" + value, end});
}

bool CKeyFileText::Remove(const std::string& group, const std::string& key) {
    const size_t header = FindGroup(group);
    if (header == kNone) return false;
    const size_t at = FindKey(header, key);
    if (at == kNone) return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(at));
    return true;
}

}  // namespace xelo
