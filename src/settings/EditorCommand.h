// The command that opens an image in the user's photo editor, from the "Edit Tool" setting.
#pragma once

#include <string>
#include <vector>

namespace xelo {

// The program and its arguments for `imagePath`: the program is the setting's quoted first part
// or its first word; the arguments are the image path alone, unless the rest of the setting
// holds "%1" after its first character: then it is split as a command line and each "%1" is
// replaced by the path (inside its argument, so a path with blanks stays one argument). Empty
// for an empty setting.
std::vector<std::string> EditorArguments(const std::string& editTool, const std::string& imagePath);

}  // namespace xelo
