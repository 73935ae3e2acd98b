#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "settings/AlbumTypeRegistration.h"
#include "settings/FileAssociation.h"
#include "support/TempDir.h"

namespace xelo {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(AlbumTypeRegistration, PackageMatchesTheInstalledOne) {
    EXPECT_EQ(AlbumMimePackage(), Read(fs::path(XELO_TEST_DATA_DIR).parent_path().parent_path() /
                                       "data/desktop/xelo-album-mime.xml"));
}

TEST(AlbumTypeRegistration, WritesOnceUpdatesOnceAndYieldsToTheSystem) {
    test::TempDir dir;
    // A stand-in for update-mime-database that records the folder it was given.
    const std::string update = dir.File("update");
    std::ofstream(update) << "#!/bin/sh\necho \"$1\" >> \"" << dir.File("ran") << "\"\n";
    fs::permissions(update, fs::perms::owner_all);
    const AlbumTypeFolders user{dir.File("data"), {dir.File("none")}, dir.File("config")};

    EXPECT_TRUE(RegisterAlbumType(user, update));
    EXPECT_EQ(Read(dir.File("data/mime/packages/xelo-album.xml")), AlbumMimePackage());
    EXPECT_EQ(Read(dir.File("ran")), dir.File("data") + "/mime\n");
    EXPECT_TRUE(CFileAssociation(dir.File("config")).IsClaimed(kAlbumMimeType));
    EXPECT_FALSE(RegisterAlbumType(user, update));
    EXPECT_EQ(Read(dir.File("ran")), dir.File("data") + "/mime\n");

    fs::create_directories(dir.File("system/mime/packages"));
    std::ofstream(dir.File("system/mime/packages/xelo-album.xml")) << "installed";
    const AlbumTypeFolders packaged{dir.File("data2"), {dir.File("system")}, dir.File("config")};
    EXPECT_FALSE(RegisterAlbumType(packaged, update));
    EXPECT_FALSE(fs::exists(dir.File("data2/mime")));
}

}  // namespace
}  // namespace xelo
