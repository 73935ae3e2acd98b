// The document's internal clipboard of image names for Copy, Cut and Paste.
#pragma once

#include <string>
#include <vector>

namespace xelo {

struct FileClipboard {
    std::string sourceFolder;
    std::vector<std::string> names;  // in selection order
    bool cut = false;

    void Clear() {
        sourceFolder.clear();
        names.clear();
        cut = false;
    }
};

}  // namespace xelo
