// Enumerating the image files of a folder: the file facts of each file whose extension is in the
// program's extension list.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace xelo {

// Lower-case extensions, each followed by "|".
inline constexpr std::string_view kImageExtensions =
    "2bp|bmp|jpg|jpeg|jpe|gif|giff|png|apng|webp|tif|tiff|heic|heif|hif|avif|";

// The facts the enumeration reports for one file.
struct FindData {
    std::string name;       // bare name as the file system reports it
    uint64_t size = 0;      // bytes
    int64_t writeTime = 0;  // last write, nanoseconds since 1970-01-01 UTC
    bool readOnly = false;  // the user cannot write the file
    bool inRom = false;     // the file lies on a read-only mount
};

// Whether a file name counts: every name when the list is empty; otherwise the text after the
// last "." must be non-empty and, in lower case followed by "|", occur anywhere in the list (so
// "peg" counts through "jpeg|").
bool ExtensionCounts(std::string_view name, std::string_view extensionList);

// The Name sort's order: names compared without regard to case (ASCII letters folded), names
// that fold alike by their bytes. Negative, zero or positive.
int CompareFileNames(const std::string& a, const std::string& b);

// Calls `callback` for every regular file of `folder` that counts, in the Name sort's order (the
// file system's own order is arbitrary and differs between file systems). Returns the number
// counted, -2 when the callback stopped it by returning false, and -1 when the folder cannot be
// enumerated.
int EnumerateFiles(const std::string& folder, std::string_view extensionList,
                   const std::function<bool(const FindData&)>& callback);

// The current facts of one file; false when it is gone or not a regular file.
bool ReadFindData(const std::string& folder, const std::string& name, FindData& data);

// folder + "/" + name, without doubling the root's "/".
std::string JoinPath(std::string_view folder, std::string_view name);
// True for an existing directory (symbolic links followed).
bool IsDirectory(const std::string& path);
// True for an existing regular file.
bool IsRegularFile(const std::string& path);

}  // namespace xelo
