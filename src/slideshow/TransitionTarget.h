// ITransitionTarget: the surface a transition draws on. It shows the old slide when the
// transition starts and receives the new one; the engine keeps no copy of the old picture.
#pragma once

#include <cstdint>

#include "image/DibImage.h"
#include "image/Geometry.h"

namespace xelo {

// Every drawing call returns false when the blit failed; the engine then ends with one full copy.
// Rectangles are in target coordinates.
class ITransitionTarget {
  public:
    virtual ~ITransitionTarget() = default;

    // Copies `dest`-sized pixels of `slide` starting at `source` to `dest`.
    virtual bool CopyFromSlide(const CDibImage& slide, const Rect& dest, Point source) = 0;
    // Copies pixels of the target starting at `source` to `dest`; the two may overlap.
    virtual bool CopyWithin(const Rect& dest, Point source) = 0;
    // Fills `dest` with a colour 0x00BBGGRR.
    virtual bool Fill(const Rect& dest, uint32_t colour) = 0;
    // Tiles `pattern` over `dest`, its top-left pixel at dest's top-left, combining each target
    // pixel with the pattern pixel by bitwise AND.
    virtual bool AndPattern(const Rect& dest, const CDibImage& pattern) = 0;
    // Copies the one-pixel columns `columns` (ascending target x, each with the same x in the
    // slide as its offset from `dest`'s left) of `dest`'s rows; pixels drawn in one pass of the
    // rows, as many scattered columns are. The default draws column by column.
    virtual bool CopyColumnsFromSlide(const CDibImage& slide, const Rect& dest, const int* columns,
                                      int count) {
        bool ok = true;
        for (int i = 0; i < count; ++i) {
            ok = CopyFromSlide(slide, Rect{columns[i], dest.top, columns[i] + 1, dest.bottom},
                               Point{columns[i] - dest.left, 0}) &&
                 ok;
        }
        return ok;
    }
    // Shows the area changed since the last call; called before every pause and at the end.
    virtual void Present(const Rect& changed) = 0;
};

}  // namespace xelo
