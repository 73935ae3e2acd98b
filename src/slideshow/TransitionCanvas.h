// CTransitionCanvas: what an effect routine draws with. Coordinates are local to the slide area
// (0..width, 0..height); every rectangle is clipped to the area, so no routine can draw outside
// it. It remembers what changed since the last pause and whether any blit failed.
#pragma once

#include <vector>

#include "image/DibImage.h"
#include "image/Geometry.h"
#include "slideshow/TransitionClock.h"
#include "slideshow/TransitionPacer.h"
#include "slideshow/TransitionTarget.h"

namespace xelo {

class CTransitionCanvas {
  public:
    // All references are borrowed for the canvas's lifetime. `slide` is at least area-sized.
    CTransitionCanvas(ITransitionTarget& target, const Rect& area, const CDibImage& slide,
                      ITransitionClock& clock);

    int Width() const { return width_; }
    int Height() const { return height_; }
    ITransitionClock& Clock() { return clock_; }

    // Draws the new slide's pixels of `r` in place.
    void Draw(const Rect& r);
    void Draw(int left, int top, int right, int bottom) { Draw(Rect{left, top, right, bottom}); }
    void DrawAll() { Draw(Rect{0, 0, width_, height_}); }
    // Draws the new slide's whole columns at the given x (any order; sorted here) in one pass.
    void DrawColumns(std::vector<int>& columns);
    // Draws the new slide's pixels starting at `source` into `dest`.
    void Place(const Rect& dest, Point source);
    // Moves what the target shows at `source` into `dest`.
    void Move(const Rect& dest, Point source);
    void Fill(uint32_t colour);
    void AndPattern(const CDibImage& pattern);

    // Shows what changed, then lets the pacer wait for the next step.
    void Pause(CPacer& pacer);
    // Shows what changed, then sleeps.
    void Sleep(uint32_t milliseconds);
    // Shows what changed since the last call.
    void Present();

    bool BlitFailed() const { return failed_; }

  private:
    // Clips `dest` to the area and `source` + dest's size to the area, keeping them aligned.
    bool ClipPair(Rect& dest, Point& source) const;
    Rect ToTarget(const Rect& local) const;
    void Record(bool ok, const Rect& local);

    ITransitionTarget& target_;  // not owned
    const CDibImage& slide_;     // not owned
    ITransitionClock& clock_;    // not owned
    Rect area_;
    int width_;
    int height_;
    Rect dirty_;
    bool failed_ = false;
};

}  // namespace xelo
