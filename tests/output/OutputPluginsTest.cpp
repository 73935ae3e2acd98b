// Output plug-ins: discovery leaves broken ones out, the virtual display shows what is presented,
// and our pictures reach a surface in its own pixel format.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "output/DevicePixels.h"
#include "output/ExternalDisplay.h"
#include "output/OutputPlugins.h"
#include "output/VgaSettings.h"
#include "support/PngReference.h"
#include "support/TempDir.h"

namespace xelo::output {
namespace {

// The test folder holds virtual.vod and the four broken plug-ins.
class OutputPluginsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // First in a child of its own: a plug-in that calls exit(0) as it loads must not end the
        // discovering process, as if all went well.
        ASSERT_EXIT(std::exit(OutputPluginTable().Discover({XELO_TEST_PLUGIN_DIR}) == 1 ? 7 : 8),
                    ::testing::ExitedWithCode(7), "");
        ASSERT_EQ(table_.Discover({XELO_TEST_PLUGIN_DIR}), 1);
    }
    OutputPluginTable table_;
};

VgaOutBlock Record(int plugin, uint32_t type, XeloOutputMode mode) {
    VgaOutBlock record = DefaultVgaOut();
    record.SetSigned(vga::kPlugin, plugin);
    record.Set(vga::kOutputType, type);
    StoreMode(record, mode);
    return record;
}

void Fill(CDibImage& image, int w, int h, uint8_t b, uint8_t g, uint8_t r) {
    image.Create(w, h, 3, false);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = image.Row(y) + 3 * x;
            p[0] = b, p[1] = g, p[2] = r;
        }
}

TEST_F(OutputPluginsTest, BrokenPluginsAreLeftOutAndTheGoodOneAnswers) {
    // Missing export, failed driver check, crash and exit(0) while loading.
    EXPECT_EQ(table_.Rejected().size(), 4u);
    std::string name;
    ASSERT_TRUE(table_.GetName(0, name));
    EXPECT_EQ(name, "Virtual Display");
    EXPECT_EQ(table_.FindByName("Virtual Display"), 0);
    EXPECT_EQ(table_.FindByName("B"), -1);
    std::vector<XeloOutputMode> modes;
    ASSERT_TRUE(table_.GetOutputModes(0, XELO_OUTPUT_VGA, modes));
    EXPECT_EQ(modes.size(), 6u);
    ASSERT_TRUE(table_.GetOutputModes(0, XELO_OUTPUT_COMPOSITE, modes));
    EXPECT_TRUE(modes.empty());
    // Outside the table every operation refuses.
    uint32_t types = 0;
    EXPECT_FALSE(table_.GetOutputTypes(1, types));
    EXPECT_FALSE(table_.CheckCard(-1));
    EXPECT_FALSE(table_.GetName(1, name));
    // A second discovery replaces the first.
    EXPECT_EQ(table_.Discover({XELO_TEST_PLUGIN_DIR}), 1);
}

TEST_F(OutputPluginsTest, TheVirtualDisplayWritesEveryPresentedPicture) {
    test::TempDir shots;
    setenv("XELO_VIRTUAL_DISPLAY_DIR", shots.Path().c_str(), 1);
    uint32_t failure = 0;
    // The stored 8-bit mode is not offered: the first VGA mode (640x480, 16 bits) is set.
    auto display = CExternalDisplay::Open(table_, DefaultVgaOut(), failure);
    ASSERT_TRUE(display);
    EXPECT_EQ(display->OutputSize(), (Size{640, 480}));
    display.reset();
    display = CExternalDisplay::Open(table_, Record(0, 1, {800, 600, 24, 60, 1}), failure);
    ASSERT_TRUE(display);
    CDibImage picture;
    Fill(picture, 700, 600, 30, 140, 250);  // narrower than the screen: black beside it
    ASSERT_TRUE(display->Present(picture));
    ASSERT_TRUE(display->PresentBlack());
    ASSERT_TRUE(display->PresentBlack());  // already black: nothing more is written
    unsetenv("XELO_VIRTUAL_DISPLAY_DIR");
    test::RgbaImage first, second;
    ASSERT_TRUE(test::ReadPng(shots.Path() / "000001.png", first));
    ASSERT_TRUE(test::ReadPng(shots.Path() / "000002.png", second));
    EXPECT_FALSE(std::filesystem::exists(shots.Path() / "000003.png"));
    EXPECT_EQ(first.width, 800);
    EXPECT_EQ(first.height, 600);
    EXPECT_EQ(first.At(10, 10)[0], 250);
    EXPECT_EQ(first.At(10, 10)[1], 140);
    EXPECT_EQ(first.At(10, 10)[2], 30);
    EXPECT_EQ(first.At(750, 10)[0], 0);
    EXPECT_EQ(second.At(10, 10)[0], 0);
}

