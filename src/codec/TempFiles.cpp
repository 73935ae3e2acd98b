// Temporary files of the writers: naming, creation, stale removal and folder sync.
#include "codec/TempFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <mutex>
#include <string_view>
#include <unordered_map>

namespace xelo {

namespace {

constexpr std::string_view kMark = ".xelo-";
constexpr std::string_view kOldCopyMark = "copy-";
constexpr std::string_view kSuffix = ".tmp";
// A folder is searched for stale files at most once in this many seconds by one process.
constexpr time_t kCleanInterval = 60;
constexpr size_t kMaxRememberedFolders = 256;

std::atomic<unsigned> g_counter{0};

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// Reads the digits at `at`; false when there are none.
bool Digits(std::string_view text, size_t& at, long& value) {
    const size_t start = at;
    value = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - start < 12) {
        value = value * 10 + (text[at] - '0');
        ++at;
    }
    return at > start;
}

// True when this process has not searched `folder` within the last interval (and notes it now).
bool DueForCleaning(const std::string& folder) {
    static std::mutex mutex;
    static std::unordered_map<std::string, time_t> lastCleaned;
    const time_t now = ::time(nullptr);
    std::lock_guard<std::mutex> lock(mutex);
    auto it = lastCleaned.find(folder);
    if (it != lastCleaned.end() && now - it->second < kCleanInterval && now >= it->second) {
        return false;
    }
    if (lastCleaned.size() >= kMaxRememberedFolders) lastCleaned.clear();
    lastCleaned[folder] = now;
    return true;
}

bool ProcessGone(long pid) {
    if (pid <= 0) return true;
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

}  // namespace

bool IsOurTempName(const std::string& name, long* pid) {
    const std::string_view text(name);
    if (text.size() <= kSuffix.size() || text.substr(text.size() - kSuffix.size()) != kSuffix) {
        return false;
    }
    const size_t mark = text.rfind(kMark);
    if (mark == std::string_view::npos) return false;
    size_t at = mark + kMark.size();
    if (text.substr(at, kOldCopyMark.size()) == kOldCopyMark) at += kOldCopyMark.size();
    long processId = 0, counter = 0;
    if (!Digits(text, at, processId) || at >= text.size() || text[at] != '-') return false;
    ++at;
    if (!Digits(text, at, counter) || at != text.size() - kSuffix.size()) return false;
    if (pid) *pid = processId;
    return true;
}

int RemoveStaleTemps(const std::string& folder, int minAgeSeconds) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return 0;
    const int dirFd = ::dirfd(dir);
    const time_t now = ::time(nullptr);
    const uid_t me = ::geteuid();
    int removed = 0;
    while (const dirent* d = ::readdir(dir)) {
        long pid = 0;
        if (!IsOurTempName(d->d_name, &pid)) continue;
        struct stat st {};
        if (::fstatat(dirFd, d->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        // Only plain files we own, untouched for a while, whose writer no longer runs.
        if (!S_ISREG(st.st_mode) || st.st_uid != me) continue;
        if (now - st.st_mtim.tv_sec < minAgeSeconds) continue;
        if (!ProcessGone(pid)) continue;
        if (::unlinkat(dirFd, d->d_name, 0) == 0) ++removed;
    }
    ::closedir(dir);
    return removed;
}

int CreateTempBeside(const std::string& target, unsigned mode, std::string& tempPath) {
    const std::string folder = FolderOf(target);
    if (DueForCleaning(folder)) RemoveStaleTemps(folder);
    const std::string prefix = folder == "/" ? std::string("/") : folder + "/";
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[64];
        std::snprintf(name, sizeof name, ".xelo-%ld-%u.tmp", static_cast<long>(::getpid()),
                      g_counter.fetch_add(1));
        tempPath = prefix + name;
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) return fd;
        if (errno != EEXIST) break;
    }
    const int error = errno;
    tempPath.clear();
    errno = error;
    return -1;
}

int SyncFolderOf(const std::string& path) {
    const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    int error = 0;
    // Some file systems cannot sync a folder; the data is then as safe as they make it.
    if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) error = errno;
    ::close(fd);
    return error;
}

}  // namespace xelo
