// Cover, uncover and push: the new slide slides in, the old one slides out, or both.
#include <algorithm>

#include "slideshow/EffectTable.h"
#include "slideshow/TransitionFamilies.h"
#include "slideshow/TransitionMath.h"

namespace xelo {

namespace {

constexpr int kMotionMinSteps = 15;
constexpr int kCoverPercent = 100;
constexpr int kPushPercent = 120;
constexpr int kHundredths = 100;

// Where the motion heads along each axis: -1 left/up, +1 right/down, 0 not along that axis.
struct Heading {
    int x = 0;
    int y = 0;
};

Heading HeadingOf(uint32_t code) {
    switch (code) {
        case kDirLeft:
            return {-1, 0};
        case kDirRight:
            return {1, 0};
        case kDirUp:
            return {0, -1};
        case kDirMoveDown:
            return {0, 1};
        case kDirLeftUp:
            return {-1, -1};
        case kDirRightUp:
            return {1, -1};
        case kDirLeftDown:
            return {-1, 1};
        case kDirRightDown:
            return {1, 1};
        default:
            return {-1, 0};
    }
}

struct Span {
    int begin = 0;
    int end = 0;
};

// Along one axis of `extent`, the part of the target the entering slide covers after moving
// `progress` pixels, and where in the slide that part starts.
Span Covered(int heading, int extent, int progress, int& slideStart) {
    if (heading < 0) {
        slideStart = 0;
        return {extent - progress, extent};
    }
    if (heading > 0) {
        slideStart = extent - progress;
        return {0, progress};
    }
    slideStart = 0;
    return {0, extent};
}

// Along one axis, the part of the target the leaving picture still shows after moving `progress`.
Span Remaining(int heading, int extent, int progress) {
    if (heading < 0) return {0, extent - progress};
    if (heading > 0) return {progress, extent};
    return {0, extent};
}

// The part of Remaining(previous) that Remaining(progress) no longer holds.
Span Uncovered(int heading, int extent, int previous, int progress) {
    if (heading < 0) return {extent - progress, extent - previous};
    if (heading > 0) return {previous, progress};
    return {0, 0};
}

// Steps and the progress along x and y after each step.
class CMotion {
  public:
    CMotion(const CTransitionCanvas& canvas, Heading heading, int durationMs, int percent)
        : heading_(heading), width_(canvas.Width()), height_(canvas.Height()) {
        diagonal_ = heading.x != 0 && heading.y != 0;
        const int travel =
            diagonal_ ? std::max(width_, height_) : (heading.x != 0 ? width_ : height_);
        pace_ = ComputePacing(travel, durationMs, kMotionMinSteps, travel / 2, percent);
    }

    const PaceSteps& Pace() const { return pace_; }

    int ProgressX(int i) const { return heading_.x == 0 ? 0 : Progress(i, width_); }
    int ProgressY(int i) const { return heading_.y == 0 ? 0 : Progress(i, height_); }

  private:
    int Progress(int i, int extent) const {
        if (diagonal_) return GrowthAt(extent, i, pace_.count, kHundredths);
        return std::min(i * pace_.step, extent);
    }

    Heading heading_;
    int width_;
    int height_;
    bool diagonal_ = false;
    PaceSteps pace_;
};

void PlaceEntering(CTransitionCanvas& canvas, Heading heading, int px, int py) {
    Point slide;
    const Span x = Covered(heading.x, canvas.Width(), px, slide.x);
    const Span y = Covered(heading.y, canvas.Height(), py, slide.y);
    canvas.Place(Rect{x.begin, y.begin, x.end, y.end}, slide);
}

// Moves the rest of the old picture from its place after (px0, py0) to its place after (px, py).
void MoveLeaving(CTransitionCanvas& canvas, Heading heading, int px0, int py0, int px, int py) {
    const Span x = Remaining(heading.x, canvas.Width(), px);
    const Span y = Remaining(heading.y, canvas.Height(), py);
    const Point from{x.begin - heading.x * (px - px0), y.begin - heading.y * (py - py0)};
    canvas.Move(Rect{x.begin, y.begin, x.end, y.end}, from);
}

}  // namespace

void DrawCover(CTransitionCanvas& canvas, uint32_t code, int durationMs) {
    const Heading heading = HeadingOf(code);
    const CMotion motion(canvas, heading, durationMs, kCoverPercent);
    CPacer pacer(canvas.Clock(), motion.Pace().delay);
    for (int i = 1; i <= motion.Pace().count; ++i) {
        canvas.Pause(pacer);
        PlaceEntering(canvas, heading, motion.ProgressX(i), motion.ProgressY(i));
    }
}

void DrawUncover(CTransitionCanvas& canvas, uint32_t code, int durationMs) {
    const Heading heading = HeadingOf(code);
    const CMotion motion(canvas, heading, durationMs, kCoverPercent);
    const int w = canvas.Width();
    const int h = canvas.Height();
    CPacer pacer(canvas.Clock(), motion.Pace().delay);
    for (int i = 1; i <= motion.Pace().count; ++i) {
        canvas.Pause(pacer);
        const int px0 = motion.ProgressX(i - 1), py0 = motion.ProgressY(i - 1);
        const int px = motion.ProgressX(i), py = motion.ProgressY(i);
        MoveLeaving(canvas, heading, px0, py0, px, py);
        // The slide stays in place: draw what the old picture has just uncovered.
        const Span oldY = Remaining(heading.y, h, py0);
        const Span newX = Remaining(heading.x, w, px);
        const Span goneX = Uncovered(heading.x, w, px0, px);
        const Span goneY = Uncovered(heading.y, h, py0, py);
        canvas.Draw(goneX.begin, oldY.begin, goneX.end, oldY.end);
        canvas.Draw(newX.begin, goneY.begin, newX.end, goneY.end);
    }
}

void DrawPush(CTransitionCanvas& canvas, uint32_t code, int durationMs) {
    const Heading heading = HeadingOf(code);
    const CMotion motion(canvas, heading, durationMs, kPushPercent);
    CPacer pacer(canvas.Clock(), motion.Pace().delay);
    for (int i = 1; i <= motion.Pace().count; ++i) {
        canvas.Pause(pacer);
        const int px0 = motion.ProgressX(i - 1), py0 = motion.ProgressY(i - 1);
        const int px = motion.ProgressX(i), py = motion.ProgressY(i);
        MoveLeaving(canvas, heading, px0, py0, px, py);
        PlaceEntering(canvas, heading, px, py);
    }
}

}  // namespace xelo
