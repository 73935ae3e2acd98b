// The image view off screen: the orientation and zoom commands, what a grab of a zoomed and panned
// picture shows, keys, animation, and decoding at a smaller scale when memory is short.
#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWheelEvent>
#include <functional>

#include "album/TavoDoc.h"
#include "base/ViewModes.h"
#include "codec/BmpWriter.h"
#include "gui/GuiFixture.h"
#include "image/ErrorCodes.h"
#include "image/TavoException.h"
#include "settings/PrefLayout.h"
#include "settings/Preferences.h"
#include "support/TempDir.h"
#include "views/TavoImgView.h"
#include "views/ViewHost.h"

namespace xelo {
namespace {

constexpr uint32_t kBackground = 0x00204060;  // 0x00BBGGRR

class TestHost : public ViewHost {
  public:
    int Mode() const override { return mode; }
    CPreferences& Prefs() override { return prefs; }
    void PostCommand(int command) override { posted.push_back(command); }
    void SetActiveView(QWidget*) override {}
    QMenu* ContextMenu(const char*) override { return nullptr; }
    void Beep() override { ++beeps; }
    void FocusBrowser() override {}
    bool RepaintBlocked() const override { return false; }
    void RequestToolBar(int) override {}
    void SetGifPlaying(bool) override {}

    CPreferences prefs;
    int beeps = 0;
    int mode = kModeFilmstrip;
    std::vector<int> posted;
};

using Colour = std::function<QRgb(int x, int y)>;

// Writes a 24-bit picture whose pixel (x, y) has the colour `colour` gives.
void WritePicture(const std::string& path, int w, int h, const Colour& colour) {
    CDibImage image;
    image.Create(w, h, 3, false);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb c = colour(x, y);
            uint8_t* p = image.Row(y) + 3 * x;
            p[0] = static_cast<uint8_t>(qBlue(c));
            p[1] = static_cast<uint8_t>(qGreen(c));
            p[2] = static_cast<uint8_t>(qRed(c));
        }
    WriteBmp(path, image, 100, Resolution{});
}

QRgb BlockColour(int x, int y) {
    return qRgb(40 * (x / 4), 50 * (y / 4), 90);
}

class ImageViewTest : public QObject {
    Q_OBJECT

  private:
    test::TempDir dir_;
    std::unique_ptr<CTavoDoc> doc_;
    TestHost host_;
    ScreenCaps screen_;
    std::unique_ptr<CTavoImgView> view_;

    void Open() {
        view_.reset();
        doc_ = std::make_unique<CTavoDoc>();
        doc_->OpenFolder(dir_.Path().string());
    }
    // Opens the folder and shows its first file in a view of w × h.
    CTavoImgView& Show(int w, int h) {
        Open();
        view_ = std::make_unique<CTavoImgView>(*doc_, host_, screen_);
        view_->resize(w, h);
        view_->SetImage(doc_->EntryAt(0));
        return *view_;
    }

    // Compares every pixel of a grab with the unturned picture mapped through zoom `scale` and the
    // view's offsets; the window around the picture is the background. (Turned pictures are drawn
    // by RenderTransformed, checked pixel by pixel in the core.)
    void CompareGrab(CTavoImgView& view, const Colour& colour, int scale) {
        const QImage grab = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(grab.size(), view.size());
        const Size d = view.Displayed();
        const QRgb background =
            qRgb(kBackground & 0xFF, (kBackground >> 8) & 0xFF, (kBackground >> 16) & 0xFF);
        for (int sy = 0; sy < grab.height(); ++sy)
            for (int sx = 0; sx < grab.width(); ++sx) {
                const int dx = sx + view.Offset().x;
                const int dy = sy + view.Offset().y;
                QRgb expected = background;
                if (dx >= 0 && dy >= 0 && dx < d.width && dy < d.height)
                    expected = colour(dx / scale, dy / scale);
                if (grab.pixel(sx, sy) != expected)
                    QFAIL(qPrintable(QString::asprintf("pixel (%d, %d) is %06x, not %06x", sx, sy,
                                                       grab.pixel(sx, sy), expected)));
            }
    }

  private slots:
    void init() {
        for (const auto& e : std::filesystem::directory_iterator(dir_.Path()))
            std::filesystem::remove(e.path());
        host_.beeps = 0;
        host_.prefs = CPreferences();
        host_.prefs.preferences.Set(pref::kImageBackground, kBackground);
        host_.prefs.preferences.Set(pref::kColourOptimisation, 1);  // none
        host_.prefs.preferences.Set(pref::kGamma, 100);
        host_.mode = kModeFilmstrip;
        host_.posted.clear();
    }
    void cleanup() { view_.reset(); }

