// Building image folders for the album tests.
#include "album/AlbumFixture.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>

#include "album/FolderEnum.h"
#include "album/TavoDoc.h"
#include "codec/BmpWriter.h"
#include "image/DibImage.h"

namespace xelo::test {

void WriteImage(const std::string& folder, const std::string& name, int width, int height,
                uint8_t fill) {
    CDibImage image;
    image.Create(width, height, 3, false);
    std::fill(image.Bits(), image.Bits() + image.Stride() * static_cast<size_t>(height), fill);
    WriteBmp(JoinPath(folder, name), image, 100, Resolution{});
}

void SetWriteTime(const std::string& path, int64_t seconds, long nanoseconds) {
    const timespec times[2] = {{static_cast<time_t>(seconds), nanoseconds},
                               {static_cast<time_t>(seconds), nanoseconds}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> NamesOf(const CTavoDoc& doc) {
    std::vector<std::string> names;
    for (const CImageEntry* e : doc.Order())
        names.push_back(e->Name());
    return names;
}

}  // namespace xelo::test
