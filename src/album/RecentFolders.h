// The recently opened folders, most recent first, at most five; kept in "Strings" / "Recent1".."5".
#pragma once

#include <string>
#include <vector>

namespace xelo {

class Registry;

class CRecentFolders {
  public:
    static constexpr size_t kMaxFolders = 5;

    // Puts `path` at the head: an equal entry moves up, else the oldest drops when five are kept.
    void Add(const std::string& path);
    const std::vector<std::string>& Folders() const { return folders_; }

    // Appends every non-empty "Recent1".."Recent5" in order.
    void Load(const Registry& registry);
    // Writes "Recent1" (the head) .. "RecentN".
    void Save(Registry& registry) const;

  private:
    std::vector<std::string> folders_;
};

}  // namespace xelo
