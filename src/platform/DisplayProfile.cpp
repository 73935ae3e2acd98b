#include "platform/DisplayProfile.h"

#include <QtGui/qguiapplication_platform.h>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QFile>
#include <QGuiApplication>
#include <QList>

#include <xcb/xcb.h>

#include <cstring>
#include <memory>

namespace xelo {

namespace {

// Profiles are tens of kilobytes; a property or file beyond this is not one.
constexpr uint32_t kMaxProfileBytes = 16u << 20;

IccProfile RootWindowProfile() {
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                   : nullptr;
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) return {};
    const char* name = "_ICC_PROFILE";
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 1, static_cast<uint16_t>(std::strlen(name)), name),
            nullptr),
        &std::free);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!atom || atom->atom == XCB_ATOM_NONE || screen == nullptr) return {};
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> property(
        xcb_get_property_reply(connection,
                               xcb_get_property(connection, 0, screen->root, atom->atom,
                                                XCB_GET_PROPERTY_TYPE_ANY, 0, kMaxProfileBytes / 4),
                               nullptr),
        &std::free);
    if (!property || property->format != 8 || property->bytes_after != 0) return {};
    const int length = xcb_get_property_value_length(property.get());
    const auto* bytes = static_cast<const uint8_t*>(xcb_get_property_value(property.get()));
    if (length <= 0 || bytes == nullptr) return {};
    return IccProfile(bytes, bytes + length);
}

// colord's default profile of its first display device, read from its file.
IccProfile ColordProfile() {
    const QString service = QStringLiteral("org.freedesktop.ColorManager");
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) return {};
    QDBusInterface manager(service, QStringLiteral("/org/freedesktop/ColorManager"), service, bus);
    manager.setTimeout(500);
    const QDBusReply<QList<QDBusObjectPath>> devices =
        manager.call(QStringLiteral("GetDevicesByKind"), QStringLiteral("display"));
    if (!devices.isValid() || devices.value().isEmpty()) return {};
    QDBusInterface device(service, devices.value().front().path(),
                          service + QStringLiteral(".Device"), bus);
    device.setTimeout(500);
    const auto profiles = device.property("Profiles").value<QList<QDBusObjectPath>>();
    if (profiles.isEmpty()) return {};
    QDBusInterface profile(service, profiles.front().path(), service + QStringLiteral(".Profile"),
                           bus);
    profile.setTimeout(500);
    QFile file(profile.property("Filename").toString());
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly) ||
        file.size() > kMaxProfileBytes)
        return {};
    const QByteArray bytes = file.readAll();
    return IccProfile(bytes.begin(), bytes.end());
}

}  // namespace

IccProfile DesktopDisplayProfile() {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb")) {
        if (IccProfile profile = RootWindowProfile(); !profile.empty()) return profile;
    }
    // Without a desktop (offscreen drawing, tests) nothing is asked of the system bus.
    if (platform != QLatin1String("xcb") && platform != QLatin1String("wayland")) return {};
    return ColordProfile();
}

void UseDesktopDisplayProfile() {
    SetDisplayProfile(DesktopDisplayProfile());
}

}  // namespace xelo
