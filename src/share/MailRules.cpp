// Address and ratio rules of "Send via E-mail".
#include "share/MailRules.h"

#include <climits>

namespace xelo {

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

std::string TrimBoth(std::string_view text) {
    size_t first = 0;
    while (first < text.size() && IsSpace(text[first]))
        ++first;
    return TrimEnd(text.substr(first));
}

std::string TrimEnd(std::string_view text) {
    size_t end = text.size();
    while (end > 0 && IsSpace(text[end - 1]))
        --end;
    return std::string(text.substr(0, end));
}

bool LooksLikeAddress(std::string_view field) {
    const std::string trimmed = TrimBoth(field);
    return trimmed.find('@') != std::string::npos && trimmed.size() > 2;
}

bool CanSend(std::string_view to, std::string_view cc) {
    return LooksLikeAddress(to) || LooksLikeAddress(cc);
}

bool NeedsAddressConfirmation(std::string_view field) {
    return !TrimBoth(field).empty() && !LooksLikeAddress(field);
}

std::optional<int> ParseLeadingInt(std::string_view text) {
    size_t at = 0;
    while (at < text.size() && IsSpace(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
    const size_t digits = at;
    long long value = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        if (value < INT_MAX) value = value * 10 + (text[at] - '0');
        ++at;
    }
    if (at == digits) return std::nullopt;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<int>(negative ? -value : value);
}

std::optional<int> EffectiveRatio(std::string_view text, bool reduce) {
    const std::optional<int> ratio = ParseLeadingInt(text);
    if (ratio && *ratio >= kMinMailRatio && *ratio <= kMaxMailRatio) return ratio;
    if (!reduce) return kUnusedMailRatio;
    return std::nullopt;
}

std::string RatioText(int ratio) {
    return std::to_string(ratio) + "%";
}

std::vector<std::string> SplitAddresses(std::string_view field) {
    std::vector<std::string> out;
    std::string part;
    bool quoted = false;  // a display name in quotes may hold the separators
    for (size_t at = 0; at <= field.size(); ++at) {
        const char c = at < field.size() ? field[at] : ';';
        if (c == '"') quoted = !quoted;
        if ((c == ';' || c == ',') && (!quoted || at == field.size())) {
            std::string trimmed = TrimBoth(part);
            if (!trimmed.empty()) out.push_back(std::move(trimmed));
            part.clear();
            quoted = false;
        } else {
            part += c;
        }
    }
    return out;
}

std::string JoinAddresses(const std::vector<std::string>& addresses) {
    std::string out;
    for (const std::string& a : addresses) {
        if (!out.empty()) out += "; ";
        out += a;
    }
    return out;
}

}  // namespace xelo
