// Name validation with the program's forbidden characters and the host's length limits.
#include "album/NameValidation.h"

#include "image/ErrorCodes.h"

namespace xelo {

namespace {
constexpr std::string_view kIllegal = "\\/:*?\"<>|";
constexpr std::string_view kBlanks = " \t";
}  // namespace

uint32_t ValidateName(std::string& name, const std::string* folder, std::string_view extraIllegal) {
    const size_t first = name.find_first_not_of(kBlanks);
    if (first == std::string::npos) {
        name.clear();
    } else {
        name = name.substr(first, name.find_last_not_of(kBlanks) - first + 1);
    }
    if (name.empty() || name[0] == '.') return kErrNameMissing;
    if (name.size() > kMaxNameBytes) return kErrNameTooLong;
    if (folder && folder->size() + 1 + name.size() > kMaxPathBytes) return kErrNameTooLong;
    for (char c : name) {
        if (c == '\0' || kIllegal.find(c) != std::string_view::npos ||
            extraIllegal.find(c) != std::string_view::npos) {
            return kErrIllegalName;
        }
    }
    return 0;
}

}  // namespace xelo
