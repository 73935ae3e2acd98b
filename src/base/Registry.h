// The preference store under the program's key: sections holding named binary and string values.
// The desktop program stores it with QSettings; CMemoryRegistry serves the tests and the tool.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace xelo {

class Registry {
  public:
    virtual ~Registry() = default;

    // The value's bytes exactly as written; none when missing or not a binary value.
    virtual std::optional<std::vector<uint8_t>> ReadBinary(std::string_view section,
                                                           std::string_view name) const = 0;
    virtual void WriteBinary(std::string_view section, std::string_view name,
                             const std::vector<uint8_t>& bytes) = 0;
    // None when missing or not a string value.
    virtual std::optional<std::string> ReadString(std::string_view section,
                                                  std::string_view name) const = 0;
    virtual void WriteString(std::string_view section, std::string_view name,
                             std::string_view value) = 0;
};

class CMemoryRegistry : public Registry {
  public:
    std::optional<std::vector<uint8_t>> ReadBinary(std::string_view section,
                                                   std::string_view name) const override;
    void WriteBinary(std::string_view section, std::string_view name,
                     const std::vector<uint8_t>& bytes) override;
    std::optional<std::string> ReadString(std::string_view section,
                                          std::string_view name) const override;
    void WriteString(std::string_view section, std::string_view name,
                     std::string_view value) override;

    bool Has(std::string_view section, std::string_view name) const;
    size_t WriteCount() const { return writes_; }

  private:
    using Key = std::pair<std::string, std::string>;
    using Value = std::variant<std::vector<uint8_t>, std::string>;
    std::map<Key, Value> values_;
    size_t writes_ = 0;
};

// The sections and value names of the program's key.
namespace reg {
inline constexpr std::string_view kUiInfo = "UI Info";
inline constexpr std::string_view kPreferences = "Preferences";
inline constexpr std::string_view kVgaOut = "VGAOut";
inline constexpr std::string_view kStrings = "Strings";
inline constexpr std::string_view kValues = "Values";
inline constexpr std::string_view kPath = "Path";
inline constexpr std::string_view kHome = "Home";
inline constexpr std::string_view kSnapPath = "Snap Path";
inline constexpr std::string_view kSnapName = "Snap Name";
inline constexpr std::string_view kEditTool = "Edit Tool";
inline constexpr std::string_view kFramePath = "Frame Path";
inline constexpr std::string_view kFrameFile = "Frame File";
inline constexpr std::string_view kRecent = "Recent";  // followed by 1..5
inline constexpr std::string_view kCommand = "Command";
// In "Preferences", beside the block: "1" writes the album file of every folder left, "0" (or
// none) only of folders the user arranged or that have one.
inline constexpr std::string_view kAlbumEveryFolder = "Album Every Folder";
inline constexpr std::string_view kThumbnailCache = "Thumbnail Cache";  // "0": off
// In "Preferences": "0" shows pictures as stored; "1" (or none) turns them as the camera recorded.
inline constexpr std::string_view kCameraOrientation = "Camera Orientation";
}  // namespace reg

}  // namespace xelo