TEST_F(OutputPluginsTest, DeviceFailuresNameTheirMessage) {
    uint32_t failure = 0;
    EXPECT_FALSE(CExternalDisplay::Open(table_, Record(3, 1, {640, 480, 16, 60, 1}), failure));
    EXPECT_EQ(failure, kStrNoVgaDevice);
    EXPECT_FALSE(CExternalDisplay::Open(table_, Record(0, 2, {640, 480, 16, 60, 2}), failure));
    EXPECT_EQ(failure, kStrCannotSetMode);
}

TEST(DevicePixelsTest, PicturesTakeTheSurfacesFormat) {
    CDibImage picture;
    Fill(picture, 2, 1, 0x10, 0x80, 0xF8);
    uint8_t pixels[4 * 4 * 2] = {};
    XeloDeviceContext dc{pixels, 3, 2, 16, XELO_PIXELS_XRGB8888, nullptr, nullptr};
    std::fill(std::begin(pixels), std::end(pixels), uint8_t{0x55});
    ASSERT_TRUE(CopyToDevice(picture, dc));
    uint32_t word;
    std::memcpy(&word, pixels, 4);
    EXPECT_EQ(word, 0x00F88010u);
    std::memcpy(&word, pixels + 8, 4);  // beyond the picture: black
    EXPECT_EQ(word, 0u);
    std::memcpy(&word, pixels + 16, 4);  // second row
    EXPECT_EQ(word, 0u);
    EXPECT_EQ(pixels[12], 0x55);  // the stride's padding is the surface's own

    dc.pixelFormat = XELO_PIXELS_RGB565;
    dc.stride = 6;
    ASSERT_TRUE(CopyToDevice(picture, dc));
    uint16_t half;
    std::memcpy(&half, pixels, 2);
    EXPECT_EQ(half, (0xF8 >> 3) << 11 | (0x80 >> 2) << 5 | (0x10 >> 3));

    dc.stride = 5;  // shorter than a row
    EXPECT_FALSE(CopyToDevice(picture, dc));
    dc.stride = 6;
    dc.pixelFormat = 99;
    EXPECT_FALSE(FillDeviceBlack(dc));
}

TEST(VgaSettingsTest, ModeTextsAndColourReductions) {
    const struct {
        XeloOutputMode mode;
        const char* text;
    } texts[] = {
        {{640, 480, 8, 0, 1}, "640x480x256"},
        {{800, 600, 16, 60, 1}, "800x600x64k @ 60Hz"},
        {{720, 480, 24, 60, 2 | XELO_MODE_NTSC_TV}, "720x480x16384k NTSC TV"},
        {{720, 576, 10, 0, 4 | XELO_MODE_PAL_TV}, "720x576x1024 PAL TV"},
        {{1, 1, 99, 0, 1}, "1x1x1073741824k"},  // nonsense depth clamped, not overflowed
    };
    for (const auto& t : texts) EXPECT_EQ(ModeText(t.mode), t.text);
    EXPECT_EQ(ColourReductionFor(24, true), 1);
    EXPECT_EQ(ColourReductionFor(16, true), 2);
    EXPECT_EQ(ColourReductionFor(12, true), 3);
    EXPECT_EQ(ColourReductionFor(8, true), 4);
    EXPECT_EQ(ColourReductionFor(8, false), 1);
}

}  // namespace
}  // namespace xelo::output