    void eachOrientationShowsThePictureTurned() {
        WritePicture(dir_.File("a.bmp"), 20, 12, BlockColour);
        CTavoImgView& view = Show(40, 30);
        QCOMPARE(view.ZoomPercent(), 100);
        // The commands that reach each orientation from the reset state.
        const std::vector<std::vector<int>> ways = {
            {}, {30110}, {30135}, {30109}, {30137}, {30110, 30137}, {30136}, {30109, 30137}};
        for (int o = 0; o < 8; ++o) {
            QVERIFY(view.onCommand(30138));
            QCOMPARE(view.Orientation(), 0);
            for (int command : ways[static_cast<size_t>(o)])
                QVERIFY(view.onCommand(command));
            QCOMPARE(view.Orientation(), o);
            QCOMPARE(doc_->ViewRecord().orientation, o);
            QCOMPARE(view.Displayed(), (o & 1) ? (Size{12, 20}) : (Size{20, 12}));
        }
        QVERIFY(view.onCommand(30138));
        CompareGrab(view, BlockColour, 1);
    }

    void aZoomedAndPannedPictureShowsTheRightPart() {
        WritePicture(dir_.File("b.bmp"), 40, 30, BlockColour);
        CTavoImgView& view = Show(60, 50);
        QCOMPARE(view.Offset(), (Point{-10, -10}));
        QVERIFY(view.onCommand(33003));  // 200 %
        QCOMPARE(view.ZoomPercent(), 200);
        QCOMPARE(view.Displayed(), (Size{80, 60}));
        // The centre point (20, 15) of the picture stays at the window centre.
        QCOMPARE(view.Offset(), (Point{10, 5}));
        view.ScrollBy(7, 3);
        QCOMPARE(view.Offset(), (Point{17, 8}));
        CompareGrab(view, BlockColour, 2);
        view.ScrollBy(100, -100);
        QCOMPARE(view.Offset(), (Point{20, 0}));
        CompareGrab(view, BlockColour, 2);
        QVERIFY(view.onCommand(30110));
        QCOMPARE(view.Displayed(), (Size{60, 80}));
    }

    void aLargePhotoInASmallWindowIsDecodedSmall() {
        WritePicture(dir_.File("d.bmp"), 1600, 1200, BlockColour);
        CTavoImgView& view = Show(240, 320);  // Smart is the default zoom
        QCOMPARE(view.ZoomPercent(), 15);
        QCOMPARE(view.Displayed(), (Size{240, 180}));
        view.grab();
        QCOMPARE(view.FailedStep(), 0);
        QCOMPARE(view.DecodedPercent(), 13);
        // Zoomed to 100 % the copy is decoded again at full size.
        QVERIFY(view.onCommand(30108));
        view.grab();
        QCOMPARE(view.DecodedPercent(), 100);
        QCOMPARE(view.Offset(), (Point{680, 440}));
        // A new window size keeps the zoom the user chose and the point at the centre ...
        view.resize(480, 640);
        view.grab();  // a hidden widget gets its resize event when drawn
        QCOMPARE(view.ZoomPercent(), 100);
        QCOMPARE(view.Offset(), (Point{560, 280}));
        // ... while a picture at its default zoom is fitted again.
        view.SetImage(doc_->EntryAt(0));
        view.resize(240, 320);
        view.grab();
        QCOMPARE(view.ZoomPercent(), 15);
        view.resize(480, 640);
        view.grab();
        QCOMPARE(view.ZoomPercent(), 30);
        QCOMPARE(view.Offset(), (Point{0, -140}));
    }

