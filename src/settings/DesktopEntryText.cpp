#include "settings/DesktopEntryText.h"

#include <string_view>

namespace xelo {

namespace {

// Paths are quoted whatever they hold; options stand bare when they can.
bool NeedsQuotes(const std::string& arg) {
    if (arg.empty() || arg[0] != '-') return true;
    for (char c : arg) {
        if (std::string_view(" \t\n\"'\\><~|&;$*?#()`=").find(c) != std::string_view::npos)
            return true;
    }
    return false;
}

}  // namespace

std::string EscapeDesktopValue(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        switch (const char c = text[i]) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            case ' ':
                out += i == 0 ? "\\s" : " ";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string UnescapeDesktopValue(const std::string& value) {
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const char c = value[++i];
        out += c == 's' ? ' ' : c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c;
    }
    return out;
}

std::string DesktopExecValue(const std::vector<std::string>& arguments) {
    std::string exec;
    for (const std::string& arg : arguments) {
        if (!exec.empty()) exec += ' ';
        std::string quoted;
        for (char c : arg) {
            if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
            quoted += c;
            if (c == '%') quoted += '%';
        }
        exec += NeedsQuotes(arg) ? "\"" + quoted + "\"" : quoted;
    }
    return EscapeDesktopValue(exec);
}

bool ParseDesktopExec(const std::string& value, std::vector<std::string>& arguments) {
    const std::string exec = UnescapeDesktopValue(value);
    arguments.clear();
    std::string arg;
    bool inArg = false;
    bool quoted = false;
    for (size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (quoted) {
            if (c == '"') {
                quoted = false;
            } else if (c == '\\' && i + 1 < exec.size()) {
                arg += exec[++i];
            } else {
                arg += c;
            }
        } else if (c == ' ' || c == '\t' || c == '\n') {
            if (inArg) arguments.push_back(arg);
            arg.clear();
            inArg = false;
        } else {
            inArg = true;
            if (c == '"') {
                quoted = true;
            } else {
                arg += c;
            }
        }
        if (c == '%' && i + 1 < exec.size() && exec[i + 1] == '%') ++i;
    }
    if (quoted) return false;
    if (inArg) arguments.push_back(arg);
    return true;
}

}  // namespace xelo
