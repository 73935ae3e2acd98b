#include "output/PluginLibrary.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <set>
#include <system_error>
#include <thread>

namespace xelo::output {

namespace fs = std::filesystem;

std::unique_ptr<PluginLibrary> PluginLibrary::Open(const fs::path& file,
                                                   std::span<const char* const> exports,
                                                   std::string* why) {
    // RTLD_LOCAL keeps one plug-in's symbols from answering another's lookups.
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        if (why) {
            const char* error = dlerror();
            *why = error ? error : "cannot load " + file.string();
        }
        return nullptr;
    }
    std::unique_ptr<PluginLibrary> library(new PluginLibrary(file, handle));
    for (const char* name : exports) {
        void* symbol = dlsym(handle, name);
        if (!symbol) {
            if (why) *why = file.filename().string() + " lacks the export " + name;
            return nullptr;
        }
        library->exports_.push_back(symbol);
    }
    return library;
}

PluginLibrary::~PluginLibrary() { dlclose(handle_); }

void* PluginLibrary::Find(const char* name) const { return dlsym(handle_, name); }

namespace {

// What the probe child tells its parent through its exit status.
enum ProbeStatus : int { kProbeLoaded = 0, kProbeNoLibrary = 10, kProbeNoDriver = 11 };

// The child's word that it got through: an exit status alone could come from a library that
// calls exit(0) while loading.
constexpr char kProbeDone = 'k';

[[noreturn]] void RunProbeChild(const fs::path& file, std::span<const char* const> exports,
                                const char* driverCheck, int report) {
    // A crash must end the child with its signal, not run the parent's crash handlers (a test
    // framework's stack dump, a program's own clean-up) in a copy of the parent.
    for (int crash : {SIGABRT, SIGSEGV, SIGBUS, SIGILL, SIGFPE}) signal(crash, SIG_DFL);
    auto library = PluginLibrary::Open(file, exports);
    if (!library) _exit(kProbeNoLibrary);
    auto check = reinterpret_cast<int (*)()>(library->Find(driverCheck));
    if (!check || check() != 0) _exit(kProbeNoDriver);
    if (write(report, &kProbeDone, 1) != 1) _exit(kProbeNoLibrary);
    // _exit skips the library's destructors and the program's atexit handlers, which belong to the
    // parent.
    _exit(kProbeLoaded);
}

}  // namespace

bool ProbePlugin(const fs::path& file, std::span<const char* const> exports, const char* driverCheck,
                 std::chrono::milliseconds timeout, std::string* why) {
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
        if (why) *why = std::error_code(errno, std::generic_category()).message();
        return false;
    }
    const pid_t child = fork();
    if (child < 0) {
        if (why) *why = std::error_code(errno, std::generic_category()).message();
        close(report[0]);
        close(report[1]);
        return false;
    }
    if (child == 0) {
        close(report[0]);
        RunProbeChild(file, exports, driverCheck, report[1]);
    }
    close(report[1]);
    struct Closer {
        int fd;
        ~Closer() { close(fd); }
    } reader{report[0]};

    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child) break;
        if (done < 0 && errno != EINTR) {
            if (why) *why = "lost the probe of " + file.filename().string();
            return false;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            if (why) *why = file.filename().string() + " did not finish loading in time";
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (WIFSIGNALED(status)) {
        if (why) *why = file.filename().string() + " crashed while loading (signal " +
                        std::to_string(WTERMSIG(status)) + ")";
        return false;
    }
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    char word = 0;
    if (code == kProbeLoaded && read(reader.fd, &word, 1) == 1 && word == kProbeDone) return true;
    if (why) {
        *why = file.filename().string() + (code == kProbeNoLibrary ? " cannot be loaded or lacks an export"
                                           : code == kProbeNoDriver ? ": its driver is not installed"
                                                                    : " failed while loading");
    }
    return false;
}

std::vector<fs::path> FindPluginFiles(const std::vector<fs::path>& folders, std::string_view extension) {
    std::vector<fs::path> found;
    std::set<fs::path> seen;
    for (const fs::path& folder : folders) {
        std::error_code error;
        std::vector<fs::path> here;
        for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
            const fs::path& path = it->path();
            const std::string name = path.filename().string();
            if (name.size() <= extension.size() || !name.ends_with(extension)) continue;
            if (!it->is_regular_file(error)) continue;  // follows links; skips folders
            here.push_back(path);
        }
        std::sort(here.begin(), here.end());
        for (fs::path& path : here) {
            const fs::path real = fs::weakly_canonical(path, error);
            if (seen.insert(error ? path : real).second) found.push_back(std::move(path));
        }
    }
    return found;
}

}  // namespace xelo::output
