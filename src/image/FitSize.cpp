// FitSize: integer results of the aspect-fit rule.
#include "image/FitSize.h"

#include <algorithm>
#include <cstdint>

namespace xelo {

Size FitSize(int boxWidth, int boxHeight, int imageWidth, int imageHeight, bool enlarge) {
    if (imageWidth <= 0 || imageHeight <= 0 || boxWidth <= 0 || boxHeight <= 0) return Size{};
    const double rx = static_cast<double>(boxWidth) / imageWidth;
    const double ry = static_cast<double>(boxHeight) / imageHeight;
    if (rx >= 1.0 && ry >= 1.0 && !enlarge) return Size{imageWidth, imageHeight};
    if (rx <= ry) {
        const int64_t h = int64_t{imageHeight} * boxWidth / imageWidth;
        return Size{boxWidth, static_cast<int>(std::clamp<int64_t>(h, 1, boxHeight))};
    }
    const int64_t w = int64_t{imageWidth} * boxHeight / imageHeight;
    return Size{static_cast<int>(std::clamp<int64_t>(w, 1, boxWidth)), boxHeight};
}

}  // namespace xelo
