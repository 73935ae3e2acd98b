// The shooting date shown on the fourth line of a List-mode row: the Exif original date, else
// the digitised date, else the file's Exif date.
#pragma once

#include <string>

namespace xelo {

// The date's Exif text, or empty when the file has none or its Exif block cannot be read.
std::string ReadShootingDate(const std::string& path);

}  // namespace xelo
