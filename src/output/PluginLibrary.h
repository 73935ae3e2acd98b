// A plug-in library: found in the program's folders, probed in a child process, then loaded with
// every export it must have resolved.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace xelo::output {

class PluginLibrary {
  public:
    // Loads the library and resolves every name in `exports`; nullptr (and `why`) when the library
    // cannot be loaded or lacks one of them.
    static std::unique_ptr<PluginLibrary> Open(const std::filesystem::path& file,
                                               std::span<const char* const> exports,
                                               std::string* why = nullptr);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    // The export by its position in the list given to Open.
    void* Export(size_t index) const { return exports_[index]; }
    // Any other export, or nullptr (for optional ones).
    void* Find(const char* name) const;
    const std::filesystem::path& File() const { return file_; }

  private:
    PluginLibrary(std::filesystem::path file, void* handle) : file_(std::move(file)), handle_(handle) {}
    std::filesystem::path file_;
    void* handle_;
    std::vector<void*> exports_;
};

// Loads the library in a forked child, resolves `exports` and calls `driverCheck` (an export taking
// nothing and returning int, 0 = installed) there, so a library that crashes or hangs while loading
// cannot take the program down. True when the child reports success within `timeout`.
// Call it before the program starts threads of its own: the child only loads and calls the library.
bool ProbePlugin(const std::filesystem::path& file, std::span<const char* const> exports,
                 const char* driverCheck, std::chrono::milliseconds timeout, std::string* why = nullptr);

// The regular files named "*<extension>" in `folders`, folder by folder, names in byte order within
// a folder; a file found again (the same real path) is listed once.
std::vector<std::filesystem::path> FindPluginFiles(const std::vector<std::filesystem::path>& folders,
                                                   std::string_view extension);

}  // namespace xelo::output
