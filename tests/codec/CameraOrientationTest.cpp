// The eight recorded orientations, written by exiftool into JPEG files whose stored pixels are an
// asymmetric picture turned the other way: decoded, thumbnailed and cached alike, they come out
// upright; with the preference off they come out as stored.
#include <gtest/gtest.h>

#include "codec/CodecTestUtil.h"
#include "codec/DecodeSettings.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

namespace xelo::test {
namespace {

// Upright: 48 × 32 in quadrants red, green / blue, white. Stored: that picture turned by the
// inverse of each orientation, with the tag set by exiftool.
const char* kMakeFiles = R"(/usr/bin/python3 -c "
import sys; from PIL import Image
T = Image.Transpose
up = Image.new('RGB', (48, 32))
for i, c in enumerate([(255,0,0), (0,255,0), (0,0,255), (255,255,255)]):
    up.paste(c, ((i % 2) * 24, (i // 2) * 16, (i % 2) * 24 + 24, (i // 2) * 16 + 16))
undo = {1: None, 2: T.FLIP_LEFT_RIGHT, 3: T.ROTATE_180, 4: T.FLIP_TOP_BOTTOM, 5: T.TRANSPOSE,
        6: T.ROTATE_90, 7: T.TRANSVERSE, 8: T.ROTATE_270}
for o, t in undo.items():
    (up if t is None else up.transpose(t)).save(sys.argv[1] + '/o%d.jpg' % o, quality=95)
" %s && for o in 1 2 3 4 5 6 7 8; do exiftool -q -overwrite_original -n -Orientation=$o %s/o$o.jpg; done)";

const std::array<std::array<int, 3>, 4> kQuadrants{{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}}};

class CameraOrientation : public ::testing::TestWithParam<int> {
  protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir;
        std::string command = kMakeFiles;
        for (size_t at; (at = command.find("%s")) != std::string::npos;)
            command.replace(at, 2, dir_->Path().string());
        made_ = RunCommand(command);
    }
    static void TearDownTestSuite() { delete dir_; }
    void SetUp() override {
        if (made_.status == 127) GTEST_SKIP() << "exiftool or Pillow missing";
        ASSERT_EQ(made_.status, 0) << made_.out;
    }
    void TearDown() override { SetCameraOrientationEnabled(true); }
    static std::string File(int o) { return dir_->File("o" + std::to_string(o) + ".jpg"); }
    static inline TempDir* dir_ = nullptr;
    static inline CommandRun made_;
};

void ExpectUpright(const CDibImage& image, int width, int height) {
    ASSERT_EQ(image.Width(), width);
    ASSERT_EQ(image.Height(), height);
    for (int q = 0; q < 4; ++q) {
        const auto got = RgbAt(image, (q % 2) * width / 2 + width / 4, (q / 2) * height / 2 + height / 4);
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(got[k], kQuadrants[q][k], 40) << "quadrant " << q;
    }
}

TEST_P(CameraOrientation, ShowsUprightInTheViewAndThumbnails) {
    const int o = GetParam();
    ImageInfo info;
    CImageFile().ReadInfo(File(o), info);
    EXPECT_EQ(info.width, 48);
    EXPECT_EQ(info.height, 32);
    CImageFrames frames;
    CImageFile().LoadFrames(File(o), frames);
    ExpectUpright(frames.frames[0]->image, 48, 32);
    // A reduced decode and a clip of the right half go through the same turn.
    CImageFile().LoadFrames(File(o), frames, Size{24, 16});
    ExpectUpright(frames.frames[0]->image, 24, 16);
    CImageFile().LoadFrames(File(o), frames, std::nullopt, Rect{24, 0, 48, 32});
    const auto right = RgbAt(frames.frames[0]->image, 4, 4);
    EXPECT_NEAR(right[1], 255, 40);
    EXPECT_NEAR(right[0], 0, 40);
    CDibImage thumb;
    CImageFile().ReadThumbnail(File(o), thumb, 24, 24);
    ExpectUpright(thumb, 24, 16);
}

TEST_P(CameraOrientation, ShowsAsStoredWithThePreferenceOff) {
    const int o = GetParam();
    SetCameraOrientationEnabled(false);
    CImageFrames stored;
    CImageFile().LoadFrames(File(o), stored);
    SetCameraOrientationEnabled(true);
    CImageFrames upright;
    CImageFile().LoadFrames(File(o), upright);
    const CDibImage& s = stored.frames[0]->image;
    EXPECT_EQ(s.Width(), o >= 5 ? 32 : 48);
    // The stored picture's top-left corner is where the orientation puts it upright.
    const int w = upright.frames[0]->image.Width() - 1, h = upright.frames[0]->image.Height() - 1;
    const std::array<std::array<int, 2>, 9> corner{{{0, 0}, {0, 0}, {w, 0}, {w, h}, {0, h},
                                                    {0, 0}, {w, 0}, {w, h}, {0, h}}};
    const auto a = RgbAt(s, 1, 1);
    const auto b = RgbAt(upright.frames[0]->image, corner[o][0] == 0 ? 1 : w - 1,
                         corner[o][1] == 0 ? 1 : h - 1);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(a[k], b[k], 40);
}

INSTANTIATE_TEST_SUITE_P(AllEight, CameraOrientation, ::testing::Range(1, 9));

}  // namespace
}  // namespace xelo::test