    void keysStepThroughTheImagesZoomAndChangeTheMode() {
        for (const char* name : {"k1.bmp", "k2.bmp", "k3.bmp"})
            WritePicture(dir_.File(name), 40, 30, BlockColour);
        Open();
        CTavoImgView view(*doc_, host_, screen_);
        view.resize(60, 50);
        doc_->SetSelected(0, true);
        QCOMPARE(view.Shown(), doc_->EntryAt(0));
        CommandState state;
        QVERIFY(view.onUpdate(30100, state));
        QVERIFY(!state.enabled);
        QTest::keyClick(&view, Qt::Key_Left);
        QCOMPARE(host_.beeps, 1);
        QTest::keyClick(&view, Qt::Key_Right);
        QCOMPARE(view.Shown(), doc_->EntryAt(1));
        QCOMPARE(doc_->SelectedIndices(), std::vector<int>{1});
        QVERIFY(view.onCommand(30101));
        QCOMPARE(view.Shown(), doc_->EntryAt(2));
        QVERIFY(view.onUpdate(30101, state));
        QVERIFY(!state.enabled);
        QTest::keyClick(&view, Qt::Key_Right);
        QCOMPARE(host_.beeps, 2);
        QCOMPARE(view.Shown(), doc_->EntryAt(2));
        QTest::keyClick(&view, Qt::Key_Up);
        QCOMPARE(view.ZoomPercent(), 116);
        // With up/down mapped to images, Up goes back one.
        host_.prefs.preferences.Set(pref::kUpDownBrowse, 1);
        QTest::keyClick(&view, Qt::Key_Up);
        QCOMPARE(view.Shown(), doc_->EntryAt(1));
        QTest::keyClick(&view, Qt::Key_Return);
        host_.mode = kModeFullScreen;
        QTest::keyClick(&view, Qt::Key_Return);
        QTest::keyClick(&view, Qt::Key_Escape);
        QCOMPARE(host_.posted, (std::vector<int>{kModeFullScreen, kModeThumbnail, 30116}));
        // The desktop's keys and wheel: + and - zoom, the wheel steps, Ctrl+wheel zooms.
        const int percent = view.ZoomPercent();
        QTest::keyClick(&view, Qt::Key_Plus);
        QVERIFY(view.ZoomPercent() > percent);
        QTest::keyClick(&view, Qt::Key_Minus);
        QCOMPARE(view.ZoomPercent(), percent);
        auto wheel = [&view](int delta, Qt::KeyboardModifiers modifiers) {
            QWheelEvent e(QPointF(10, 10), view.mapToGlobal(QPointF(10, 10)), {}, {0, delta},
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
            QApplication::sendEvent(&view, &e);
        };
        wheel(-120, {});
        QCOMPARE(view.Shown(), doc_->EntryAt(2));
        wheel(120, {});
        QCOMPARE(view.Shown(), doc_->EntryAt(1));
        wheel(120, Qt::ControlModifier);
        QVERIFY(view.ZoomPercent() > 100);
    }

    // The commands and the timer move the frames; what each frame shows is ComposeFrame's.
    void anAnimationPlaysAndStepsItsFrames() {
        test::WriteAnimation(dir_.File("anim.gif"), 8,
                             {{0, 0, 8, 1, 1, 7}, {2, 2, 4, 2, 2, 0}, {0, 0, 2, 3, 1, 3}});
        CTavoImgView& view = Show(8, 8);
        const AnimationPlayer& a = view.Animation();
        QCOMPARE(a.FrameCount(), 3);
        QVERIFY(a.Playing());  // an animated picture plays as it shows
        CommandState state;
        QVERIFY(view.onUpdate(30905, state));
        QVERIFY(!state.enabled);  // no stepping while playing
        QVERIFY(view.onCommand(30907));
        QVERIFY(!a.Playing());
        QCOMPARE(view.FrameTimerInterval(), -1);
        QVERIFY(view.onCommand(30905));
        QVERIFY(view.onCommand(30905));
        QCOMPARE(a.FrameIndex(), 2);
        QVERIFY(view.onUpdate(30905, state));
        QVERIFY(!state.enabled);  // the last frame
        QVERIFY(view.onCommand(30904));
        QCOMPARE(a.FrameIndex(), 1);
        // Play starts again from frame 0 with its delay: 7/100 s, twice that when slower.
        host_.prefs.preferences.Set(pref::kGifSpeed, 0);
        QVERIFY(view.onCommand(30906));
        QCOMPARE(a.FrameIndex(), 0);
        QCOMPARE(view.FrameTimerInterval(), 70);
        QVERIFY(view.onCommand(30907));
        host_.prefs.preferences.Set(pref::kGifSpeed, 2);
        QVERIFY(view.onCommand(30906));
        QCOMPARE(view.FrameTimerInterval(), 140);
        QTRY_VERIFY(a.FrameIndex() != 0);
        // Another picture (or none) stops the animation.
        view.SetImage(nullptr);
        QVERIFY(!a.Playing());
        QCOMPARE(view.FrameTimerInterval(), -1);
    }

    void shortMemoryStepsTheDecodeScaleDownTo8Percent() {
        WritePicture(dir_.File("big.bmp"), 2000, 2000, BlockColour);
        Open();
        CTavoImgView view(*doc_, host_, screen_);
        view.resize(240, 320);
        std::vector<int> tried;
        int limit = 160;  // decodes wider than this run out of memory
        const auto real = view.loadFrames;
        view.loadFrames = [&](const std::string& path, CImageFrames& frames,
                              const std::optional<Size>& size) {
            tried.push_back(size ? size->width : 2000);
            if (!size || size->width > limit) throw CTavoException(kErrNoMemory);
            real(path, frames, size);
        };
        view.SetImage(doc_->EntryAt(0));
        QCOMPARE(view.Displayed(), (Size{240, 240}));
        view.grab();
        QCOMPARE(view.FailedStep(), 0);
        QCOMPARE(view.DecodedPercent(), 8);
        QCOMPARE(tried, (std::vector<int>{260, 160}));  // 13 %, then 8 %
        // Nothing below 8 %: the paint shows the error instead.
        limit = 100;
        tried.clear();
        view.SetImage(doc_->EntryAt(0));
        view.SetImage(nullptr);
        view.SetImage(doc_->EntryAt(0));
        view.grab();
        QCOMPARE(view.FailedStep(), 2);
        QCOMPARE(tried, (std::vector<int>{260, 160}));
    }
};

}  // namespace
}  // namespace xelo

QTEST_MAIN(xelo::ImageViewTest)
#include "ImageViewTest.moc"
