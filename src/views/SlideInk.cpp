// What a press on a slide does.
#include "views/SlideInk.h"

namespace xelo {

CSlideInk::PressResult CSlideInk::Press(Point at, const PictureGeometry& g, const LtPen& pen,
                                        bool showPlaying, bool gifAnimating, bool inkOnSlides) {
    capture_.Cancel();
    if (showPlaying) return PressResult::kStopShow;
    if (gifAnimating || !inkOnSlides) return PressResult::kIgnored;
    return capture_.Press(at, g, pen, static_cast<uint32_t>(layer_.Count()))
               ? PressResult::kDrawing
               : PressResult::kIgnored;
}

}  // namespace xelo
