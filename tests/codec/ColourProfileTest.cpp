// Embedded ICC profiles: a Display P3 picture written by Pillow (JPEG and PNG) is converted to
// sRGB; the same picture without a profile is left exactly as decoded.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include <lcms2.h>

#include "codec/CodecTestUtil.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"
#include "views/ThumbnailCache.h"

namespace xelo::test {
namespace {

// Display P3: DCI-P3 primaries, D65 white, the sRGB tone curve.
std::vector<uint8_t> DisplayP3Profile() {
    const cmsCIExyY white{0.3127, 0.3290, 1.0};
    const cmsCIExyYTRIPLE primaries{{0.680, 0.320, 1.0}, {0.265, 0.690, 1.0}, {0.150, 0.060, 1.0}};
    const cmsFloat64Number srgb[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
    cmsToneCurve* curve = cmsBuildParametricToneCurve(nullptr, 4, srgb);
    cmsToneCurve* curves[3] = {curve, curve, curve};
    cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    std::vector<uint8_t> bytes(size);
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    cmsFreeToneCurve(curve);
    return bytes;
}

// A red and a muted red half, as Display P3 (p3.*) and without a profile (plain.*), in JPEG and
// PNG; false when Pillow is missing.
bool WritePictures(const TempDir& dir, const std::vector<uint8_t>& icc) {
    std::ofstream(dir.File("p3.icc"), std::ios::binary)
        .write(reinterpret_cast<const char*>(icc.data()), static_cast<std::streamsize>(icc.size()));
    const CommandRun made = RunCommand("/usr/bin/python3 -c \"\nimport sys; from PIL import Image\n"
                                       "d = sys.argv[1]; icc = open(d + '/p3.icc', 'rb').read()\n"
                                       "im = Image.new('RGB', (32, 16), (255, 0, 0))\n"
                                       "im.paste((200, 100, 100), (16, 0, 32, 16))\n"
                                       "for ext, extra in (('jpg', {'quality': 100}), ('png', {})):\n"
                                       "    im.save(d + '/p3.' + ext, icc_profile=icc, **extra)\n"
                                       "    im.save(d + '/plain.' + ext, **extra)\n\" " +
                                       dir.Path().string());
    if (made.status == 127) return false;
    EXPECT_EQ(made.status, 0) << made.out;
    return true;
}

void Decode(const std::string& path, CDibImage& image) {
    CImageFrames frames;
    CImageFile().LoadFrames(path, frames);
    frames.frames.at(0)->image.TransferTo(image);
}

TEST(ColourProfile, DisplayP3ConvertsToSrgbAndNoProfileStaysAsDecoded) {
    TempDir dir;
    if (!WritePictures(dir, DisplayP3Profile())) GTEST_SKIP() << "Pillow missing";
    struct Want {
        const char* file;
        std::array<int, 3> red, muted;
        int tolerance;
    };
    // Pure P3 red lies outside sRGB and clips to sRGB red; a muted P3 red becomes a stronger
    // sRGB one.
    for (const Want& w : {Want{"p3.png", {255, 0, 0}, {215, 93, 96}, 3},
                          Want{"p3.jpg", {255, 0, 0}, {215, 93, 96}, 6},
                          Want{"plain.png", {255, 0, 0}, {200, 100, 100}, 0},
                          Want{"plain.jpg", {254, 0, 0}, {200, 100, 100}, 3}}) {
        CDibImage image;
        Decode(dir.File(w.file), image);
        const auto red = RgbAt(image, 4, 8);
        const auto muted = RgbAt(image, 28, 8);
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(red[k], w.red[k], w.tolerance) << w.file;
            EXPECT_NEAR(muted[k], w.muted[k], w.tolerance) << w.file;
        }
    }
}

// With a wide-gamut display the P3 picture keeps its own values (the sRGB target changed them);
// a picture without a profile is the same bytes whatever the display, and the sRGB target's
// transform is still the right one after the display changed; the thumbnail cache stays sRGB.
TEST(ColourProfile, DisplayProfileIsTheTarget) {
    TempDir dir;
    const auto p3 = DisplayP3Profile();
    if (!WritePictures(dir, p3)) GTEST_SKIP() << "Pillow missing";
    CDibImage plainBefore, wide, plainWide, srgb;
    Decode(dir.File("plain.png"), plainBefore);
    SetDisplayProfile(p3);
    Decode(dir.File("p3.png"), wide);
    Decode(dir.File("plain.png"), plainWide);
    // The desktop's thumbnail cache is sRGB whatever the display.
    CDibImage cached;
    ThumbnailCache(dir.File("cache"))
        .Get(dir.File("p3.png"), ThumbnailFolder::kNormal, cached, DefaultBoxDecoder(), true);
    SetDisplayProfile({});
    Decode(dir.File("p3.png"), srgb);
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(RgbAt(wide, 28, 8)[k], (std::array<int, 3>{200, 100, 100})[k], 2);
        EXPECT_NEAR(RgbAt(srgb, 28, 8)[k], (std::array<int, 3>{215, 93, 96})[k], 3);
        EXPECT_NEAR(RgbAt(cached, 28, 8)[k], (std::array<int, 3>{215, 93, 96})[k], 3);
    }
    ASSERT_EQ(plainWide.Height(), plainBefore.Height());
    for (int y = 0; y < plainWide.Height(); ++y)
        EXPECT_EQ(std::memcmp(plainWide.Row(y), plainBefore.Row(y), plainWide.Width() * 3u), 0)
            << y;
}

}  // namespace
}  // namespace xelo::test
