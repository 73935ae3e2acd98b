// org.freedesktop.portal.GlobalShortcuts: CreateSession answers through a request object;
// BindShortcuts then names our one shortcut with the key we would like, and Activated reports
// its presses.
#include "platform/PortalShortcut.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QGuiApplication>

namespace xelo {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");
const QString kShortcutId = QStringLiteral("capture");

// One entry of BindShortcuts' a(sa{sv}).
struct Shortcut {
    QString id;
    QVariantMap options;
};

}  // namespace
}  // namespace xelo

Q_DECLARE_METATYPE(xelo::Shortcut)

namespace xelo {
namespace {

QDBusArgument& operator<<(QDBusArgument& out, const Shortcut& s) {
    out.beginStructure();
    out << s.id << s.options;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, Shortcut& s) {
    in.beginStructure();
    in >> s.id >> s.options;
    in.endStructure();
    return in;
}

QString RequestPath(const QString& token) {
    QString sender = QDBusConnection::sessionBus().baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return kPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
}

}  // namespace

CPortalShortcut::CPortalShortcut(QObject* parent) : QObject(parent) {
    qDBusRegisterMetaType<Shortcut>();
    qDBusRegisterMetaType<QList<Shortcut>>();
}

CPortalShortcut::~CPortalShortcut() {
    Release();
}

bool CPortalShortcut::Available() {
    if (QGuiApplication::platformName() == QLatin1String("xcb")) return false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() ||
        !bus.interface()->isServiceRegistered(kService).value()) {
        return false;
    }
    QDBusMessage get = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << kInterface << QStringLiteral("version");
    return bus.call(get).type() == QDBusMessage::ReplyMessage;
}

bool CPortalShortcut::Bind(const QString& trigger) {
    Release();
    trigger_ = trigger;
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString token = QStringLiteral("xelo_session");
    requestPath_ = RequestPath(token);
    bus.connect(kService, requestPath_, kRequest, QStringLiteral("Response"), this,
                SLOT(OnSessionCreated(uint, QVariantMap)));
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                       QStringLiteral("CreateSession"));
    call << QVariantMap{{QStringLiteral("handle_token"), token},
                        {QStringLiteral("session_handle_token"), QStringLiteral("xelo_capture")}};
    return bus.call(call).type() == QDBusMessage::ReplyMessage;
}

void CPortalShortcut::OnSessionCreated(uint response, const QVariantMap& results) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.disconnect(kService, requestPath_, kRequest, QStringLiteral("Response"), this,
                   SLOT(OnSessionCreated(uint, QVariantMap)));
    if (response != 0) return;
    session_ = results.value(QStringLiteral("session_handle")).toString();
    if (session_.isEmpty()) return;
    bus.connect(kService, kPath, kInterface, QStringLiteral("Activated"), this,
                SLOT(OnActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
    const QList<Shortcut> shortcuts = {
        {kShortcutId,
         {{QStringLiteral("description"), QStringLiteral("Screen capture")},
          {QStringLiteral("preferred_trigger"), trigger_}}}};
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                       QStringLiteral("BindShortcuts"));
    call << QVariant::fromValue(QDBusObjectPath(session_)) << QVariant::fromValue(shortcuts)
         << QString() << QVariantMap{{QStringLiteral("handle_token"), QStringLiteral("xelo_bind")}};
    bus.asyncCall(call);
}

void CPortalShortcut::OnActivated(const QDBusObjectPath& session, const QString& id, qulonglong,
                                  const QVariantMap&) {
    if (session.path() == session_ && id == kShortcutId) emit activated();
}

void CPortalShortcut::Release() {
    if (session_.isEmpty()) return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.disconnect(kService, kPath, kInterface, QStringLiteral("Activated"), this,
                   SLOT(OnActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
    bus.asyncCall(QDBusMessage::createMethodCall(kService, session_,
                                                 QStringLiteral("org.freedesktop.portal.Session"),
                                                 QStringLiteral("Close")));
    session_.clear();
}

}  // namespace xelo
