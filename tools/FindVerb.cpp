// xelo-tool find: the hits of a search, in the order the Find window reaches them.
#include <cstdio>

#include "FileOperands.h"
#include "ToolArgs.h"
#include "Verbs.h"
#include "album/ImageSearch.h"
#include "image/TavoException.h"

namespace xelo::tool {

namespace {

template <typename Classes>
int ClassIndex(const Classes& classes, const std::string& key) {
    for (size_t i = 1; i < classes.size(); ++i) {
        if (key == classes[i].key) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

int RunFind(const std::vector<std::string>& args) {
    ToolArgs parsed;
    std::string error;
    const std::vector<std::string> valued = {"--name", "--metadata", "--size", "--type"};
    if (!parsed.Parse(args, valued, error)) return UsageError("find", error);
    std::vector<std::string> known = valued;
    known.push_back("--subfolders");
    if (const auto unknown = parsed.Unknown(known); !unknown.empty()) {
        return UsageError("find", "unknown option " + unknown.front());
    }
    if (parsed.Operands().size() != 1) return UsageError("find", "give exactly one DIR");

    FindCriteria criteria;
    criteria.folder = parsed.Operands().front();
    criteria.name = parsed.Value("--name").value_or("");
    criteria.metadata = parsed.Value("--metadata").value_or("");
    criteria.subfolders = parsed.Has("--subfolders");
    if (const auto size = parsed.Value("--size")) {
        criteria.sizeClass = ClassIndex(FindSizeClasses(), *size);
        if (criteria.sizeClass < 0) return UsageError("find", "unknown size class " + *size);
    }
    if (const auto type = parsed.Value("--type")) {
        criteria.typeClass = ClassIndex(FindTypeClasses(), *type);
        if (criteria.typeClass < 0) return UsageError("find", "unknown type " + *type);
    }
    if (!IsDirectory(criteria.folder)) {
        std::fprintf(stderr, "xelo-tool find: %s is not a folder\n", criteria.folder.c_str());
        return 1;
    }
    try {
        CImageSearch search(criteria);
        while (search.FindNext())
            std::printf("%s\n", Printable(search.HitPath()).c_str());
        return 0;
    } catch (const CTavoException& e) {
        PrintFileError(criteria.folder, e.GetCode(), e.GetErrorMessage());
        return 1;
    }
}

}  // namespace xelo::tool
