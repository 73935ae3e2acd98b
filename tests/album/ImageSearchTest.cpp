// Find over folder trees made here, and the next capture name.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "album/ImageSearch.h"
#include "album/SnapName.h"
#include "support/ExifBuilder.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

namespace xelo {
namespace {

namespace fs = std::filesystem;

void Put(const fs::path& path, size_t size, const std::vector<uint8_t>& head = {}) {
    fs::create_directories(path.parent_path());
    std::vector<uint8_t> bytes = head;
    bytes.resize(std::max(size, head.size()), 0);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// The hits relative to `root`, in the order Find Next reaches them.
std::vector<std::string> Hits(const fs::path& root, FindCriteria c, const fs::path& start = "") {
    c.folder = (root / start).string();
    CImageSearch search(c);
    std::vector<std::string> hits;
    while (search.FindNext())
        hits.push_back(fs::relative(search.HitPath(), root).string());
    return hits;
}

TEST(ImageSearch, CriteriaPickTheFilesOfOneFolderInNameOrder) {
    test::TempDir dir;
    const fs::path& d = dir.Path();
    test::ExifBuilder exif(false);
    exif.Ascii(test::ExifBuilder::kIfd0, 0x010F, "Pentax");
    std::vector<uint8_t> jpeg = {0xFF, 0xD8};
    const std::vector<uint8_t> app1 = exif.App1();
    jpeg.insert(jpeg.end(), app1.begin(), app1.end());
    Put(d / "b.GIFF", 51201);
    Put(d / "a.gif", 51200);
    Put(d / "c.jpg", 51199, jpeg);
    Put(d / "d.jpg", 10);  // no Exif block
    Put(d / "e.bmp", 204800);
    Put(d / "notes.txt", 5);
    Put(d / "noext", 5);
    Put(d / "sub.jpg" / "x.bmp", 5);  // a folder named like an image
    const struct {
        const char* name;
        const char* metadata;
        int sizeClass, typeClass;
        std::vector<std::string> hits;
    } kCases[] = {
        {"", "", 0, 0, {"a.gif", "b.GIFF", "c.jpg", "d.jpg", "e.bmp"}},
        {"", "", 1, 0, {"a.gif", "c.jpg", "d.jpg"}},   // < 50 K
        {"", "", 2, 0, {"a.gif", "b.GIFF", "e.bmp"}},  // > 50 K
        {"", "", 6, 0, {"e.bmp"}},                     // > 200 K
        {"", "", 0, 2, {"a.gif", "b.GIFF"}},
        {"", "", 0, 1, {"c.jpg", "d.jpg"}},
        {"GI", "", 0, 0, {"a.gif", "b.GIFF"}},
        {"", "ntax", 0, 0, {"c.jpg"}},
        {"", "Canon", 0, 0, {}},
    };
    for (const auto& c : kCases) {
        FindCriteria criteria;
        criteria.name = c.name;
        criteria.metadata = c.metadata;
        criteria.sizeClass = c.sizeClass;
        criteria.typeClass = c.typeClass;
        EXPECT_EQ(Hits(d, criteria), c.hits) << c.name << c.metadata << c.sizeClass << c.typeClass;
    }
}

TEST(ImageSearch, SubfoldersAreWalkedInTreeOrderAndTheWalkEndsAboveTheStart) {
    test::TempDir dir;
    const fs::path& d = dir.Path();
    for (const char* f : {"top/z.bmp", "top/A/B/c/D/deep.bmp", "top/A/B/b.bmp", "top/A/a.bmp",
                          "top/b/x.bmp", "top/.hidden/h.bmp", "after/no.bmp"}) {
        Put(d / f, 5);
    }
    fs::create_directory_symlink(d / "top", d / "top/A/loop");  // a link back up is not re-entered
    const std::vector<std::string> all = {"top/z.bmp", "top/A/a.bmp", "top/A/B/b.bmp",
                                          "top/A/B/c/D/deep.bmp", "top/b/x.bmp"};
    FindCriteria criteria;
    EXPECT_EQ(Hits(d, criteria, "top"), std::vector<std::string>{"top/z.bmp"});
    criteria.subfolders = true;
    EXPECT_EQ(Hits(d, criteria, "top"), all);

    // A folder removed after the walk listed it is passed over.
    criteria.folder = (d / "top").string();
    CImageSearch search(criteria);
    ASSERT_TRUE(search.FindNext());
    ASSERT_TRUE(search.FindNext());
    EXPECT_EQ(search.HitName(), "a.bmp");
    fs::remove_all(d / "top/b");
    ASSERT_TRUE(search.FindNext());
    ASSERT_TRUE(search.FindNext());
    EXPECT_EQ(search.HitPath(), (d / "top/A/B/c/D/deep.bmp").string());
    EXPECT_FALSE(search.FindNext());
    EXPECT_TRUE(search.Done());

    const test::CommandRun run =
        test::RunXeloTool("find '" + (d / "top").string() + "' --subfolders --size '<50K'");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, (d / "top/z.bmp").string() + "\n" + (d / "top/A/a.bmp").string() + "\n" +
                           (d / "top/A/B/b.bmp").string() + "\n" +
                           (d / "top/A/B/c/D/deep.bmp").string() + "\n");
    EXPECT_EQ(test::RunXeloTool("find '" + d.string() + "' --size 3K").status, 2);
}

TEST(SnapName, NumbersHaveThreeDigitsAtLeastAndSkipTakenNames) {
    test::TempDir dir;
    EXPECT_EQ(NextSnapName(dir.Path().string(), "xelosnap", kSnapJpeg), "xelosnap001.jpg");
    for (int n = 1; n <= 999; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "xelosnap%03d.jpg", n);
        Put(dir.Path() / name, 0);
    }
    EXPECT_EQ(NextSnapName(dir.Path().string(), "xelosnap", kSnapJpeg), "xelosnap1000.jpg");
    EXPECT_EQ(NextSnapName(dir.Path().string(), "xelosnap", kSnapGif), "xelosnap001.gif");
    EXPECT_EQ(NextSnapName(dir.Path().string(), "../x", kSnapBmp), "");
    const test::CommandRun run =
        test::RunXeloTool("snapname '" + dir.Path().string() + "' xelosnap jpeg");
    EXPECT_EQ(run.out, "xelosnap1000.jpg\n");
}

}  // namespace
}  // namespace xelo
