// The files a verb was given: names as the line-based outputs print them, and the refusal of a
// folder where an image file is expected.
#pragma once

#include <string>

namespace xelo::tool {

// `name` with backslash, line breaks, tabs and other control bytes written as escapes ("\\n",
// "\\t", "\\x1b"), so one file always gives one line (and one field between tabs).
std::string Printable(const std::string& name);

// True, after printing "FILE: error 46012: ... is a folder, not a file", when `file` is a folder.
bool RefuseFolder(const std::string& file);

}  // namespace xelo::tool
