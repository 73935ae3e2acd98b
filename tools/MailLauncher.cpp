// `xelo-tool mail` runs the mail program in place of the tool: only that program links the mail
// libraries, so the other verbs start without loading them.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "Verbs.h"

namespace xelo::tool {

namespace {

constexpr const char* kMailProgram = "xelo-tool-mail";

// Beside the tool in a build; in the installed helper folder found from the tool's own folder.
std::filesystem::path FindMailProgram() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return kMailProgram;
    const std::filesystem::path beside = self.parent_path() / kMailProgram;
    if (::access(beside.c_str(), X_OK) == 0) return beside;
    return (self.parent_path() / XELO_MAIL_FROM_BIN / kMailProgram).lexically_normal();
}

}  // namespace

int RunMailProgram(const std::vector<std::string>& args) {
    const std::filesystem::path program = FindMailProgram();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(kMailProgram));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    return UsageError("mail", "cannot start " + program.string() + ": " + std::strerror(errno));
}

}  // namespace xelo::tool
