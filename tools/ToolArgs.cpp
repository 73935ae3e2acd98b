// Argument parsing for xelo-tool verbs.
#include "ToolArgs.h"
#include "FileOperands.h"
#include "Verbs.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>

namespace xelo::tool {

bool ToolArgs::Parse(const std::vector<std::string>& words, const std::vector<std::string>& valued,
                     std::string& error) {
    bool optionsEnded = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (!optionsEnded && w == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && w.size() > 1 && w[0] == '-') {
            std::string name = w;
            std::string value;
            const size_t eq = w.find('=');
            const bool inlineValue = w.rfind("--", 0) == 0 && eq != std::string::npos;
            if (inlineValue) {
                name = w.substr(0, eq);
                value = w.substr(eq + 1);
            }
            if (std::find(valued.begin(), valued.end(), name) != valued.end() && !inlineValue) {
                if (i + 1 >= words.size()) {
                    error = "option " + name + " needs a value";
                    return false;
                }
                value = words[++i];
            }
            options_.emplace_back(name, value);
        } else {
            operands_.push_back(w);
        }
    }
    return true;
}

bool ToolArgs::Has(const std::string& option) const {
    return std::any_of(options_.begin(), options_.end(),
                       [&](const auto& o) { return o.first == option; });
}

std::optional<std::string> ToolArgs::Value(const std::string& option) const {
    for (auto it = options_.rbegin(); it != options_.rend(); ++it) {
        if (it->first == option) return it->second;
    }
    return std::nullopt;
}

std::vector<std::string> ToolArgs::Unknown(const std::vector<std::string>& known) const {
    std::vector<std::string> unknown;
    for (const auto& o : options_) {
        if (std::find(known.begin(), known.end(), o.first) == known.end())
            unknown.push_back(o.first);
    }
    return unknown;
}

std::optional<int> ParseInt(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

std::optional<Size> ParseSize(const std::string& text) {
    const size_t x = text.find_first_of("xX");
    if (x == std::string::npos) return std::nullopt;
    const auto w = ParseInt(text.substr(0, x));
    const auto h = ParseInt(text.substr(x + 1));
    if (!w || !h) return std::nullopt;
    return Size{*w, *h};
}

std::string Extension(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

int UsageError(const char* verb, const std::string& message) {
    std::fprintf(stderr, "xelo-tool %s: %s\n", verb, message.c_str());
    return 2;
}

void PrintFileError(const std::string& file, unsigned code, const std::string& text) {
    std::string oneLine = text;
    for (char& c : oneLine) {
        if (c == '\n') c = ' ';
    }
    std::printf("%s: error %u: %s\n", Printable(file).c_str(), code, oneLine.c_str());
}

}  // namespace xelo::tool
