// Scaled, rotated or mirrored transfer of an image into a 24-bit target buffer.
#pragma once

#include <optional>

#include "image/BgrBuffer.h"
#include "image/DibImage.h"
#include "image/Geometry.h"

namespace xelo {

// The eight orientations of a picture.
enum Orientation : int {
    kOrientNormal = 0,
    kOrientRotate90 = 1,  // clockwise
    kOrientRotate180 = 2,
    kOrientRotate270 = 3,  // 90° counter-clockwise
    kOrientMirrorLeftRight = 4,
    kOrientTranspose = 5,  // 90° clockwise, then mirrored
    kOrientMirrorTopBottom = 6,
    kOrientTransverse = 7,  // 90° counter-clockwise, then mirrored
};

constexpr bool SwapsAxes(int orientation) {
    return (orientation & 1) != 0;
}

struct RenderSource {
    // Where the image lies in the logical picture that destRect shows (a part decoded on its
    // own sits at its offset); sourceSize is that picture's size (the image's own by default);
    // sourceClip limits the shown part of it.
    Point offset;
    std::optional<Size> size;
    std::optional<Rect> clip;
};

// Writes `image` into `target`: the whole logical picture lands scaled in destRect, turned by
// `orientation`; only target pixels inside the buffer, destRect and `clip` whose source lies in
// the image (and in source.clip) are written, so a part leaves the rest of the picture alone.
void RenderTransformed(const CDibImage& image, const Rect& destRect, const BgrBuffer& target,
                       const std::optional<Rect>& clip, int orientation,
                       const RenderSource& source = {});

}  // namespace xelo
