#include "output/PluginFolders.h"

#include <system_error>

#ifndef XELO_PLUGINS_FROM_BIN
#error "XELO_PLUGINS_FROM_BIN must name the plug-in folder relative to the program's folder"
#endif

namespace xelo::output {

namespace fs = std::filesystem;

std::vector<fs::path> PluginFolders() {
    std::error_code error;
    // The executable itself, wherever it was started from or through whatever link.
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error || program.empty()) return {};
    const fs::path own = program.parent_path();
    std::vector<fs::path> folders{own};
    const fs::path installed = (own / XELO_PLUGINS_FROM_BIN).lexically_normal();
    if (fs::is_directory(installed, error) && !fs::equivalent(installed, own, error)) {
        folders.push_back(installed);
    }
    return folders;
}

}  // namespace xelo::output
