// File operands of xelo-tool.
#include "FileOperands.h"

#include <cstdio>

#include "Verbs.h"
#include "album/FolderEnum.h"
#include "base/StringTable.h"
#include "image/ErrorCodes.h"

namespace xelo::tool {

std::string Printable(const std::string& name) {
    std::string out;
    out.reserve(name.size());
    for (const char c : name) {
        const unsigned char u = static_cast<unsigned char>(c);
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (u < 0x20 || u == 0x7F) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\x%02x", u);
                    out += escape;
                } else {
                    out += c;
                }
        }
    }
    return out;
}

bool RefuseFolder(const std::string& file) {
    if (!IsDirectory(file)) return false;
    PrintFileError(file, kErrBadPath, LoadString(kErrBadPath) + " It is a folder, not a file.");
    return true;
}

}  // namespace xelo::tool
