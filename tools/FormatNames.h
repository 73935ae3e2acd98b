// Names of the detected formats as xelo-tool prints them.
#pragma once

#include <string>

namespace xelo::tool {

std::string FormatName(int format);

}  // namespace xelo::tool
