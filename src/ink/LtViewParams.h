// The drawing and hit-testing parameters of an annotation layer: its 40-byte view block.
#pragma once

#include <cstdint>

#include "image/Geometry.h"

namespace xelo {

struct LtViewParams {
    double scale = 1.0;   // view pixels per picture pixel
    int32_t xOffset = 0;  // view = picture * scale - offset
    int32_t yOffset = 0;
    int32_t reserved = 0;
    int32_t handleHalfSize = 3;  // at least 1
    int32_t hitTolerance = 2;    // picture pixels, at least 0
    int32_t flags = 0x42;
    int32_t value1 = 1;
    int32_t value2 = 0;

    friend bool operator==(const LtViewParams&, const LtViewParams&) = default;
};

// Bytes of the view block in an ink file.
constexpr size_t kViewParamsBytes = 40;

// A picture coordinate mapped to view pixels (saturated to the int range).
int ToViewX(int32_t x, const LtViewParams& view);
int ToViewY(int32_t y, const LtViewParams& view);
Point ToView(Point p, const LtViewParams& view);

}  // namespace xelo
