// The shared thumbnail folders: names, keys as other programs read them, their pictures read
// back, and no stale picture after the file changes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <cstdlib>

#include "codec/BmpWriter.h"
#include "image/ErrorCodes.h"
#include "image/TavoException.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"
#include "views/Md5Digest.h"
#include "views/ThumbnailCache.h"

namespace xelo {
namespace {

constexpr const char* kPython = "/usr/bin/python3";

bool PillowAvailable() {
    return std::system((std::string(kPython) + " -c 'import PIL' 2>/dev/null").c_str()) == 0;
}

// A BMP of one colour, with its modification time set to `mtime`.
void WriteFlat(const std::string& path, int w, int h, uint8_t blue, time_t mtime) {
    CDibImage image;
    image.Create(w, h, 3, false);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            image.Row(y)[3 * x] = blue;
    }
    WriteBmp(path, image, 100, Resolution{96, 96});
    const utimbuf times{mtime, mtime};
    utime(path.c_str(), &times);
}

struct ThumbnailCacheTest : ::testing::Test {
    test::TempDir dir;
    ThumbnailCache cache{dir.File("thumbnails")};
    int decodes = 0;
    const ThumbnailBoxDecoder counting = [this](const std::string& p, CDibImage& image, int side) {
        ++decodes;
        DefaultBoxDecoder()(p, image, side);
    };
};

TEST(ThumbnailCacheNames, Md5DigestsAndUris) {
    EXPECT_EQ(Md5Hex(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(Md5Hex("abc"), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(Md5Hex(std::string(56, 'a')), "3b0c8ac703f828b04c6c197006d17218");  // two tail blocks
    // URIs are escaped as file managers do.
    EXPECT_EQ(ThumbnailCache::FileUri("/tmp/a b/\xc3\xa9#%;x(1)~.jpg"),
              "file:///tmp/a%20b/%C3%A9%23%25%3Bx(1)~.jpg");
}

TEST_F(ThumbnailCacheTest, StoredPictureCarriesTheKeysOthersRead) {
    if (!PillowAvailable()) GTEST_SKIP() << "Pillow for /usr/bin/python3 not installed";
    const std::string file = dir.File("wide pic.bmp");
    WriteFlat(file, 400, 100, 200, 1600000000);
    CDibImage image;
    cache.Get(file, ThumbnailFolder::kNormal, image);
    EXPECT_EQ(image.Width(), 128);
    const std::string stored =
        cache.PicturePath(ThumbnailCache::FileUri(file), ThumbnailFolder::kNormal);
    struct stat st;
    ASSERT_EQ(stat(stored.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    ASSERT_EQ(stat(dir.File("thumbnails/normal").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    // What a desktop program checks: the name, the URI and the time of the file it stands for.
    const test::CommandRun run = test::RunCommand(
        std::string(kPython) +
        " -c \"import hashlib, os, sys, urllib.parse; from PIL import Image\n"
        "f = sys.argv[1]; im = Image.open(sys.argv[2]); t = im.text\n"
        "uri = 'file://' + urllib.parse.quote(f)\n"
        "assert os.path.basename(sys.argv[2]) == hashlib.md5(uri.encode()).hexdigest() + '.png'\n"
        "assert t['Thumb::URI'] == uri, t\n"
        "assert t['Thumb::MTime'] == str(int(os.stat(f).st_mtime)), t\n"
        "assert t['Thumb::Size'] == str(os.stat(f).st_size), t\n"
        "assert im.mode == 'RGB' and max(im.size) == 128 and im.getpixel((5, 5))[2] == 200\n"
        "print('ok')\" '" +
        file + "' '" + stored + "'");
    EXPECT_EQ(run.out, "ok\n");
}

TEST_F(ThumbnailCacheTest, AnotherProgramsPictureIsUsedWhileItsTimeMatches) {
    if (!PillowAvailable()) GTEST_SKIP() << "Pillow for /usr/bin/python3 not installed";
    const std::string file = dir.File("p.bmp");
    WriteFlat(file, 300, 300, 10, 1600000000);
    const std::string uri = ThumbnailCache::FileUri(file);
    mkdir(dir.File("thumbnails").c_str(), 0700);
    mkdir(dir.File("thumbnails/large").c_str(), 0700);
    // A 256 × 256 picture with transparency, as a file manager would leave it.
    const test::CommandRun made =
        test::RunCommand(std::string(kPython) +
                         " -c \"from PIL import Image, PngImagePlugin\n"
                         "m = PngImagePlugin.PngInfo(); m.add_text('Thumb::URI', '" +
                         uri +
                         "')\n"
                         "m.add_text('Thumb::MTime', '1600000000')\n"
                         "Image.new('RGBA', (256, 256), (0, 255, 0, 255)).save('" +
                         cache.PicturePath(uri, ThumbnailFolder::kLarge) + "', pnginfo=m)\"");
    ASSERT_EQ(made.status, 0) << made.out;
    CDibImage image;
    cache.Get(file, ThumbnailFolder::kNormal, image, counting);
    EXPECT_EQ(decodes, 0);
    ASSERT_EQ(image.Width(), 128);  // the large picture reduced
    EXPECT_EQ(image.Row(64)[3 * 64 + 1], 255);
    EXPECT_EQ(image.Row(64)[3 * 64], 0);
    // The file changes: its own picture is made and stored, never the other one shown.
    WriteFlat(file, 300, 300, 10, 1600000001);
    cache.Get(file, ThumbnailFolder::kNormal, image, counting);
    EXPECT_EQ(decodes, 1);
    EXPECT_EQ(image.Row(64)[3 * 64 + 1], 0);
}

TEST_F(ThumbnailCacheTest, FailureIsRecordedUntilTheFileChanges) {
    const std::string file = dir.File("bad.bmp");
    WriteFlat(file, 10, 10, 0, 1600000000);
    const ThumbnailBoxDecoder failing = [this](const std::string&, CDibImage&, int) {
        ++decodes;
        ThrowError(kErrFormatInvalid, {});
    };
    CDibImage image;
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_THROW(cache.Get(file, ThumbnailFolder::kNormal, image, failing), CTavoException);
    }
    EXPECT_EQ(decodes, 1);
    WriteFlat(file, 10, 10, 0, 1600000005);
    cache.Get(file, ThumbnailFolder::kNormal, image, counting);
    EXPECT_EQ(decodes, 2);
    EXPECT_EQ(image.Width(), 10);
}

}  // namespace
}  // namespace xelo
