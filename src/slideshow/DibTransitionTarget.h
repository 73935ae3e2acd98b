// CDibTransitionTarget: a transition target that draws into a 3-byte-per-pixel CDibImage.
#pragma once

#include "slideshow/TransitionTarget.h"

namespace xelo {

// Every call refuses (returns false, draws nothing) a rectangle that does not lie wholly inside
// the surface or the slide, or a surface or slide that is not 3 bytes per pixel.
class CDibTransitionTarget : public ITransitionTarget {
  public:
    explicit CDibTransitionTarget(CDibImage& surface) : surface_(surface) {}

    bool CopyFromSlide(const CDibImage& slide, const Rect& dest, Point source) override;
    bool CopyColumnsFromSlide(const CDibImage& slide, const Rect& dest, const int* columns,
                              int count) override;
    bool CopyWithin(const Rect& dest, Point source) override;
    bool Fill(const Rect& dest, uint32_t colour) override;
    bool AndPattern(const Rect& dest, const CDibImage& pattern) override;
    void Present(const Rect& changed) override;

    CDibImage& Surface() { return surface_; }

  private:
    CDibImage& surface_;  // not owned
};

}  // namespace xelo
