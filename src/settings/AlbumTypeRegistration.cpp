#include "settings/AlbumTypeRegistration.h"

#include <errno.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "album/WholeFile.h"
#include "codec/FileWriter.h"
#include "settings/FileAssociation.h"

extern char** environ;

namespace xelo {

namespace {

constexpr char kPackageName[] = "mime/packages/xelo-album.xml";

bool SameFile(const std::string& path, const std::string& text) {
    std::vector<uint8_t> bytes;
    try {
        return ReadWholeFile(path, text.size() + 1, bytes, Origin{}) &&
               std::string(bytes.begin(), bytes.end()) == text;
    } catch (...) {
        return false;  // too long or unreadable: not ours as it stands
    }
}

void RunAndWait(const std::string& command, const std::string& argument) {
    std::vector<char*> argv = {const_cast<char*>(command.c_str()),
                               const_cast<char*>(argument.c_str()), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, command.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace

const std::string& AlbumMimePackage() {
    static const std::string package =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <!-- The album data file each folder keeps: the images' display order and hidden-slide "
        "flags. -->\n"
        "  <mime-type type=\"application/x-xelo-album\">\n"
        "    <comment>Xelo Album folder order</comment>\n"
        "    <generic-icon name=\"x-office-document\"/>\n"
        "    <glob pattern=\"*.xla\"/>\n"
        "  </mime-type>\n"
        "</mime-info>\n";
    return package;
}

AlbumTypeFolders AlbumTypeFoldersFromEnvironment() {
    AlbumTypeFolders folders;
    folders.dataHome = XdgDataHome();
    folders.configHome = XdgConfigHome();
    const char* dirs = std::getenv("XDG_DATA_DIRS");
    std::string list = dirs && *dirs ? dirs : "/usr/local/share:/usr/share";
    size_t pos = 0;
    while (pos <= list.size()) {
        size_t colon = list.find(':', pos);
        if (colon == std::string::npos) colon = list.size();
        if (colon > pos && list[pos] == '/')
            folders.dataDirs.push_back(list.substr(pos, colon - pos));
        pos = colon + 1;
    }
    return folders;
}

bool RegisterAlbumType(const AlbumTypeFolders& folders, const std::string& updateCommand) {
    bool written = false;
    std::error_code ec;
    bool system = false;
    for (const std::string& dir : folders.dataDirs) {
        system = system || std::filesystem::exists(dir + "/" + kPackageName, ec);
    }
    const std::string path = folders.dataHome + "/" + kPackageName;
    if (!system && !folders.dataHome.empty() && !SameFile(path, AlbumMimePackage())) {
        try {
            std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
            CFileWriter writer(path, Origin{});
            writer.Write(AlbumMimePackage().data(), AlbumMimePackage().size());
            writer.Commit();
            written = true;
            RunAndWait(updateCommand, folders.dataHome + "/mime");
        } catch (...) {
            // Unwritable data folder: the desktop just does not know the type.
        }
    }
    try {
        CFileAssociation(folders.configHome).Claim({kAlbumMimeType});
    } catch (...) {
        // An unwritable mimeapps.list stays as it was.
    }
    return written;
}

}  // namespace xelo
