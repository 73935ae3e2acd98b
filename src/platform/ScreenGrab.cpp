// QScreen::grabWindow(0) reads the root window, which only an X server offers to every client.
#include "platform/ScreenGrab.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

namespace xelo {

bool CanGrabScreen() {
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

QImage GrabScreen() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || !CanGrabScreen()) return {};
    const QPixmap picture = screen->grabWindow(0);
    if (picture.isNull()) return {};
    return picture.toImage().convertToFormat(QImage::Format_BGR888);
}

}  // namespace xelo
