// The X11 keysym of a Qt key event: remote-control plug-ins see keys as keysyms, whatever the
// platform the window runs on.
#pragma once

#include <cstdint>

class QKeyEvent;

namespace xelo {

// The event's own keysym on X11; elsewhere (and for synthesised events) the keysym of its Qt key
// for the keys a remote or a keyboard sends. 0 for a key without one.
uint32_t X11KeySym(const QKeyEvent& event);
// XELO_MOD_* bits of the event's Shift, Control and Alt.
uint32_t RemoteModifiers(const QKeyEvent& event);

}  // namespace xelo
