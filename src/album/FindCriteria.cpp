// The size and type classes of Find, and the test of one file.
#include "album/FindCriteria.h"

#include <algorithm>

#include "base/StringTable.h"
#include "codec/ExifReader.h"
#include "image/ErrorCodes.h"
#include "image/TavoException.h"

namespace xelo {

namespace {

constexpr uint32_t kStrSizeLabels = 2701;  // "Ignored|< 50 K|> 50 K|...|"
constexpr uint32_t kStrIgnored = 2702;

constexpr FindSizeClass kSizes[] = {
    {"", false, 0},           {"<50K", true, 51200},    {">50K", false, 51200},
    {"<100K", true, 102400},  {">100K", false, 102400}, {"<200K", true, 204800},
    {">200K", false, 204800},
};

// A new format joins Find with one row here and its label in the string table.
constexpr FindTypeClass kTypes[] = {
    {"", kStrIgnored, ""},
    {"jpeg", 2703, "jpg|jpeg|jpe|"},
    {"gif", 2704, "gif|giff|"},
    {"bmp", 2705, "2bp|bmp|"},
};

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

bool MetadataContains(const std::string& path, const std::string& text) {
    ExifRecords records;
    try {
        CExifReader reader;
        if (!reader.ReadAll(path, records)) return false;
    } catch (const CTavoException& e) {
        // A damaged block is a file without metadata; only the lack of memory ends the search.
        if (e.GetCode() == kErrNoMemory) throw;
        return false;
    }
    return std::any_of(records.begin(), records.end(), [&text](const ExifRecord& r) {
        return !r.group && r.value.find(text) != std::string::npos;
    });
}

}  // namespace

std::span<const FindSizeClass> FindSizeClasses() {
    return kSizes;
}

std::span<const FindTypeClass> FindTypeClasses() {
    return kTypes;
}

std::string FindSizeLabels() {
    return LoadString(kStrSizeLabels);
}

std::string FindTypeLabels() {
    std::string labels;
    for (const FindTypeClass& t : kTypes) {
        labels += LoadString(t.labelId);
        labels += '|';
    }
    return labels;
}

bool PassesCriteria(const FindCriteria& criteria, const std::string& folder, const FindData& data) {
    if (!criteria.name.empty() &&
        Lower(data.name).find(Lower(criteria.name)) == std::string::npos) {
        return false;
    }
    const auto sizes = FindSizeClasses();
    if (criteria.sizeClass > 0 && static_cast<size_t>(criteria.sizeClass) < sizes.size()) {
        const FindSizeClass& c = sizes[static_cast<size_t>(criteria.sizeClass)];
        if (c.atMost ? data.size > c.limit : data.size < c.limit) return false;
    }
    const auto types = FindTypeClasses();
    if (criteria.typeClass > 0 && static_cast<size_t>(criteria.typeClass) < types.size() &&
        !ExtensionCounts(data.name, types[static_cast<size_t>(criteria.typeClass)].extensions)) {
        return false;
    }
    return criteria.metadata.empty() ||
           MetadataContains(JoinPath(folder, data.name), criteria.metadata);
}

}  // namespace xelo
