// Edits one key of one group in the text of a freedesktop key file (mimeapps.list and the like)
// and leaves every other byte as it was: other lines, comments, groups, blank lines and line ends.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace xelo {

class CKeyFileText {
  public:
    explicit CKeyFileText(const std::string& text);

    // The value of `key` in the first group named `group`; nothing when either is missing.
    std::optional<std::string> Value(const std::string& group, const std::string& key) const;
    // Replaces the key's line, or adds one after the group's last entry; a missing group is
    // added at the end.
    void SetValue(const std::string& group, const std::string& key, const std::string& value);
    // Removes the key's line; false when there was none.
    bool Remove(const std::string& group, const std::string& key);

    std::string Text() const;

  private:
    struct Line {
        std::string body;  // without its line end
        std::string end;   // "\n", "\r\n" or "" for a last line without one
    };
    // The index of the group's header line, or npos.
    size_t FindGroup(const std::string& group) const;
    // The index of the key's line within the group starting at `header`, or npos.
    size_t FindKey(size_t header, const std::string& key) const;

    std::vector<Line> lines_;
};

}  // namespace xelo
