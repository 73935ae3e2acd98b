// Quick View off screen: the overview of a four-colour picture in every orientation, the mark
// where the offset puts it, dragging, clicking, keys, and the lack-of-memory path.
#include <QApplication>
#include <QImage>
#include <QTest>
#include <string>
#include <vector>

#include "app/TavoApp.h"
#include "base/StringTable.h"
#include "image/Palette.h"
#include "views/QuickView.h"

namespace xelo {
namespace {

constexpr uint32_t kBackground = 0x00204060;  // 0x00BBGGRR
const QRgb kBackgroundRgb = qRgb(0x60, 0x40, 0x20);
// The quadrants of the natural picture: top-left, top-right, bottom-left, bottom-right.
const QRgb kQuadrants[4] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)};
constexpr int kNaturalWidth = 400;
constexpr int kNaturalHeight = 300;

// A 400 × 300 24-bit picture in four coloured quadrants.
void MakeQuadrants(CDibImage& image) {
    image.Create(kNaturalWidth, kNaturalHeight, 3, false);
    for (int y = 0; y < kNaturalHeight; ++y)
        for (int x = 0; x < kNaturalWidth; ++x) {
            const QRgb c =
                kQuadrants[(y >= kNaturalHeight / 2 ? 2 : 0) + (x >= kNaturalWidth / 2 ? 1 : 0)];
            uint8_t* p = image.Row(y) + 3 * x;
            p[0] = static_cast<uint8_t>(qBlue(c));
            p[1] = static_cast<uint8_t>(qGreen(c));
            p[2] = static_cast<uint8_t>(qRed(c));
        }
}

// Black at kDimAlpha 96 over `c`, within rounding.
bool IsDimmed(QRgb pixel, QRgb c) {
    auto near = [](int got, int full) { return std::abs(got - full * 159 / 255) <= 2; };
    return near(qRed(pixel), qRed(c)) && near(qGreen(pixel), qGreen(c)) &&
           near(qBlue(pixel), qBlue(c));
}

QuickViewState StateFor(int orientation, Point offset) {
    QuickViewState state;
    // The natural picture at 200 %.
    state.displayed = (orientation & 1) ? Size{600, 800} : Size{800, 600};
    state.offset = offset;
    state.orientation = orientation;
    state.window = {240, 320};
    state.background = kBackground;
    return state;
}

