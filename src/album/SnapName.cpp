// Numbered capture names: xelosnap001.jpg, xelosnap002.jpg, ... xelosnap1000.jpg.
#include "album/SnapName.h"

#include <sys/stat.h>

#include <cstdio>

#include "album/FolderEnum.h"

namespace xelo {

namespace {
constexpr int kLastNumber = 999998;
}  // namespace

const char* SnapExtension(int format) {
    switch (format) {
        case kSnapJpeg:
            return ".jpg";
        case kSnapGif:
            return ".gif";
        default:
            return ".bmp";
    }
}

std::string NextSnapName(const std::string& folder, const std::string& prefix, int format) {
    // A prefix that names another folder would write outside the capture folder.
    if (prefix.find('/') != std::string::npos) return {};
    const char* extension = SnapExtension(format);
    for (int n = 1; n <= kLastNumber; ++n) {
        char number[16];
        std::snprintf(number, sizeof number, "%03d", n);
        std::string name = prefix + number + extension;
        struct stat st {};
        // Anything under the name, even a dangling link, keeps the name taken.
        if (::lstat(JoinPath(folder, name).c_str(), &st) != 0) return name;
    }
    return {};
}

}  // namespace xelo
