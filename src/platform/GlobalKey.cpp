// The X11 key grab: the key's code looked up in the server's keyboard map, grabbed on the root
// window with and without Caps Lock and Num Lock, and its presses picked out of Qt's XCB events.
#include "platform/GlobalKey.h"

#include <xcb/xcb.h>
#include <QCoreApplication>
#include <QGuiApplication>

#include <cstring>
#include <memory>

#include "platform/PortalShortcut.h"

namespace xelo {

namespace {

struct KeyName {
    const char* name;
    uint32_t keysym;
    const char* xkbName;  // as the portal's triggers spell it
};

// The keysyms of the capture keys' names.
constexpr KeyName kKeysyms[] = {
    {"F9", 0xFFC6, "F9"},
    {"F10", 0xFFC7, "F10"},
    {"F11", 0xFFC8, "F11"},
    {"F12", 0xFFC9, "F12"},
    {"Print", 0xFF61, "Print"},
    {"Pause", 0xFF13, "Pause"},
    {"ScrollLock", 0xFF14, "Scroll_Lock"},
};

const KeyName* Find(const std::string& name) {
    for (const KeyName& k : kKeysyms) {
        if (name == k.name) return &k;
    }
    return nullptr;
}

// Caps Lock and Num Lock must not stop the key from reaching us.
constexpr uint16_t kLockMasks[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                   XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

xcb_connection_t* Connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_keycode_t KeycodeOf(xcb_connection_t* c, uint32_t keysym) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    std::unique_ptr<xcb_get_keyboard_mapping_reply_t, decltype(&std::free)> reply(
        xcb_get_keyboard_mapping_reply(
            c, xcb_get_keyboard_mapping(c, setup->min_keycode, static_cast<uint8_t>(count)),
            nullptr),
        &std::free);
    if (!reply) return 0;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply.get());
    const int per = reply->keysyms_per_keycode;
    const int total = xcb_get_keyboard_mapping_keysyms_length(reply.get());
    for (int i = 0; i < total; ++i) {
        if (syms[i] == keysym) return static_cast<xcb_keycode_t>(setup->min_keycode + i / per);
    }
    return 0;
}

}  // namespace

CGlobalKey::CGlobalKey(QObject* parent) : QObject(parent) {}

CGlobalKey::~CGlobalKey() {
    Unregister();
}

bool CGlobalKey::Supported() {
    return Connection() != nullptr || CPortalShortcut::Available();
}

bool CGlobalKey::Register(const std::string& keyName) {
    Unregister();
    const KeyName* key = Find(keyName);
    if (!key) return false;
    xcb_connection_t* c = Connection();
    if (!c) {
        if (!CPortalShortcut::Available()) return false;
        if (!portal_) {
            portal_ = std::make_unique<CPortalShortcut>();
            connect(portal_.get(), &CPortalShortcut::activated, this, &CGlobalKey::pressed);
        }
        portalBound_ = portal_->Bind(QString::fromLatin1(key->xkbName));
        return portalBound_;
    }
    const xcb_keycode_t code = KeycodeOf(c, key->keysym);
    if (code == 0) return false;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    for (uint16_t mask : kLockMasks) {
        xcb_generic_error_t* error = xcb_request_check(
            c,
            xcb_grab_key_checked(c, 1, root, mask, code, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        if (error) {
            // Another program holds the key: give back what was taken.
            std::free(error);
            for (uint16_t taken : kLockMasks) {
                if (taken == mask) break;
                xcb_ungrab_key(c, code, root, taken);
            }
            xcb_flush(c);
            return false;
        }
    }
    xcb_flush(c);
    keycode_ = code;
    root_ = root;
    QCoreApplication::instance()->installNativeEventFilter(this);
    return true;
}

void CGlobalKey::Unregister() {
    if (portalBound_) portal_->Release();
    portalBound_ = false;
    if (keycode_ == 0) return;
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeNativeEventFilter(this);
    if (xcb_connection_t* c = Connection()) {
        for (uint16_t mask : kLockMasks)
            xcb_ungrab_key(c, static_cast<xcb_keycode_t>(keycode_), root_, mask);
        xcb_flush(c);
    }
    keycode_ = 0;
}

bool CGlobalKey::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    if (keycode_ == 0 || type != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_KEY_PRESS) return false;
    const auto* press = static_cast<const xcb_key_press_event_t*>(message);
    if (press->detail != keycode_ || press->event != root_) return false;
    emit pressed();
    return true;
}

}  // namespace xelo
