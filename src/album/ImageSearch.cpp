// The walk of Find: files of a folder in the Name sort's order, then the subtree depth first.
#include "album/ImageSearch.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

namespace xelo {

namespace {

bool Identify(const std::string& path, unsigned long long& device, unsigned long long& inode) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    device = st.st_dev;
    inode = st.st_ino;
    return true;
}

}  // namespace

std::vector<std::string> ListSubfolderNames(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.empty() ? "/" : folder.c_str());
    if (!dir) return names;
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name.empty() || name[0] == '.') continue;
        if (IsDirectory(JoinPath(folder, name))) names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return CompareFileNames(a, b) < 0;
    });
    return names;
}

CImageSearch::CImageSearch(FindCriteria criteria, std::string_view extensions)
    : criteria_(std::move(criteria)), extensions_(extensions) {
    Level start;
    start.path = criteria_.folder.empty() ? "/" : criteria_.folder;
    Identify(start.path, start.device, start.inode);
    folder_ = start.path;
    levels_.push_back(std::move(start));
}

void CImageSearch::Enter() {
    folder_ = levels_.back().path;
    files_.clear();
    nextFile_ = 0;
    // A folder that went away (or cannot be read) simply has no files.
    EnumerateFiles(folder_, extensions_, [this](const FindData& data) {
        files_.push_back(data);
        return true;
    });
    phase_ = Phase::kFiles;
}

bool CImageSearch::OnCurrentPath(const Level& candidate) const {
    return std::any_of(levels_.begin(), levels_.end(), [&candidate](const Level& l) {
        return l.device == candidate.device && l.inode == candidate.inode;
    });
}

void CImageSearch::MoveOn() {
    files_.clear();
    if (!criteria_.subfolders) {
        phase_ = Phase::kDone;
        return;
    }
    while (!levels_.empty()) {
        Level& level = levels_.back();
        if (!level.listed) {
            level.listed = true;
            if (levels_.size() <= kMaxDepth) level.children = ListSubfolderNames(level.path);
        }
        while (level.next < level.children.size()) {
            Level child;
            child.path = JoinPath(level.path, level.children[level.next++]);
            // Removed since it was listed, or a link back to a folder being walked: skipped.
            if (!Identify(child.path, child.device, child.inode) || OnCurrentPath(child)) continue;
            levels_.push_back(std::move(child));
            phase_ = Phase::kEnter;
            return;
        }
        levels_.pop_back();
    }
    phase_ = Phase::kDone;
}

CImageSearch::Step CImageSearch::Advance(size_t budget) {
    switch (phase_) {
        case Phase::kDone:
            return Step::kDone;
        case Phase::kEnter:
            Enter();
            return Step::kMore;
        case Phase::kDescend:
            MoveOn();
            return phase_ == Phase::kDone ? Step::kDone : Step::kMore;
        case Phase::kFiles:
            break;
    }
    for (size_t tested = 0; tested < budget && nextFile_ < files_.size(); ++tested) {
        const FindData& data = files_[nextFile_++];
        if (PassesCriteria(criteria_, folder_, data)) {
            hit_ = data.name;
            return Step::kHit;
        }
    }
    if (nextFile_ >= files_.size()) phase_ = Phase::kDescend;
    return Step::kMore;
}

bool CImageSearch::FindNext() {
    for (;;) {
        switch (Advance(256)) {
            case Step::kHit:
                return true;
            case Step::kDone:
                return false;
            case Step::kMore:
                break;
        }
    }
}

}  // namespace xelo
