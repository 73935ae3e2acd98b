// The window side of the screen: its capabilities read from QScreen (or the virtual screen of
// --screen), and the last step of every view paint.
#pragma once

#include <optional>

#include "image/BgrBuffer.h"
#include "image/DisplayReduction.h"
#include "image/Geometry.h"

class QPainter;
class QRect;
class QScreen;

namespace xelo {

// Fills the capabilities from the screen; a virtual size replaces the screen's size.
ScreenCaps ProbeScreen(const QScreen* screen, const std::optional<Size>& virtualSize);

// Display gamma and reduction to the screen's depth on `region` of the buffer (in place), then
// one drawImage of that region to `dest`. An empty destination draws nothing.
void DrawToDevice(QPainter& painter, const QRect& dest, const BgrBuffer& buffer, const Rect& region,
                  int mode, uint32_t keyColour, bool useKey, int gammaPercent,
                  const ScreenCaps& screen);

}  // namespace xelo
