// The name of the next screen-capture file in the capture folder.
#pragma once

#include <string>

namespace xelo {

// The capture formats as the settings number them.
enum SnapFormat : int { kSnapBmp = 0, kSnapJpeg = 1, kSnapGif = 2 };

// ".bmp", ".jpg" or ".gif"; an unknown format counts as BMP.
const char* SnapExtension(int format);

// prefix + n + extension for the first n = 1, 2, ... (written with at least three digits) that
// names nothing in `folder`; empty when every number up to 999998 is taken.
std::string NextSnapName(const std::string& folder, const std::string& prefix, int format);

}  // namespace xelo
