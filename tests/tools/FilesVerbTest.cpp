// xelo-tool files: every answer to the overwrite question, a move to another file system, a
// failure half-way, and the album files kept in step.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "album/FileOpsFixture.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

namespace xelo {
namespace {

namespace fs = std::filesystem;
using test::MakeImage;
using test::Snapshot;

test::CommandRun Files(const std::string& arguments) {
    return test::RunXeloTool("files " + arguments + " </dev/null");
}

TEST(FilesVerb, EveryAnswerReplacesOrKeepsWholeImagesWithTheirSideFiles) {
    const struct {
        const char* answers;
        bool move;
        std::vector<std::string> replaced;
    } cases[] = {{"yy", false, {"a.bmp", "b.bmp"}},
                 {"a", true, {"a.bmp", "b.bmp"}},
                 {"ny", true, {"b.bmp"}},
                 {"c", true, {}},
                 {"", false, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answers);
        test::TempDir root;
        const std::string src = root.File("src"), dst = root.File("dst");
        test::MakeConflictingFolders(src, dst);
        const test::Tree src0 = Snapshot(src), dst0 = Snapshot(dst);
        const auto run = Files(std::string(c.move ? "move " : "copy ") + src + "/a.bmp " + src +
                               "/b.bmp " + dst + " --answers '" + c.answers + "'");
        EXPECT_EQ(run.status, c.replaced.size() == 2 ? 0 : 1) << run.out;
        const auto [wantSrc, wantDst] = test::AfterPaste(src0, dst0, c.replaced, c.move);
        EXPECT_EQ(Snapshot(src), wantSrc);
        EXPECT_EQ(Snapshot(dst), wantDst);
    }
}

TEST(FilesVerb, AMoveToAnotherFileSystemCopiesFirstAndAFailureKeepsTheSource) {
    test::TempDir root;
    std::string shm = "/dev/shm/xelo-files-XXXXXX";
    struct stat a = {}, b = {};
    if (!::mkdtemp(shm.data()) || ::stat(shm.c_str(), &a) != 0 ||
        ::stat(root.Path().c_str(), &b) != 0 || a.st_dev == b.st_dev) {
        fs::remove_all(shm);
        GTEST_SKIP() << "no /dev/shm on another file system";
    }
    const std::string src = root.Path().string();
    MakeImage(src, "a.bmp", 5, {"txt", "ink"});
    MakeImage(src, "b.bmp", 6, {"wav"});
    fs::create_directory(shm + "/b.bmp");  // a destination that cannot be written
    const test::Tree src0 = Snapshot(src);
    const auto run = Files("move " + src + "/a.bmp " + src + "/b.bmp " + src + "/gone.bmp " + shm +
                           " --answers y");
    const test::Tree moved = Snapshot(shm);
    fs::remove_all(shm);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 2) << run.out;
    const auto [left, arrived] = test::AfterPaste(src0, {}, {"a.bmp"}, true);
    EXPECT_EQ(moved, arrived);
    EXPECT_EQ(Snapshot(src), left);
}

TEST(FilesVerb, RenameDuplicateDeleteAndMoveKeepTheAlbumInStep) {
    test::TempDir root;
    const std::string src = root.File("src"), dst = root.File("dst");
    fs::create_directories(src);
    fs::create_directories(dst);
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"})
        MakeImage(src, name, 5, {"txt"});
    ASSERT_EQ(test::RunXeloTool("album " + src + " --sort reverse --hide a.bmp").status, 0);
    EXPECT_EQ(Files("rename " + src + "/c.bmp d.bmp").status, 0);
    EXPECT_EQ(Files("duplicate " + src + "/b.bmp").out, src + "/Copy of b.bmp\n");
    EXPECT_EQ(Files("delete " + src + "/b.bmp --answers y").status, 0);
    EXPECT_EQ(Files("move " + src + "/d.bmp " + dst).status, 0);
    EXPECT_EQ(Files("rename " + src + "/a.bmp 'x?.bmp'").status, 1);
    const std::string shown = test::RunXeloTool("album " + src).out;
    EXPECT_EQ(shown.find("1\ta.bmp\tBMP\t5x3\thidden\tt--\n2\tCopy of b.bmp\t"), 0u) << shown;
    EXPECT_EQ(Snapshot(src).size(), 5u);  // with the album file
    EXPECT_EQ(Snapshot(dst).size(), 2u);
    EXPECT_EQ(Files("copy a.bmp --answers q " + dst).status, 2);
}

}  // namespace
}  // namespace xelo
