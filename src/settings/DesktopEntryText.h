// The escaping rules of freedesktop desktop entries: string values and the quoted arguments of
// the Exec key.
#pragma once

#include <string>
#include <vector>

namespace xelo {

// A string value as a key file stores it (\\, \n, \t, \r, and \s for a leading blank).
std::string EscapeDesktopValue(const std::string& text);
std::string UnescapeDesktopValue(const std::string& value);

// An Exec value that starts `arguments` (every argument but a plain option double-quoted, "%"
// doubled), already escaped as a string value.
std::string DesktopExecValue(const std::vector<std::string>& arguments);
// The arguments of an Exec value as stored in the file; false when its quoting is broken.
bool ParseDesktopExec(const std::string& value, std::vector<std::string>& arguments);

}  // namespace xelo
