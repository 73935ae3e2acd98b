// The screen's capabilities and the last step of a view paint.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <vector>

#include "platform/ScreenProbe.h"

namespace xelo {

class ScreenProbeTest : public QObject {
    Q_OBJECT

  private slots:
    void drawToDeviceAppliesGammaThenDraws() {
        // A grey 4 × 2 buffer at gamma 200 brightens: (128/256)^(1/2) * 256 = 181.
        std::vector<uint8_t> bytes(4 * 2 * 3, 128);
        const BgrBuffer buffer{bytes.data(), 4, 2, 0};
        ScreenCaps screen;  // 24 bits: no reduction
        QImage target(4, 2, QImage::Format_RGB32);
        target.fill(Qt::black);
        {
            QPainter p(&target);
            DrawToDevice(p, QRect(0, 0, 4, 2), buffer, Rect{0, 0, 4, 2}, kDisplayNone, 0, false,
                         200, screen);
        }
        QCOMPARE(qRed(target.pixel(3, 1)), 181);
        QCOMPARE(int(bytes[0]), 181);  // in place, as the program's buffers are
    }
};

}  // namespace xelo

QTEST_MAIN(xelo::ScreenProbeTest)
#include "ScreenProbeTest.moc"
