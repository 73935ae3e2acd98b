// Makes the album data file known to the user's desktop at every start: its shared-mime-info
// package under $XDG_DATA_HOME/mime unless the system's data folders already hold it, and the
// program as the type's default in mimeapps.list.
#pragma once

#include <string>
#include <vector>

namespace xelo {

inline constexpr const char* kAlbumMimeType = "application/x-xelo-album";

// The package as installed in mime/packages.
const std::string& AlbumMimePackage();

struct AlbumTypeFolders {
    std::string dataHome;               // $XDG_DATA_HOME
    std::vector<std::string> dataDirs;  // $XDG_DATA_DIRS
    std::string configHome;             // $XDG_CONFIG_HOME
};
// The folders from the environment.
AlbumTypeFolders AlbumTypeFoldersFromEnvironment();

// Writes the package when it is missing or differs and then rebuilds the user's MIME database
// with update-mime-database (`updateCommand`); claims the type. Failures leave everything as
// it was and are not reported: the program works without the registration. True when the
// package was written.
bool RegisterAlbumType(const AlbumTypeFolders& folders,
                       const std::string& updateCommand = "update-mime-database");

}  // namespace xelo
