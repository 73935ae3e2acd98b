// The eight orientations a camera records (Exif values 1 to 8) as operations on rectangles and
// pictures: value o turns a stored picture into the upright one.
#pragma once

#include "image/DibImage.h"
#include "image/Geometry.h"

namespace xelo {

// Values 5 to 8 exchange width and height.
inline bool OrientationTransposes(int orientation) {
    return orientation >= 5 && orientation <= 8;
}
Size OrientedSize(const Size& stored, int orientation);
// The orientation that undoes `orientation` (6 and 8 undo each other, the others themselves).
int InverseOrientation(int orientation);
// Where the part `r` of a stored picture of `stored` size lies in the upright picture.
Rect OrientRect(const Rect& r, int orientation, const Size& stored);
// `target` becomes `source` turned upright: pixels, palette, mask and transparent key.
void OrientImage(const CDibImage& source, CDibImage& target, int orientation);

}  // namespace xelo
