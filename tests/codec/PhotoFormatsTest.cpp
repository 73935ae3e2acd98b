// The PNG, WebP, TIFF, HEIC and AVIF readers against files written by independent encoders.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "codec/CodecTestUtil.h"
#include "codec/DecodeSettings.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

namespace xelo::test {
namespace {

// Four quadrants: red, green / blue, white; the top-left one half transparent where asked.
const char* kPillowSource = R"(/usr/bin/python3 -c "
import sys; from PIL import Image
im = Image.new('RGBA', (64, 48))
for i, c in enumerate([(255,0,0,255), (0,255,0,255), (0,0,255,255), (255,255,255,255)]):
    im.paste(c, ((i % 2) * 32, (i // 2) * 24, (i % 2) * 32 + 32, (i // 2) * 24 + 24))
if sys.argv[2] == 'alpha': im.paste((255,0,0,128), (0, 0, 32, 24))
frames = [Image.new('RGB', (64, 48), c) for c in [(255,0,0), (0,255,0), (0,0,255)]]
out = sys.argv[1]
if out.endswith('anim.webp'):
    frames[0].save(out, save_all=True, append_images=frames[1:], duration=[100, 200, 300], lossless=True)
elif out.endswith('.tif'):
    for i, f in enumerate(frames): f.save(out[:-4] + str(i) + '.tif')
else: im.save(out)
")";

struct Case {
    const char* name;
    const char* command;  // %s: the temporary folder
    int frames;
    std::vector<int> delays;
    int tolerance;  // the format's loss
};

// The Pillow sources are written once for every case.
class PhotoFormats : public ::testing::TestWithParam<Case> {
  protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir;
        const std::string pillow = std::string(kPillowSource) + " " + dir_->Path().string();
        for (const char* args : {"/src.png opaque", "/alpha.png alpha", "/page.tif pages",
                                 "/anim.webp anim"}) {
            sourcesMade_ = RunCommand(pillow + args).status == 0 && sourcesMade_;
        }
    }
    static void TearDownTestSuite() { delete dir_; }
    void SetUp() override {
        ASSERT_TRUE(sourcesMade_);
        SetAlphaBackground(0x000000);
    }
    void TearDown() override { SetAlphaBackground(0x999999); }
    static inline TempDir* dir_ = nullptr;
    static inline bool sourcesMade_ = true;
};

std::string Expand(const char* text, const std::string& folder) {
    std::string out = text;
    for (size_t at; (at = out.find("%s")) != std::string::npos;) out.replace(at, 2, folder);
    return out;
}

TEST_P(PhotoFormats, ReadsWhatAnIndependentEncoderWrote) {
    const Case& c = GetParam();
    const std::string folder = dir_->Path().string();
    const CommandRun made = RunCommand(Expand(c.command, folder));
    if (made.status == 127) GTEST_SKIP() << "encoder missing: " << made.out;
    ASSERT_EQ(made.status, 0) << made.out;
    const std::string path = folder + "/" + c.name;

    CImageFrames frames;
    CImageFile().LoadFrames(path, frames);
    ASSERT_EQ(frames.frameCount, c.frames);
    EXPECT_EQ(frames.width, 64);
    EXPECT_EQ(frames.height, 48);
    for (size_t i = 0; i < c.delays.size(); ++i) EXPECT_EQ(frames.frames[i]->delay, c.delays[i]);
    auto near = [&](const CDibImage& image, int x, int y, std::array<int, 3> want) {
        const auto got = RgbAt(image, x, y);
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(got[k], want[k], c.tolerance) << c.name << " at " << x << "," << y;
    };
    if (c.frames > 1) {
        // Pages and animation frames: red, green, blue.
        for (int i = 0; i < 3; ++i) {
            std::array<int, 3> want{};
            want[i] = 255;
            near(frames.frames[i]->image, 32, 24, want);
        }
    } else {
        const CDibImage& image = frames.frames[0]->image;
        const bool alpha = std::string(c.name).starts_with("alpha");
        near(image, 8, 6, alpha ? std::array<int, 3>{128, 0, 0} : std::array<int, 3>{255, 0, 0});
        near(image, 56, 6, {0, 255, 0});
        near(image, 8, 42, {0, 0, 255});
        near(image, 56, 42, {255, 255, 255});
    }

    // A thumbnail keeps the picture's shape; every cut of the file fails with a framework
    // error or shows what it holds, and never crashes.
    CDibImage thumb;
    CImageFile().ReadThumbnail(path, thumb, 32, 32);
    EXPECT_EQ(thumb.Width(), 32);
    EXPECT_EQ(thumb.Height(), 24);
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    for (size_t cut : {size_t{12}, bytes.size() / 3, bytes.size() - 9}) {
        const std::vector<uint8_t> part(bytes.begin(), bytes.begin() + static_cast<long>(cut));
        CImageFrames out;
        const uint32_t code = ErrorOf([&] { LoadFromBytes(part, out); });
        EXPECT_TRUE(code == 0 || code == 46024 || code == 46025 || code == 46130)
            << c.name << " cut at " << cut << ": " << code;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Encoders, PhotoFormats,
    ::testing::Values(
        Case{"src.png", "true", 1, {}, 0}, Case{"alpha.png", "true", 1, {}, 1},
        Case{"lossless.webp", "cwebp -quiet -lossless %s/src.png -o %s/lossless.webp", 1, {}, 0},
        Case{"alpha_lossless.webp", "cwebp -quiet -lossless %s/alpha.png -o %s/alpha_lossless.webp",
             1, {}, 1},
        Case{"lossy.webp", "cwebp -quiet -q 95 %s/src.png -o %s/lossy.webp", 1, {}, 40},
        Case{"anim.webp", "true", 3, {10, 20, 30}, 0},
        Case{"pages.tif", "tiffcp %s/page0.tif %s/page1.tif %s/page2.tif %s/pages.tif", 3, {}, 0},
        Case{"photo.heic", "heif-enc -q 95 %s/src.png -o %s/photo.heic >/dev/null", 1, {}, 40},
        Case{"photo.avif", "heif-enc -A -q 95 %s/src.png -o %s/photo.avif >/dev/null", 1, {}, 40}),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& ch : n) ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
        return n;
    });

}  // namespace
}  // namespace xelo::test
