// Test doubles for transitions: a virtual clock, a target that records what it is asked to do
// and the pictures it presents, and old and new slides whose pixels tell them apart.
#pragma once

#include <cstdint>
#include <numeric>
#include <vector>

#include "image/DibImage.h"
#include "slideshow/DibTransitionTarget.h"
#include "slideshow/TransitionClock.h"

namespace xelo::test {

// Time passes only when the engine sleeps (plus `costPerRead` at every tick read, to play a slow
// machine).
class CFakeClock : public ITransitionClock {
  public:
    explicit CFakeClock(uint32_t start = 1000) : now_(start) {}
    uint32_t TickCount() override {
        now_ += costPerRead;
        return now_;
    }
    void Sleep(uint32_t ms) override {
        sleeps.push_back(ms);
        now_ += ms;
    }
    void Advance(uint32_t ms) { now_ += ms; }
    uint32_t TotalSleep() const { return std::accumulate(sleeps.begin(), sleeps.end(), 0u); }

    std::vector<uint32_t> sleeps;
    uint32_t costPerRead = 0;

  private:
    uint32_t now_;
};

constexpr uint8_t kOldRed = 0x10;
constexpr uint8_t kNewRed = 0xE0;

// A slide whose pixel (x, y) is blue x, green y (both mod 256) and the given red.
void PaintSlide(CDibImage& image, int width, int height, uint8_t red);

struct Pixel {
    uint8_t blue, green, red;
    friend bool operator==(const Pixel&, const Pixel&) = default;
};
inline Pixel SlidePixel(int x, int y, uint8_t red) {
    return Pixel{static_cast<uint8_t>(x), static_cast<uint8_t>(y), red};
}

// One presented picture of the slide area.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<Pixel> pixels;
    Pixel At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
    bool ShowsNew(int x, int y) const { return At(x, y) == SlidePixel(x, y, kNewRed); }
    bool ShowsOld(int x, int y) const { return At(x, y) == SlidePixel(x, y, kOldRed); }
};

// Draws into a surface with a margin around the slide area, records every rectangle it is asked
// to touch, keeps a copy of the area at every Present, and can fail one chosen slide copy.
class CRecordingTarget : public CDibTransitionTarget {
  public:
    CRecordingTarget(CDibImage& surface, const Rect& area)
        : CDibTransitionTarget(surface), area_(area) {}

    bool CopyFromSlide(const CDibImage& slide, const Rect& dest, Point source) override;
    bool CopyWithin(const Rect& dest, Point source) override;
    bool Fill(const Rect& dest, uint32_t colour) override;
    bool AndPattern(const Rect& dest, const CDibImage& pattern) override;
    void Present(const Rect& changed) override;

    std::vector<Rect> touched;  // every destination and every source inside the target
    std::vector<Frame> frames;
    int slideCopies = 0;
    int failSlideCopy = -1;  // 0-based number of the slide copy to refuse
    bool keepFrames = false;
    int presents = 0;

  private:
    Rect area_;
};

// A surface of the area plus `margin` on every side painted kMarginColour, with the old slide
// (red kOldRed) in the area, and the new slide (red kNewRed) of the area's size.
struct TransitionScene {
    TransitionScene(int width, int height, int margin = 3);
    bool AreaShowsNewSlide() const;
    bool MarginUntouched() const;
    // Every recorded rectangle lies inside the area.
    bool TouchedOnlyArea() const;

    CDibImage surface;
    CDibImage slide;
    Rect area;
    CRecordingTarget target;
};

}  // namespace xelo::test
