// An output plug-in whose external display is a second monitor: the pictures the program presents
// fill a frameless window over the whole of a screen other than the primary one. Its modes are
// that screen's size at 16, 24 and 32 bits; with one monitor the card check fails.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <cstring>
#include <vector>

#include "xelo_plugin.h"

namespace {

constexpr char16_t kName[] = u"Second Screen";
constexpr int32_t kDepths[] = {16, 24, 32};

// The screen the pictures go to: the first that is not the primary one.
QScreen* ExternalScreen() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return nullptr;
    QScreen* primary = QGuiApplication::primaryScreen();
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen != primary) return screen;
    }
    return nullptr;
}

// The screen's size in device pixels.
QSize PixelSize(const QScreen& screen) {
    return (QSizeF(screen.size()) * screen.devicePixelRatio()).toSize();
}

XeloOutputMode ModeOf(const QScreen& screen, int32_t depth) {
    const QSize size = PixelSize(screen);
    return {size.width(), size.height(), depth, qRound(screen.refreshRate()), XELO_OUTPUT_VGA};
}

// Shows the last presented picture; it never takes the focus from the program's window.
class PictureWindow : public QWidget {
  public:
    PictureWindow()
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::WindowDoesNotAcceptFocus) {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setCursor(Qt::BlankCursor);
        setWindowTitle(QString::fromUtf16(kName));
    }
    QImage picture;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (picture.isNull()) {
            painter.fillRect(rect(), Qt::black);
        } else {
            painter.drawImage(rect(), picture);
        }
    }
};

int Present(XeloDeviceContext* dc);

struct Device {
    XeloOutputMode mode{};  // width 0: none set yet
    std::vector<uint8_t> pixels;
    XeloDeviceContext dc{};
    QPointer<PictureWindow> window;

    void DropSurface() {
        pixels = {};
        dc = {};
    }
    // The window's code leaves with the plug-in: the window goes first.
    ~Device() {
        if (QCoreApplication::instance()) delete window.data();
    }
};
Device device;

// The window, on `screen`; one made for another screen is made anew, since a window cannot
// always move between X screens.
PictureWindow& WindowOn(QScreen& screen) {
    if (device.window && device.window->screen() != &screen) delete device.window.data();
    if (!device.window) {
        device.window = new PictureWindow;
        device.window->setScreen(&screen);
        // A window left on a screen that goes away would land on the primary one.
        QObject::connect(qApp, &QGuiApplication::screenRemoved, device.window.data(),
                         [](QScreen* gone) {
                             if (device.window && device.window->screen() == gone) device.window->hide();
                         });
    }
    device.window->setGeometry(screen.geometry());
    return *device.window;
}

int Present(XeloDeviceContext* dc) {
    QScreen* screen = ExternalScreen();
    if (dc != &device.dc || device.pixels.empty() || !screen) return 1;
    const QImage::Format format =
        dc->pixelFormat == XELO_PIXELS_RGB565 ? QImage::Format_RGB16 : QImage::Format_RGB32;
    PictureWindow& window = WindowOn(*screen);
    // A copy: the program goes on drawing into its surface while the window shows this one.
    window.picture = QImage(dc->pixels, dc->width, dc->height, dc->stride, format).copy();
    if (!window.isVisible()) {
        // Not showFullScreen(): it would also ask for the focus the program's window keeps.
        window.setWindowState(Qt::WindowFullScreen);
        window.show();
    }
    // At once: a transition presents its steps in a loop without returning to the event loop.
    window.repaint();
    return 0;
}

}  // namespace

extern "C" {

XELO_PLUGIN_EXPORT int voeGetName(XeloChar16* name) {
    if (!name) return 1;
    std::memcpy(name, kName, sizeof kName);
    return 0;
}

// The driver is Qt's own display connection, which loading this plug-in brings along. The program
// discovers plug-ins before it starts Qt, so whether a monitor is there is the card check's
// question, asked once the program runs.
XELO_PLUGIN_EXPORT int voeCheckDriver(void) { return 0; }

XELO_PLUGIN_EXPORT int voeCheckCard(void) { return ExternalScreen() ? 0 : 1; }

XELO_PLUGIN_EXPORT int voeGetOutputTypes(uint32_t* types) {
    if (!types) return 1;
    *types = XELO_OUTPUT_VGA;
    return 0;
}

XELO_PLUGIN_EXPORT int voeGetOutputModes(int32_t* count, XeloOutputMode* modes) {
    QScreen* screen = ExternalScreen();
    if (!count || !modes || !screen) return 1;
    *count = 0;
    for (int32_t depth : kDepths) modes[(*count)++] = ModeOf(*screen, depth);
    return 0;
}

XELO_PLUGIN_EXPORT int voeGetCurrentMode(XeloOutputMode* mode) {
    QScreen* screen = ExternalScreen();
    if (!mode) return 1;
    if (device.mode.width != 0) {
        *mode = device.mode;
        return 0;
    }
    if (!screen) return 1;
    *mode = ModeOf(*screen, 32);
    return 0;
}

XELO_PLUGIN_EXPORT int voeSetOutputMode(uint32_t outputType, const XeloOutputMode* mode) {
    QScreen* screen = ExternalScreen();
    if (!mode || !screen || !(outputType & XELO_OUTPUT_VGA)) return 1;
    bool offered = false;
    for (int32_t depth : kDepths) {
        const XeloOutputMode own = ModeOf(*screen, depth);
        offered = offered || (mode->width == own.width && mode->height == own.height &&
                              mode->bitsPerPixel == depth);
    }
    if (!offered) return 1;
    device.DropSurface();
    device.mode = ModeOf(*screen, mode->bitsPerPixel);
    return 0;
}

XELO_PLUGIN_EXPORT int voeGetDC(XeloDeviceContext** dc) {
    if (!dc || device.mode.width <= 0 || device.mode.height <= 0 || !ExternalScreen()) return 1;
    if (device.pixels.empty()) {
        const bool rgb565 = device.mode.bitsPerPixel == 16;
        const int32_t stride = device.mode.width * (rgb565 ? 2 : 4);
        device.pixels.assign(static_cast<size_t>(stride) * static_cast<size_t>(device.mode.height), 0);
        device.dc = {device.pixels.data(), device.mode.width, device.mode.height, stride,
                     rgb565 ? XELO_PIXELS_RGB565 : XELO_PIXELS_XRGB8888, Present, &device};
    }
    *dc = &device.dc;
    return 0;
}

XELO_PLUGIN_EXPORT int voeReleaseDC(XeloDeviceContext* dc) {
    if (dc != &device.dc) return 1;
    if (device.window) device.window->hide();
    device.DropSurface();
    return 0;
}

}  // extern "C"
