// The recent folder list.
#include "album/RecentFolders.h"

#include <algorithm>

#include "base/Registry.h"

namespace xelo {

namespace {
std::string ValueName(size_t position) {
    return std::string(reg::kRecent) + std::to_string(position);
}
}  // namespace

void CRecentFolders::Add(const std::string& path) {
    const auto same = std::find(folders_.begin(), folders_.end(), path);
    if (same != folders_.end()) {
        folders_.erase(same);
    } else if (folders_.size() >= kMaxFolders) {
        folders_.resize(kMaxFolders - 1);
    }
    folders_.insert(folders_.begin(), path);
}

void CRecentFolders::Load(const Registry& registry) {
    folders_.clear();
    for (size_t i = 1; i <= kMaxFolders; ++i) {
        const auto path = registry.ReadString(reg::kStrings, ValueName(i));
        if (path && !path->empty()) folders_.push_back(*path);
    }
}

void CRecentFolders::Save(Registry& registry) const {
    for (size_t i = 0; i < folders_.size(); ++i) {
        registry.WriteString(reg::kStrings, ValueName(i + 1), folders_[i]);
    }
}

}  // namespace xelo
