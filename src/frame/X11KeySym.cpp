#include "frame/X11KeySym.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include "xelo_plugin.h"

namespace xelo {

namespace {

struct KeyPair {
    int qt;
    uint32_t keysym;
};

// The keys outside Latin-1 that keyboards and presenter remotes send.
constexpr KeyPair kSpecialKeys[] = {
    {Qt::Key_Escape, 0xff1b},    {Qt::Key_Tab, 0xff09},        {Qt::Key_Backtab, 0xfe20},
    {Qt::Key_Backspace, 0xff08}, {Qt::Key_Return, 0xff0d},     {Qt::Key_Enter, 0xff8d},
    {Qt::Key_Insert, 0xff63},    {Qt::Key_Delete, 0xffff},     {Qt::Key_Pause, 0xff13},
    {Qt::Key_Print, 0xff61},     {Qt::Key_Home, 0xff50},       {Qt::Key_End, 0xff57},
    {Qt::Key_Left, 0xff51},      {Qt::Key_Up, 0xff52},         {Qt::Key_Right, 0xff53},
    {Qt::Key_Down, 0xff54},      {Qt::Key_PageUp, 0xff55},     {Qt::Key_PageDown, 0xff56},
    {Qt::Key_Menu, 0xff67},      {Qt::Key_MediaPlay, 0x1008ff14},
    {Qt::Key_MediaTogglePlayPause, 0x1008ff14},                {Qt::Key_MediaStop, 0x1008ff15},
    {Qt::Key_MediaPrevious, 0x1008ff16},                       {Qt::Key_MediaNext, 0x1008ff17},
};

}  // namespace

uint32_t X11KeySym(const QKeyEvent& event) {
    if (event.nativeVirtualKey() != 0 && QGuiApplication::platformName() == QLatin1String("xcb")) {
        return event.nativeVirtualKey();
    }
    const int key = event.key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        // Qt names the letter; X11 tells the case.
        const bool shift = event.modifiers().testFlag(Qt::ShiftModifier);
        return static_cast<uint32_t>(shift ? key : key - Qt::Key_A + 'a');
    }
    if (key >= Qt::Key_Space && key <= 0xff) return static_cast<uint32_t>(key);  // Latin-1 as is
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35) return static_cast<uint32_t>(0xffbe + key - Qt::Key_F1);
    for (const KeyPair& pair : kSpecialKeys) {
        if (pair.qt == key) return pair.keysym;
    }
    return 0;
}

uint32_t RemoteModifiers(const QKeyEvent& event) {
    const Qt::KeyboardModifiers held = event.modifiers();
    return (held.testFlag(Qt::ShiftModifier) ? XELO_MOD_SHIFT : 0) |
           (held.testFlag(Qt::ControlModifier) ? XELO_MOD_CONTROL : 0) |
           (held.testFlag(Qt::AltModifier) ? XELO_MOD_ALT : 0);
}

}  // namespace xelo
