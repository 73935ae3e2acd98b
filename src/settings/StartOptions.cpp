// Taking the desktop start options out of the argument list.
#include "settings/StartOptions.h"

#include <charconv>

namespace xelo {

namespace {

std::optional<int> ParseDimension(std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 1 || value > 16384) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<Size> ParseScreenSize(std::string_view text) {
    const size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos) return std::nullopt;
    const auto w = ParseDimension(text.substr(0, x));
    const auto h = ParseDimension(text.substr(x + 1));
    if (!w || !h) return std::nullopt;
    return Size{*w, *h};
}

std::optional<std::string> ImmediateAnswer(const std::vector<std::string>& arguments,
                                           std::string_view version) {
    for (const std::string& a : arguments) {
        if (a == "--version") return "xelo_album " + std::string(version) + "\n";
        if (a == "--help") {
            return "Usage: xelo_album [OPTION] [FOLDER | IMAGE]\n"
                   "Browse the images of a folder, or open one image.\n\n"
                   "  -t FOLDER      open FOLDER as thumbnails\n"
                   "  -l FOLDER      open FOLDER as a list\n"
                   "  -f FOLDER      open FOLDER as file names\n"
                   "  -s FOLDER      play FOLDER as a slide show\n"
                   "  -i IMAGE       open IMAGE beside the thumbnail strip\n"
                   "  -fs IMAGE      open IMAGE full screen\n"
                   "  IMAGE          open IMAGE as the open-image preference says\n"
                   "  --screen WxH   draw on a virtual screen of that size\n"
                   "  --screenshot FILE  save the window's picture to FILE and quit\n"
                   "  --log          report start-up timings on standard error\n"
                   "  --help         show this help and quit\n"
                   "  --version      show the version and quit\n\n"
                   "Without arguments the last folder opens in the start-up mode.\n"
                   "A running window takes over the arguments of a second start.\n";
        }
    }
    return std::nullopt;
}

StartOptions ExtractStartOptions(std::vector<std::string>& arguments) {
    StartOptions options;
    std::vector<std::string> rest;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        std::string name = a;
        std::optional<std::string> value;
        const size_t eq = a.find('=');
        if (a.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = a.substr(0, eq);
            value = a.substr(eq + 1);
        }
        const bool takesValue = name == "--screen" || name == "--screenshot";
        if (takesValue && !value) {
            if (i + 1 >= arguments.size()) {
                options.error = name + " needs a value";
                continue;
            }
            value = arguments[++i];
        }
        if (name == "--screen") {
            options.screen = ParseScreenSize(*value);
            if (!options.screen) options.error = "--screen takes WxH, e.g. 240x320";
        } else if (name == "--screenshot") {
            options.screenshot = *value;
        } else if (a == "--log") {
            options.log = true;
        } else {
            rest.push_back(a);
        }
    }
    arguments = std::move(rest);
    return options;
}

}  // namespace xelo
