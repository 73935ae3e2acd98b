// Ink files of entries, and the ink bit that the thumbnails show.
#include "ink/EntryInk.h"

#include <unistd.h>

#include <cerrno>

#include "album/ImageEntry.h"
#include "image/FileError.h"
#include "ink/InkFile.h"
#include "ink/InkOrigin.h"

namespace xelo {

namespace {

constexpr uint32_t kUnit = 303;

std::string InkPathOf(const std::string& folder, const CImageEntry& entry) {
    return entry.AnnotationPath(folder, "ink");
}

// Looks at the files again; true when the ink bit moved.
bool Reprobe(const std::string& folder, CImageEntry& entry) {
    const bool before = (entry.Annotations(folder) & kEntryHasInk) != 0;
    entry.ForgetAnnotations();
    return before != ((entry.Annotations(folder) & kEntryHasInk) != 0);
}

}  // namespace

bool SaveEntryInk(const std::string& folder, CImageEntry& entry, const CXeloLtManager& layer) {
    if (layer.Count() == 0) return DeleteEntryInk(folder, entry);
    SaveInk(InkPathOf(folder, entry), layer);
    return Reprobe(folder, entry);
}

void LoadEntryInk(const std::string& folder, const CImageEntry& entry, CXeloLtManager& layer) {
    layer.RemoveAll();
    CXeloLtManager read;
    if (LoadInk(InkPathOf(folder, entry), read)) layer.CopyFrom(read);
}

bool DeleteEntryInk(const std::string& folder, CImageEntry& entry) {
    const std::string path = InkPathOf(folder, entry);
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        ThrowFileError(errno, path, {kComponentInk, kUnit, __LINE__});
    }
    return Reprobe(folder, entry);
}

}  // namespace xelo
