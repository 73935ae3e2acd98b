// What Find looks for, and the test of one file against it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "album/FolderEnum.h"

namespace xelo {

// A "File size:" class; the limit itself passes both the "at most" and the "at least" class.
struct FindSizeClass {
    const char* key;  // as xelo-tool spells it: "<50K"
    bool atMost;
    uint64_t limit;  // bytes
};

// A "File type:" class: its label in the string table and its extensions, each followed by "|".
struct FindTypeClass {
    const char* key;  // as xelo-tool spells it: "jpeg"
    uint32_t labelId;
    std::string_view extensions;
};

// Item 0 of each list is "Ignored", which every file passes.
std::span<const FindSizeClass> FindSizeClasses();
std::span<const FindTypeClass> FindTypeClasses();
// The labels of the choices as a field list ("Ignored|< 50 K|...|"), for the dialog's lists.
std::string FindSizeLabels();
std::string FindTypeLabels();

struct FindCriteria {
    std::string name;      // case-insensitive part of the file name; empty: any
    std::string metadata;  // part of some Exif record's value; empty: any
    int sizeClass = 0;     // index into FindSizeClasses()
    int typeClass = 0;     // index into FindTypeClasses()
    bool subfolders = false;
    std::string folder;  // where the search starts; empty: "/"
};

// Whether the file `data` of `folder` passes every criterion. Its extension must already count
// as an image's. The Exif block is read last, only for files that passed the rest; a file
// without one, or with one that cannot be read, fails a metadata criterion.
bool PassesCriteria(const FindCriteria& criteria, const std::string& folder, const FindData& data);

}  // namespace xelo
