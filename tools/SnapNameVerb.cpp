// xelo-tool snapname: the next capture file name of a folder.
#include <cstdio>

#include "FileOperands.h"
#include "Verbs.h"
#include "album/FolderEnum.h"
#include "album/SnapName.h"

namespace xelo::tool {

int RunSnapName(const std::vector<std::string>& args) {
    if (args.size() != 3) return UsageError("snapname", "give DIR, PREFIX and FORMAT");
    static const struct {
        const char* key;
        int format;
    } kFormats[] = {{"bmp", kSnapBmp}, {"jpeg", kSnapJpeg}, {"jpg", kSnapJpeg}, {"gif", kSnapGif}};
    int format = -1;
    for (const auto& f : kFormats) {
        if (args[2] == f.key) format = f.format;
    }
    if (format < 0) return UsageError("snapname", "unknown format " + args[2]);
    if (args[1].find('/') != std::string::npos) {
        return UsageError("snapname", "PREFIX must not contain '/'");
    }
    if (!IsDirectory(args[0])) {
        std::fprintf(stderr, "xelo-tool snapname: %s is not a folder\n", args[0].c_str());
        return 1;
    }
    const std::string name = NextSnapName(args[0], args[1], format);
    if (name.empty()) {
        std::fprintf(stderr, "xelo-tool snapname: every number is taken in %s\n", args[0].c_str());
        return 1;
    }
    std::printf("%s\n", Printable(name).c_str());
    return 0;
}

}  // namespace xelo::tool
