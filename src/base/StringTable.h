// The program's texts by number: every user-visible text is loaded from here.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace xelo {

// Well-known text numbers used from more than one place.
enum StringId : uint32_t {
    kStrBitmapFiles = 1070,
    kStrAppTitle = 57344,
};

// The text of `id`, or an empty string when the table has none.
std::string LoadString(uint32_t id);
// True when the table holds a text for `id`.
bool HasString(uint32_t id);

// Item `index` (0-based) of a field list such as "Large|Normal|Small|"; empty when out of range.
std::string FieldItem(std::string_view list, int index);

// The text of `id` used as a printf format for `args`. Only texts of our own table are formats,
// so the format is trusted; the arguments must match its conversions.
template <typename... Args>
std::string FormatString(uint32_t id, Args... args) {
    const std::string format = LoadString(id);
    if constexpr (sizeof...(Args) == 0) {
        return format;
    } else {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"
        const int n = std::snprintf(nullptr, 0, format.c_str(), args...);
        if (n <= 0) return std::string();
        std::string out(static_cast<size_t>(n) + 1, '\0');
        std::snprintf(out.data(), out.size(), format.c_str(), args...);
#pragma GCC diagnostic pop
        out.resize(static_cast<size_t>(n));
        return out;
    }
}

}  // namespace xelo
