// org.freedesktop.portal.Screenshot: the call names a request object whose Response signal
// carries the URI of the file the portal wrote; that file is read and removed.
#include "platform/PortalScreenshot.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QGuiApplication>
#include <QUrl>

namespace xelo {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");

}  // namespace

bool CPortalScreenshot::Available() {
    if (QGuiApplication::platformName() == QLatin1String("xcb")) return false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() &&
           bus.interface()->isServiceRegistered(kService).value();
}

bool CPortalScreenshot::Request() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    const QString token = QStringLiteral("xelo_capture_%1").arg(++requests_);
    // The request object's path is made from our bus name and the token we pass.
    QString sender = bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    requestPath_ = kPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
    bus.connect(kService, requestPath_, kRequest, QStringLiteral("Response"), this,
                SLOT(OnResponse(uint, QVariantMap)));
    QDBusMessage call = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.portal.Screenshot"),
        QStringLiteral("Screenshot"));
    call << QString()
         << QVariantMap{{QStringLiteral("handle_token"), token},
                        {QStringLiteral("interactive"), false}};
    const QDBusMessage reply = bus.call(call);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        bus.disconnect(kService, requestPath_, kRequest, QStringLiteral("Response"), this,
                       SLOT(OnResponse(uint, QVariantMap)));
        return false;
    }
    return true;
}

void CPortalScreenshot::OnResponse(uint response, const QVariantMap& results) {
    QDBusConnection::sessionBus().disconnect(kService, requestPath_, kRequest,
                                             QStringLiteral("Response"), this,
                                             SLOT(OnResponse(uint, QVariantMap)));
    const QUrl uri(results.value(QStringLiteral("uri")).toString());
    if (response != 0 || !uri.isLocalFile()) {
        emit failed();
        return;
    }
    const QImage screen(uri.toLocalFile());
    // The portal's file is only the way the picture travels; the capture file is ours.
    QFile::remove(uri.toLocalFile());
    if (screen.isNull()) {
        emit failed();
    } else {
        emit done(screen);
    }
}

}  // namespace xelo
