// The folders plug-ins are loaded from: the program's own folder and the installed plug-in folder
// beside it. Never the working folder or a path from the environment, so that nobody can slip a
// library into the program by where it is started from.
#pragma once

#include <filesystem>
#include <vector>

namespace xelo::output {

// The executable's folder, then the installed plug-in folder when it is a different one that
// exists; empty when the executable cannot be found.
std::vector<std::filesystem::path> PluginFolders();

}  // namespace xelo::output
