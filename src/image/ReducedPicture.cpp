// Choosing and making a view's filtered copy.
#include "image/ReducedPicture.h"

#include "image/Reducer.h"
#include "image/TavoException.h"

namespace xelo {

bool MakeReducedPicture(const CDibImage& image, const RenderSource& source, Size shown,
                        CDibImage& reduced) {
    const Size logical = source.size.value_or(Size{image.Width(), image.Height()});
    const bool whole =
        source.offset == Point{} && !source.clip && logical == Size{image.Width(), image.Height()};
    const bool smaller = shown.width >= 1 && shown.height >= 1 && shown.width <= logical.width &&
                         shown.height <= logical.height && shown != logical;
    if (!whole || !smaller || !CanReduceSmoothly(image) ||
        int64_t{shown.width} * shown.height > kMaxReducedPixels) {
        reduced.Release();
        return false;
    }
    try {
        ReduceImage(image, reduced, shown);
    } catch (const CTavoException&) {
        reduced.Release();
        return false;
    }
    return true;
}

}  // namespace xelo