QRect ToQRect(const Rect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

class QuickViewTest : public QObject {
    Q_OBJECT

  private:
    CDibImage picture_;
    QWidget main_;  // the program's window, 240 × 320
    std::vector<std::string> messages_;

  private slots:
    void initTestCase() {
        MakeQuadrants(picture_);
        main_.resize(240, 320);
        main_.show();
        SetMessageReporter(
            [this](QWidget*, const std::string& text) { messages_.push_back(text); });
    }
    void init() { messages_.clear(); }

    // Every pixel of the overview away from the quadrant borders and the frame shows the natural
    // quadrant under it: inside the mark as it is, outside dimmed; the background around the
    // picture. Where the picture and the mark go is the geometry's, tested in the core.
    void showsTheWholePictureTurnedWithTheWindowMarked() {
        // The natural quadrant under each displayed one (top left, top right, bottom left, bottom
        // right) after k clockwise quarter turns, mirrored left-right from orientation 4 on.
        const int under[8][4] = {{0, 1, 2, 3}, {2, 0, 3, 1}, {3, 2, 1, 0}, {1, 3, 0, 2},
                                 {1, 0, 3, 2}, {0, 2, 1, 3}, {2, 3, 0, 1}, {3, 1, 2, 0}};
        for (int o = 0; o < 8; ++o) {
            const Point offset = (o & 1) ? Point{150, 300} : Point{100, 200};
            CQuickView view(&main_, StateFor(o, offset), picture_, RenderSource{});
            QVERIFY(view.Prepare());
            QCOMPARE(view.Offset(), offset);
            const QRect picture = ToQRect(view.Geometry().Picture()), mark = ToQRect(view.Mark());
            const QImage grab = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
            QCOMPARE(grab.size(), QSize(240, 320));
            const QRect inner = mark.adjusted(2, 2, -2, -2);
            const QPoint middle = picture.center();
            for (int y = 0; y < grab.height(); ++y)
                for (int x = 0; x < grab.width(); ++x) {
                    const QRgb got = grab.pixel(x, y);
                    if (!picture.contains(x, y)) {
                        QCOMPARE(got, kBackgroundRgb);
                        continue;
                    }
                    // The reduction filter blends and rings within a few pixels of a border.
                    if ((mark.contains(x, y) && !inner.contains(x, y)) ||
                        std::abs(x - middle.x()) < 4 || std::abs(y - middle.y()) < 4)
                        continue;
                    const QRgb c =
                        kQuadrants[under[o][(y > middle.y() ? 2 : 0) + (x > middle.x())]];
                    if (inner.contains(x, y) ? got != c : !IsDimmed(got, c))
                        QFAIL(qPrintable(QString::asprintf(
                            "orientation %d: (%d, %d) is %06x for %06x", o, x, y, got, c)));
                }
            // The frame: white outside, black inside, on all four sides.
            const QPoint c = mark.center();
            for (const auto& [edge, in] : {std::pair{QPoint(mark.left(), c.y()), QPoint(1, 0)},
                                           {QPoint(mark.right(), c.y()), QPoint(-1, 0)},
                                           {QPoint(c.x(), mark.top()), QPoint(0, 1)},
                                           {QPoint(c.x(), mark.bottom()), QPoint(0, -1)}}) {
                QCOMPARE(grab.pixel(edge), qRgb(255, 255, 255));
                QCOMPARE(grab.pixel(edge + in), qRgb(0, 0, 0));
            }
        }
    }

    // A decoded copy placed in its logical picture (a frame in the bottom-right quarter, from
    // a palette) shows where the view would show it; the rest is background.
    void showsThePartOfAFrameWhereTheViewPlacesIt() {
        LogPalette palette;
        palette.count = 2;
        palette.entries[1] = {255, 0, 255, 0};
        CDibImage frame;
        frame.Create(100, 75, 1, false);
        frame.BorrowPalette(&palette);
        for (int y = 0; y < 75; ++y)
            std::fill_n(frame.Row(y), 100, uint8_t{1});
        RenderSource source;
        source.offset = {100, 75};
        source.size = Size{200, 150};
        CQuickView view(&main_, StateFor(0, {100, 200}), frame, source);
        QVERIFY(view.Prepare());
        const QImage grab = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
        // Points in each quarter of the picture (0, 70)–(240, 250); the mark (30, 130)–(102, 226)
        // lies in the left half.
        QVERIFY(IsDimmed(grab.pixel(60, 115), kBackgroundRgb));
        QVERIFY(IsDimmed(grab.pixel(180, 115), kBackgroundRgb));
        QVERIFY(IsDimmed(grab.pixel(15, 240), kBackgroundRgb));
        QCOMPARE(grab.pixel(60, 205), kBackgroundRgb);
        QVERIFY(IsDimmed(grab.pixel(180, 205), qRgb(255, 0, 255)));
        QVERIFY(IsDimmed(grab.pixel(121, 161), qRgb(255, 0, 255)));
        QVERIFY(IsDimmed(grab.pixel(118, 158), kBackgroundRgb));
    }

    void escapeKeepsTheOffsetAndDoubleClickAccepts() {
        for (const bool escape : {true, false}) {
            CQuickView view(&main_, StateFor(0, {100, 200}), picture_, RenderSource{});
            QVERIFY(view.Prepare());
            view.show();
            if (escape) {
                QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, QPoint(66, 178));
                QTest::mouseMove(&view, QPoint(100, 200));
                QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, QPoint(100, 200));
                QTest::keyClick(&view, Qt::Key_Down);
                QVERIFY(view.Offset() != (Point{100, 200}));
                QTest::keyClick(&view, Qt::Key_Escape);
                QCOMPARE(view.result(), int(QDialog::Rejected));
                QCOMPARE(view.Offset(), (Point{100, 200}));
                continue;
            }
            // A double click beside the mark centres it there and closes.
            QTest::mouseDClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
            QVERIFY(!view.isVisible());
            QCOMPARE(view.result(), int(QDialog::Accepted));
            QCOMPARE(view.Offset(), (Point{547, 273}));
        }
    }

    // An overview too large to allocate (20000 × 15000 pixels over the limit) fails to
    // prepare; the run reports it and leaves the offset alone.
    void aLackOfMemoryIsReportedAndChangesNothing() {
        QWidget main;
        main.resize(20000, 20000);
        QuickViewState state = StateFor(0, {100, 200});
        state.displayed = {40000, 30000};
        {
            CQuickView view(&main, state, picture_, RenderSource{});
            QVERIFY(!view.Prepare());
        }
        QVERIFY(!RunQuickView(&main, state, picture_, RenderSource{}).has_value());
        QCOMPARE(messages_,
                 std::vector<std::string>{"Unable to display 'Quick View' due to lack of memory."});
    }
};

}  // namespace
}  // namespace xelo

QTEST_MAIN(xelo::QuickViewTest)
#include "QuickViewTest.moc"
