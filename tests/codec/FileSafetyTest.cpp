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
#include "support/TempDir.h"
#include "support/TestData.h"

namespace xelo {
namespace {

namespace fs = std::filesystem;
using test::ErrorOf;
using namespace std::chrono_literals;

std::string WritePicture(const test::TempDir& dir, const std::string& name, int w, int h) {
    CDibImage image;
    image.Create(w, h, 3, false);
    WriteBmp(dir.File(name), image, 100, Resolution{});
    return dir.File(name);
}

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    ::lstat(path.c_str(), &st);
    return st.st_mode;
}

TEST(ShrinkingFile, ReadsPastTheNewEndGiveTheReadErrorAlsoWhileAnotherThreadTruncates) {
    test::TempDir dir;
    const std::string path = WritePicture(dir, "a.bmp", 600, 400);
    const off_t size = static_cast<off_t>(fs::file_size(path));
    CMappedFile file;
    file.Open(path);
    ASSERT_EQ(::truncate(path.c_str(), 100), 0);
    CImageFrames frames;
    ErrorOf([&] { CImageFile().LoadFrames(file, frames); });
    EXPECT_EQ(ErrorOf([&] { file.ThrowIfChanged(); }), 46023u);

    std::atomic<bool> done{false};
    std::thread cutter([&] {
        while (!done) {
            ::truncate(path.c_str(), 2000);  // the header stays, the pixels go and come back
            ::truncate(path.c_str(), size);
        }
    });
    for (int i = 0; i < 200; ++i)
        ErrorOf([&] { CImageFile().LoadFrames(path, frames); });
    done = true;
    cutter.join();
}

TEST(TempFiles, AWriteRemovesStaleTemporariesOfGoneProcessesOnly) {
    test::TempDir dir;
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    const std::string gone = std::to_string(child), alive = std::to_string(::getpid());
    const std::string stale[] = {".xelo-" + gone + "-1.tmp", "a.bmp.xelo-" + gone + "-2.tmp"};
    const std::string kept[] = {".xelo-" + alive + "-3.tmp", "other.tmp"};
    for (const auto* names : {&stale, &kept}) {
        for (const std::string& name : *names) {
            test::WriteBytes(dir.File(name), {1});
            fs::last_write_time(dir.File(name), fs::file_time_type::clock::now() - 5min);
        }
    }
    test::WriteBytes(dir.File(".xelo-" + gone + "-4.tmp"), {1});  // fresh: may still be written
    WritePicture(dir, "b.bmp", 2, 2);
    for (const std::string& name : stale)
        EXPECT_FALSE(fs::exists(dir.File(name))) << name;
    for (const std::string& name : kept)
        EXPECT_TRUE(fs::exists(dir.File(name))) << name;
    EXPECT_TRUE(fs::exists(dir.File(".xelo-" + gone + "-4.tmp")));
}

TEST(TempFiles, LongNamesAndSymbolicLinksAreWrittenSafely) {
    test::TempDir dir;
    const std::string longName = std::string(251, 'n') + ".bmp";  // 255 bytes
    EXPECT_EQ(ErrorOf([&] { WritePicture(dir, longName, 2, 2); }), 0u);
    EXPECT_TRUE(fs::exists(dir.File(longName)));

    const mode_t mask = ::umask(022);
    ::umask(mask);
    fs::create_directory(dir.File("folder"));
    ::chmod(dir.File("folder").c_str(), 0751);
    fs::create_symlink(dir.File("folder"), dir.File("link.bmp"));
    const std::string link = WritePicture(dir, "link.bmp", 2, 2);
    EXPECT_EQ(ModeOf(link), S_IFREG | (0666u & ~mask)) << "not the folder's mode";
    ::chmod(link.c_str(), 0640);
    WritePicture(dir, "link.bmp", 3, 3);
    EXPECT_EQ(ModeOf(link), S_IFREG | 0640u) << "a replaced file keeps its mode";
}

}  // namespace
}  // namespace xelo
