// The desktop program's own start options, taken out of the arguments before the command line
// is parsed: --screen WxH (a virtual screen of that size), --screenshot FILE (write the window's
// picture once the first screen is complete, then quit) and --log (start-up timings and the
// folder and mode of every start, on standard error). --help and --version answer and end the
// program before any window or display is needed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "image/Geometry.h"

namespace xelo {

struct StartOptions {
    std::optional<Size> screen;
    std::string screenshot;
    bool log = false;
    std::string error;  // set when an option was malformed
};

// "240x320" → 240 × 320; none unless both are 1..16384.
std::optional<Size> ParseScreenSize(std::string_view text);

// What --help and --version print, when one of them is among the arguments (the first wins).
std::optional<std::string> ImmediateAnswer(const std::vector<std::string>& arguments,
                                           std::string_view version);

// Removes the start options (both "--opt value" and "--opt=value") from `arguments`.
StartOptions ExtractStartOptions(std::vector<std::string>& arguments);

}  // namespace xelo
