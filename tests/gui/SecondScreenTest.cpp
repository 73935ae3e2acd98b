// The second-monitor output plug-in: with one screen its card check fails; with two, a presented
// picture fills the second screen, at 32 bits and through the 16-bit surface alike.
#include <QScreen>
#include <QTest>
#include <array>

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
        library_ = output::PluginLibrary::Open(XELO_SECOND_SCREEN_PATH, kExports);
        QVERIFY(library_);
        QCOMPARE(Call<XeloVoeCheckDriver>(1)(), 0);
        if (qEnvironmentVariableIsSet("XELO_EXPECT_SECOND_SCREEN") && QGuiApplication::screens().size() < 2) {
            QSKIP("this X server gives Qt a single screen: nothing to present on");
        }
    }

    void presentFillsTheSecondScreen_data() {
        QTest::addColumn<int>("depth");
        QTest::addColumn<uint32_t>("pixel");  // in the surface's own format
        QTest::addColumn<QRgb>("shown");
        QTest::newRow("32 bits") << 32 << 0x0040c080u << qRgb(0x40, 0xc0, 0x80);
        QTest::newRow("16 bits") << 16 << 0xf81fu << qRgb(0xff, 0, 0xff);
    }
    void presentFillsTheSecondScreen() {
        QFETCH(int, depth);
        QFETCH(uint32_t, pixel);
        QFETCH(QRgb, shown);
        std::array<XeloOutputMode, XELO_MAX_OUTPUT_MODES> modes{};
        int32_t count = 0;
        const bool two = QGuiApplication::screens().size() > 1;
        QCOMPARE(Call<XeloVoeCheckCard>(2)(), two ? 0 : 1);
        QCOMPARE(Call<XeloVoeGetOutputModes>(4)(&count, modes.data()), two ? 0 : 1);
        if (!two) return;
        QScreen* screen = QGuiApplication::screens().at(1);
        QCOMPARE(count, 3);
        const XeloOutputMode* mode = std::find_if(modes.begin(), modes.begin() + count,
                                                  [&](const XeloOutputMode& m) { return m.bitsPerPixel == depth; });
        QCOMPARE(QSize(mode->width, mode->height), screen->size());
        QCOMPARE(Call<XeloVoeSetOutputMode>(6)(XELO_OUTPUT_VGA, mode), 0);
        XeloDeviceContext* dc = nullptr;
        QCOMPARE(Call<XeloVoeGetDC>(7)(&dc), 0);
        for (int y = 0; y < dc->height; ++y) {
            uint8_t* row = dc->pixels + y * dc->stride;
            for (int x = 0; x < dc->width; ++x) {
                depth == 16 ? void(reinterpret_cast<uint16_t*>(row)[x] = uint16_t(pixel))
                            : void(reinterpret_cast<uint32_t*>(row)[x] = pixel);
            }
        }
        QCOMPARE(dc->present(dc), 0);
        QTRY_COMPARE(screen->grabWindow(0).toImage().pixel(dc->width / 2, dc->height / 2), shown);
        QCOMPARE(Call<XeloVoeReleaseDC>(8)(dc), 0);
    }

  private:
    template <typename F>
    F Call(size_t index) {
        return reinterpret_cast<F>(library_->Export(index));
    }
    std::unique_ptr<output::PluginLibrary> library_;
};

}  // namespace xelo

QTEST_MAIN(xelo::SecondScreenTest)
#include "SecondScreenTest.moc"
