// Animated PNG written by Pillow: frame count, delays, and every frame's pixels against Pillow's
// own reading of the file, through a frame that blends over the canvas and is then disposed to
// the previous canvas, and a frame Pillow stores as a smaller rectangle.
#include <gtest/gtest.h>

#include <sstream>

#include "codec/CodecTestUtil.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

namespace xelo::test {
namespace {

TEST(Apng, FramesDelaysAndComposedPixelsMatchPillow) {
    TempDir dir;
    const CommandRun made = RunCommand(
        "/usr/bin/python3 -c \"\nimport sys; from PIL import Image\np = sys.argv[1]\n"
        "red = Image.new('RGBA', (8, 6), (255, 0, 0, 255))\n"
        "over = red.copy(); over.paste((0, 0, 255, 128), (2, 2, 6, 5))\n"
        "green = red.copy(); green.paste((0, 255, 0, 255), (0, 0, 2, 2))\n"
        "red.save(p, save_all=True, append_images=[over, green], duration=[100, 200, 300],\n"
        "         loop=0, disposal=[0, 2, 0], blend=[0, 1, 0])\n"
        "im = Image.open(p)\nfor i in range(im.n_frames):\n"
        "    im.seek(i); f = im.convert('RGBA')\n"
        "    print(' '.join('%d %d %d' % f.getpixel((x, y))[:3] for y in range(6) for x in "
        "range(8)))\n\" " +
        dir.File("a.png"));
    if (made.status == 127) GTEST_SKIP() << "Pillow missing";
    ASSERT_EQ(made.status, 0) << made.out;
    CImageFrames frames;
    CImageFile().LoadFrames(dir.File("a.png"), frames);
    ASSERT_EQ(frames.frameCount, 3);
    ASSERT_EQ(frames.frames.size(), 3u);
    std::istringstream expected(made.out);
    for (int i = 0; i < 3; ++i) {
        const CDibImage& image = frames.frames[i]->image;
        EXPECT_EQ(frames.frames[i]->delay, 10 * (i + 1));
        ASSERT_EQ(image.Width(), 8);
        ASSERT_EQ(image.Height(), 6);
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 8; ++x) {
                const auto ours = RgbAt(image, x, y);
                for (int k = 0; k < 3; ++k) {
                    int theirs = -1;
                    expected >> theirs;
                    EXPECT_NEAR(ours[k], theirs, 1) << "frame " << i << " at " << x << "," << y;
                }
            }
        }
    }
}

}  // namespace
}  // namespace xelo::test
