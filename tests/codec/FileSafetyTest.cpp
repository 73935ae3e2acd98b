// Files that change while they are read end in the read error, not a signal; writers leave no
// stale temporary files, cope with names at the host's limit and never copy a link target's mode.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "CodecTestUtil.h"
#include "codec/BmpWriter.h"
#include "codec/MappedFile.h"
#include "codec/TempFiles.h"
#include "support/TempDir.h"
#include "support/TestData.h"

namespace xelo {
namespace {

using test::ErrorOf;

std::string WritePicture(const test::TempDir& dir, const std::string& name, int w, int h) {
    CDibImage image;
    image.Create(w, h, 3, false);
    const std::string path = dir.File(name);
    WriteBmp(path, image, 100, Resolution{});
    return path;
}

TEST(ShrinkingFile, ReadingPastTheNewEndGivesTheReadError) {
    test::TempDir dir;
    const std::string path = WritePicture(dir, "a.bmp", 800, 600);
    CMappedFile file;
    file.Open(path);
    ASSERT_EQ(::truncate(path.c_str(), 100), 0);
    CImageFrames frames;
    ErrorOf([&] { CImageFile().LoadFrames(file, frames); });
    EXPECT_EQ(ErrorOf([&] { file.ThrowIfChanged(); }), 46023u);
}

TEST(ShrinkingFile, DecodingWhileAnotherThreadTruncatesNeverKillsTheProcess) {
    test::TempDir dir;
    const std::string path = WritePicture(dir, "a.bmp", 600, 400);
    const off_t size = static_cast<off_t>(std::filesystem::file_size(path));
    std::atomic<bool> done{false};
    std::thread writer([&] {
        while (!done) {
            ::truncate(path.c_str(), 2000);  // the header stays, the pixels go and come back
            ::truncate(path.c_str(), size);
        }
    });
    int failures = 0;
    for (int i = 0; i < 200; ++i) {
        CImageFrames frames;
        failures += ErrorOf([&] { CImageFile().LoadFrames(path, frames); }) != 0;
    }
    done = true;
    writer.join();
    EXPECT_GT(failures, 0) << "the file never changed under a read";
}

TEST(TempFiles, AWriteRemovesStaleTemporariesOfGoneProcessesOnly) {
    test::TempDir dir;
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    const std::string gone = std::to_string(child), alive = std::to_string(::getpid());
    const std::vector<std::string> stale{".xelo-" + gone + "-1.tmp",
                                         "a.bmp.xelo-" + gone + "-2.tmp"};
    const std::vector<std::string> kept{".xelo-" + alive + "-3.tmp", "other.tmp"};
    for (const std::string& name : stale)
        test::WriteBytes(dir.File(name), {1});
    for (const std::string& name : kept)
        test::WriteBytes(dir.File(name), {1});
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::minutes(5);
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        std::filesystem::last_write_time(entry.path(), old);
    test::WriteBytes(dir.File(".xelo-" + gone + "-4.tmp"), {1});  // fresh: may still be written

    WritePicture(dir, "b.bmp", 2, 2);
    for (const std::string& name : stale)
        EXPECT_FALSE(std::filesystem::exists(dir.File(name)));
    for (const std::string& name : kept)
        EXPECT_TRUE(std::filesystem::exists(dir.File(name)));
    EXPECT_TRUE(std::filesystem::exists(dir.File(".xelo-" + gone + "-4.tmp")));
}

TEST(TempFiles, LongNamesAndSymbolicLinksAreWrittenSafely) {
    test::TempDir dir;
    const std::string longName = std::string(251, 'n') + ".bmp";  // 255 bytes
    EXPECT_EQ(ErrorOf([&] { WritePicture(dir, longName, 2, 2); }), 0u);
    EXPECT_TRUE(std::filesystem::exists(dir.File(longName)));

    const mode_t mask = ::umask(022);
    ::umask(mask);
    std::filesystem::create_directory(dir.File("folder"));
    ::chmod(dir.File("folder").c_str(), 0751);
    std::filesystem::create_symlink(dir.File("folder"), dir.File("link.bmp"));
    WritePicture(dir, "link.bmp", 2, 2);
    struct stat st {};
    ASSERT_EQ(::lstat(dir.File("link.bmp").c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(st.st_mode & 07777, 0666u & ~mask);
    ::chmod(dir.File("link.bmp").c_str(), 0640);
    WritePicture(dir, "link.bmp", 3, 3);
    ASSERT_EQ(::lstat(dir.File("link.bmp").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u) << "a replaced file keeps its mode";
}

}  // namespace
}  // namespace xelo
