// CImageSearch: Find's walk over a folder, and with subfolders over its subtree in the folder
// tree's order, stopping at each hit and going on from there.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "album/FindCriteria.h"
#include "album/FolderEnum.h"

namespace xelo {

// The subfolders of `folder` as the folder tree lists them: hidden ones left out, sorted
// without regard to case.
std::vector<std::string> ListSubfolderNames(const std::string& folder);

class CImageSearch {
  public:
    enum class Step { kHit, kMore, kDone };
    // The deepest level the walk enters below the start folder.
    static constexpr size_t kMaxDepth = 64;

    explicit CImageSearch(FindCriteria criteria, std::string_view extensions = kImageExtensions);

    // Enters the next folder, or tests up to `budget` files of the current one. kHit stops on
    // a passing file; kMore means there is more to do (a caller yields to its event loop
    // between calls); kDone, the walk climbed above the start folder.
    Step Advance(size_t budget);
    // Advances until the next hit (true) or the end (false).
    bool FindNext();

    // The folder being searched, and after kHit the hit's folder.
    const std::string& Folder() const { return folder_; }
    const std::string& HitName() const { return hit_; }
    std::string HitPath() const { return JoinPath(folder_, hit_); }
    bool Done() const { return phase_ == Phase::kDone; }
    const FindCriteria& Criteria() const { return criteria_; }

  private:
    enum class Phase { kEnter, kFiles, kDescend, kDone };
    struct Level {
        std::string path;
        unsigned long long device = 0;
        unsigned long long inode = 0;
        std::vector<std::string> children;
        size_t next = 0;
        bool listed = false;
    };

    void Enter();
    // Moves to the next folder of the walk, or ends it.
    void MoveOn();
    bool OnCurrentPath(const Level& candidate) const;

    FindCriteria criteria_;
    std::string extensions_;
    std::vector<Level> levels_;  // the start folder, then one per level entered
    std::vector<FindData> files_;
    size_t nextFile_ = 0;
    Phase phase_ = Phase::kEnter;
    std::string folder_;
    std::string hit_;
};

}  // namespace xelo
