// Folder enumeration with opendir/readdir and one fstatat per candidate file.
#include "album/FolderEnum.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace xelo {

namespace {

bool OnReadOnlyMount(int dirFd) {
    struct statvfs vfs {};
    return ::fstatvfs(dirFd, &vfs) == 0 && (vfs.f_flag & ST_RDONLY) != 0;
}

// Fills `data` from the file `name` in the open folder; false for anything but a regular file.
bool Facts(int dirFd, const char* name, bool readOnlyMount, FindData& data) {
    struct stat st {};
    if (::fstatat(dirFd, name, &st, 0) != 0 || !S_ISREG(st.st_mode)) return false;
    data.name = name;
    data.size = static_cast<uint64_t>(st.st_size);
    data.writeTime = int64_t{st.st_mtim.tv_sec} * 1'000'000'000 + st.st_mtim.tv_nsec;
    data.inRom = readOnlyMount;
    data.readOnly = readOnlyMount || ::faccessat(dirFd, name, W_OK, AT_EACCESS) != 0;
    return true;
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool ExtensionCounts(std::string_view name, std::string_view extensionList) {
    if (extensionList.empty()) return true;
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot + 1 == name.size()) return false;
    std::string key;
    key.reserve(name.size() - dot);
    for (char c : name.substr(dot + 1))
        key += Lower(c);
    key += '|';
    return extensionList.find(key) != std::string_view::npos;
}

int EnumerateFiles(const std::string& folder, std::string_view extensionList,
                   const std::function<bool(const FindData&)>& callback) {
    DIR* dir = ::opendir(folder.empty() ? "/" : folder.c_str());
    if (dir == nullptr) return -1;
    struct Closer {
        DIR* dir;
        ~Closer() { ::closedir(dir); }
    } closer{dir};
    const int dirFd = ::dirfd(dir);
    const bool readOnlyMount = OnReadOnlyMount(dirFd);
    std::vector<FindData> found;
    FindData data;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_type == DT_DIR) continue;
        if (!ExtensionCounts(entry->d_name, extensionList)) continue;
        if (!Facts(dirFd, entry->d_name, readOnlyMount, data)) continue;
        found.push_back(data);
    }
    std::sort(found.begin(), found.end(), [](const FindData& a, const FindData& b) {
        return CompareFileNames(a.name, b.name) < 0;
    });
    for (const FindData& file : found) {
        if (!callback(file)) return -2;
    }
    return static_cast<int>(found.size());
}

int CompareFileNames(const std::string& a, const std::string& b) {
    const int folded = ::strcasecmp(a.c_str(), b.c_str());
    return folded != 0 ? folded : a.compare(b);
}

bool ReadFindData(const std::string& folder, const std::string& name, FindData& data) {
    const int dirFd =
        ::open(folder.empty() ? "/" : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0) return false;
    const bool ok = Facts(dirFd, name.c_str(), OnReadOnlyMount(dirFd), data);
    ::close(dirFd);
    return ok;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (path.empty() || path.back() != '/') path += '/';
    path += name;
    return path;
}

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsRegularFile(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace xelo
