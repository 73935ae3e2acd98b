// Grabbing the whole screen: on X11 through the screen's root window.
#pragma once

#include <QImage>

namespace xelo {

// Whether this desktop lets a program read the screen.
bool CanGrabScreen();
// The primary screen's picture as 24-bit pixels; a null image when it cannot be read.
QImage GrabScreen();

}  // namespace xelo
