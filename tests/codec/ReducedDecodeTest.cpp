// Thumbnails and reduced loads of a zone plate in each stored form: the result has the asked
// size and no moiré where the plate is finer than the result can show.
#include <gtest/gtest.h>

#include "codec/BmpWriter.h"
#include "codec/ImageFile.h"
#include "codec/JpegCodec.h"
#include "support/TempDir.h"
#include "support/ZonePlate.h"

namespace xelo {
namespace {

TEST(ReducedDecode, ZonePlateThumbnailsAndQuarterLoadsShowNoMoire) {
    struct Case {
        const char* name;
        int bytesPerPixel;
        bool jpeg;
    } const cases[] = {{"colour.jpg", 3, true},
                       {"grey.jpg", 1, true},
                       {"colour.bmp", 3, false},
                       {"grey.bmp", 1, false}};
    test::TempDir dir;
    for (const Case& c : cases) {
        CDibImage plate;
        test::ZonePlate(plate, 960, 720, c.bytesPerPixel);
        const std::string path = dir.File(c.name);
        if (c.jpeg) {
            JpegWriterSettings settings;
            settings.quality = 95;
            WriteJpeg(settings, path, plate, 100);
        } else {
            WriteBmp(path, plate, 100, Resolution{});
        }
        CDibImage thumb;
        CImageFile().ReadThumbnail(path, thumb, 96, 72);
        EXPECT_EQ(thumb.Width(), 96) << c.name;
        EXPECT_EQ(thumb.Height(), 72) << c.name;
        EXPECT_LT(test::MoireAbove(thumb, 960, 720, 0.12), 6.0) << c.name;

        CImageFrames frames;
        CImageFile().LoadFrames(path, frames, Size{240, 180});
        const CDibImage& quarter = frames.frames.at(0)->image;
        EXPECT_EQ(quarter.Width(), 240) << c.name;
        EXPECT_LT(test::MoireAbove(quarter, 960, 720, 0.25), 6.0) << c.name;
    }
}

}  // namespace
}  // namespace xelo
