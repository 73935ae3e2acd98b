// QScreen stands in for the device context and the direct-display library: no direct
// frame-buffer drawing, the depth and dots per inch as the desktop reports them.
#include "platform/ScreenProbe.h"

#include <QImage>
#include <QPainter>
#include <QScreen>

namespace xelo {

ScreenCaps ProbeScreen(const QScreen* screen, const std::optional<Size>& virtualSize) {
    ScreenCaps caps;
    if (screen) {
        caps.bitsPerPixel = screen->depth() > 0 ? screen->depth() : 24;
        caps.horizontalResolution = screen->size().width();
        caps.verticalResolution = screen->size().height();
        caps.pixelsPerInchX = static_cast<int>(screen->logicalDotsPerInchX());
        caps.pixelsPerInchY = static_cast<int>(screen->logicalDotsPerInchY());
    }
    // A desktop screen above 24 bits (30-bit colour) shows at least what 24 bits hold.
    if (caps.bitsPerPixel > 24) caps.bitsPerPixel = 24;
    caps.colourCount = ColourCountFor(caps.bitsPerPixel, 1 << std::min(caps.bitsPerPixel, 8));
    caps.paletteBased = caps.colourCount <= 256;
    caps.directAccess = false;
    if (virtualSize) {
        caps.horizontalResolution = virtualSize->width;
        caps.verticalResolution = virtualSize->height;
    }
    return caps;
}

void DrawToDevice(QPainter& painter, const QRect& dest, const BgrBuffer& buffer, const Rect& region,
                  int mode, uint32_t keyColour, bool useKey, int gammaPercent,
                  const ScreenCaps& screen) {
    if (dest.isEmpty() || region.IsEmpty() || buffer.bits == nullptr) return;
    AdjustGamma(region, buffer, keyColour, useKey, gammaPercent);
    ReduceForDisplay(region, buffer, mode, keyColour, useKey, screen);
    const QImage wrapped(buffer.Pixel(region.left, region.top), region.Width(), region.Height(),
                         static_cast<qsizetype>(buffer.Stride()), QImage::Format_BGR888);
    painter.drawImage(dest, wrapped);
}

}  // namespace xelo
