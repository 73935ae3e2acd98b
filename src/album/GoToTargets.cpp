// Go To targets and the storage card search.
#include "album/GoToTargets.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "album/FolderEnum.h"

namespace xelo {

namespace {

// Deeper folders than this are not searched: a card is not that deep, and it bounds the walk.
constexpr int kMaxSearchDepth = 32;

// The sub-folders of `folder` in enumeration order, without "." and "..", links not followed.
std::vector<std::string> SubFolders(const std::string& folder) {
    std::vector<std::string> folders;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return folders;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        const std::string path = JoinPath(folder, name);
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) folders.push_back(path);
    }
    ::closedir(dir);
    return folders;
}

bool HoldsImage(const std::string& folder, std::string_view extensions) {
    return EnumerateFiles(folder, extensions, [](const FindData&) { return false; }) == -2;
}

std::optional<std::string> Search(const std::string& folder, std::string_view extensions,
                                  int depth) {
    if (HoldsImage(folder, extensions)) return folder;
    if (depth >= kMaxSearchDepth) return std::nullopt;
    for (const std::string& sub : SubFolders(folder)) {
        if (auto found = Search(sub, extensions, depth + 1)) return found;
    }
    return std::nullopt;
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    return (home && *home) ? std::string(home) : std::string("/");
}

}  // namespace

std::string ParentFolder(const std::string& folder) {
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0) return "/";
    return path.substr(0, slash);
}

std::string DocumentsFolder() {
    const std::string home = HomeFolder();
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string dirs =
        (config && *config ? std::string(config) : home + "/.config") + "/user-dirs.dirs";
    std::ifstream in(dirs);
    std::string line;
    const std::string key = "XDG_PICTURES_DIR=\"";
    while (std::getline(in, line)) {
        if (line.rfind(key, 0) != 0 || line.back() != '"') continue;
        std::string value = line.substr(key.size(), line.size() - key.size() - 1);
        if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
        if (IsDirectory(value)) return value;
    }
    return home;
}

std::vector<std::string> StorageCardRoots() {
    std::vector<std::string> roots;
    const char* user = std::getenv("USER");
    std::vector<std::string> parents;
    if (user && *user) {
        parents.push_back(std::string("/media/") + user);
        parents.push_back(std::string("/run/media/") + user);
    }
    parents.push_back("/mnt");
    for (const std::string& parent : parents) {
        for (std::string& folder : SubFolders(parent))
            roots.push_back(std::move(folder));
    }
    return roots;
}

std::optional<std::string> FindImageFolder(const std::vector<std::string>& roots,
                                           std::string_view extensions) {
    for (const std::string& root : roots) {
        if (auto found = Search(root, extensions, 0)) return found;
    }
    return std::nullopt;
}

std::vector<GoToMenuItem> RecentMenuItems(const std::vector<std::string>& recent) {
    constexpr size_t kMaxShown = 25;
    constexpr std::string_view kEllipsis = "...";
    std::vector<GoToMenuItem> items;
    for (size_t i = 0; i < recent.size(); ++i) {
        std::string shown = recent[i];
        if (shown.size() > kMaxShown) {
            shown = std::string(kEllipsis) +
                    shown.substr(shown.size() - (kMaxShown - kEllipsis.size()));
        }
        items.push_back({kGoRecentFirst + static_cast<int>(i),
                         std::to_string(recent.size() - i) + " " + shown});
    }
    return items;
}

std::optional<std::string> GoToTarget(int command, const GoToPlaces& places) {
    switch (command) {
        case kGoUpOneLevel:
            return ParentFolder(places.current);
        case kGoDocuments:
            return places.documents;
        case kGoHome:
            return places.home;
        case kGoStorageCard:
            return FindImageFolder(places.cardRoots, places.extensions);
        default:
            break;
    }
    if (command >= kGoRecentFirst && command <= kGoLast) {
        const size_t i = static_cast<size_t>(command - kGoRecentFirst);
        if (i < places.recent.size()) return places.recent[i];
    }
    return std::nullopt;
}

}  // namespace xelo
