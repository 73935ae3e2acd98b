// The second-monitor output plug-in: with one screen its card check fails; with two, a presented
// picture fills the second screen, at 32 bits and through the 16-bit surface alike.
#include <QScreen>
#include <QTest>
#include <array>
#include <cstring>
#include <tuple>

#include "output/PluginLibrary.h"
#include "xelo_plugin.h"

namespace xelo {

class SecondScreenTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        static constexpr std::array<const char*, 9> kExports = {
            "voeGetName", "voeCheckDriver", "voeCheckCard", "voeGetOutputTypes", "voeGetOutputModes",
            "voeGetCurrentMode", "voeSetOutputMode", "voeGetDC", "voeReleaseDC"};
        plugin_ = output::PluginLibrary::Open(XELO_SECOND_SCREEN_PATH, kExports);
        QVERIFY(plugin_);
        QCOMPARE(reinterpret_cast<XeloVoeCheckDriver>(plugin_->Export(1))(), 0);
        if (qEnvironmentVariableIsSet("XELO_EXPECT_SECOND_SCREEN") && QGuiApplication::screens().size() < 2) {
            QSKIP("this X server gives Qt a single screen: nothing to present on");
        }
    }

    void presentFillsTheSecondScreen() {
        const bool two = QGuiApplication::screens().size() > 1;
        std::array<XeloOutputMode, XELO_MAX_OUTPUT_MODES> modes{};
        int32_t count = 0;
        QCOMPARE(reinterpret_cast<XeloVoeCheckCard>(plugin_->Export(2))(), two ? 0 : 1);
        QCOMPARE(reinterpret_cast<XeloVoeGetOutputModes>(plugin_->Export(4))(&count, modes.data()), two ? 0 : 1);
        if (!two) return;
        QScreen* screen = QGuiApplication::screens().at(1);
        QCOMPARE(count, 3);
        // A pixel in the surface's own format, and the colour the screen shows for it.
        for (const auto& [depth, pixel, shown] : {std::tuple{32, 0x0040c080u, qRgb(0x40, 0xc0, 0x80)},
                                                  std::tuple{16, 0xf81fu, qRgb(0xff, 0, 0xff)}}) {
            const auto* mode = std::find_if(modes.begin(), modes.end(), [d = depth](auto& m) { return m.bitsPerPixel == d; });
            QVERIFY(mode != modes.end());
            QCOMPARE(QSize(mode->width, mode->height), screen->size());
            QCOMPARE(reinterpret_cast<XeloVoeSetOutputMode>(plugin_->Export(6))(XELO_OUTPUT_VGA, mode), 0);
            XeloDeviceContext* dc = nullptr;
            QCOMPARE(reinterpret_cast<XeloVoeGetDC>(plugin_->Export(7))(&dc), 0);
            for (uint8_t* p = dc->pixels; p < dc->pixels + dc->height * dc->stride; p += depth / 8) {
                std::memcpy(p, &pixel, depth / 8);  // little-endian: the low bytes are the pixel
            }
            QCOMPARE(dc->present(dc), 0);
            QTRY_COMPARE(screen->grabWindow(0).toImage().pixel(dc->width / 2, dc->height / 2), shown);
            QCOMPARE(reinterpret_cast<XeloVoeReleaseDC>(plugin_->Export(8))(dc), 0);
        }
    }

  private:
    std::unique_ptr<output::PluginLibrary> plugin_;
};

}  // namespace xelo

QTEST_MAIN(xelo::SecondScreenTest)
#include "SecondScreenTest.moc"
