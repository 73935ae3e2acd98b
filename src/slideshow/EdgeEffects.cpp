// Wipe, split, box and shape plus: the new slide appears in place behind moving edges.
#include <algorithm>

#include "slideshow/EffectTable.h"
#include "slideshow/TransitionFamilies.h"
#include "slideshow/TransitionMath.h"

namespace xelo {

namespace {

constexpr int kEdgeMinSteps = 15;
constexpr int kEdgePercent = 100;
constexpr int kHundredths = 100;
constexpr int kFixedOne = 1024;  // the plus grows in 1/1024 pixel

// Draws the frame between rectangle `inner` and the larger `outer` that contains it.
void DrawFrame(CTransitionCanvas& canvas, const Rect& outer, const Rect& inner) {
    if (inner.IsEmpty()) {
        canvas.Draw(outer);
        return;
    }
    canvas.Draw(outer.left, outer.top, outer.right, inner.top);
    canvas.Draw(outer.left, inner.bottom, outer.right, outer.bottom);
    canvas.Draw(outer.left, inner.top, inner.left, inner.bottom);
    canvas.Draw(inner.right, inner.top, outer.right, inner.bottom);
}

}  // namespace

void DrawWipe(CTransitionCanvas& canvas, uint32_t code, int durationMs) {
    const int w = canvas.Width();
    const int h = canvas.Height();
    const bool acrossX = code == kDirLeft || code == kDirRight;
    const int extent = acrossX ? w : h;
    const PaceSteps pace = ComputePacing(extent, durationMs, kEdgeMinSteps, extent, kEdgePercent);
    CPacer pacer(canvas.Clock(), pace.delay);
    for (int i = 1; i <= pace.count; ++i) {
        canvas.Pause(pacer);
        // Left and Up move the edge from the far side back toward 0.
        int begin = (i - 1) * pace.step;
        int end = std::min(i * pace.step, extent);
        if (code == kDirLeft || code == kDirUp) {
            const int far = extent - begin;
            begin = std::max(extent - i * pace.step, 0);
            end = far;
        }
        if (acrossX) {
            canvas.Draw(begin, 0, end, h);
        } else {
            canvas.Draw(0, begin, w, end);
        }
    }
}

void DrawSplit(CTransitionCanvas& canvas, uint32_t code, int durationMs) {
    const bool horizontal = code == kDirSplitHorizontalIn || code == kDirSplitHorizontalOut;
    const bool opening = code == kDirSplitHorizontalOut || code == kDirSplitVerticalOut;
    const int extent = horizontal ? canvas.Height() : canvas.Width();
    const int half = CeilDiv(extent, 2);
    const PaceSteps pace = ComputePacing(half, durationMs, kEdgeMinSteps, half, kEdgePercent);
    CPacer pacer(canvas.Clock(), pace.delay);
    auto band = [&](int begin, int end) {
        begin = std::max(begin, 0);
        end = std::min(end, extent);
        if (horizontal) {
            canvas.Draw(0, begin, canvas.Width(), end);
        } else {
            canvas.Draw(begin, 0, end, canvas.Height());
        }
    };
    for (int i = 1; i <= pace.count; ++i) {
        canvas.Pause(pacer);
        const int inner = (i - 1) * pace.step;
        const int outer = i * pace.step;
        if (opening) {
            band(half - outer, half - inner);
            band(half + inner, half + outer);
        } else {
            // The near band stops at the middle; the far band covers the rest up to it.
            band(inner, std::min(outer, half));
            band(std::max(extent - outer, half), extent - inner);
        }
    }
}

void DrawBox(CTransitionCanvas& canvas, uint32_t code, int durationMs) {
    const int w = canvas.Width();
    const int h = canvas.Height();
    const int hw = CeilDiv(w, 2);
    const int hh = CeilDiv(h, 2);
    const int travel = std::max(hw, hh);
    const PaceSteps pace = ComputePacing(travel, durationMs, kEdgeMinSteps, travel, kEdgePercent);
    CPacer pacer(canvas.Clock(), pace.delay);
    const Rect all{0, 0, w, h};
    if (code == kDirIn) {
        Rect inner = all;
        for (int i = 1; i <= pace.count; ++i) {
            const int ex = GrowthAt(hw, i, pace.count, kHundredths);
            const int ey = GrowthAt(hh, i, pace.count, kHundredths);
            const Rect next{ex, ey, w - ex, h - ey};
            canvas.Pause(pacer);
            if (next.IsEmpty()) break;
            DrawFrame(canvas, inner, next);
            inner = next;
        }
        canvas.Draw(inner);
        return;
    }
    const int cx = w / 2;
    const int cy = h / 2;
    Rect box{cx, cy, cx, cy};
    for (int i = 1; i <= pace.count; ++i) {
        const int ex = GrowthAt(hw, i, pace.count, kHundredths);
        const int ey = GrowthAt(hh, i, pace.count, kHundredths);
        const Rect next{cx - ex, cy - ey, cx + ex, cy + ey};
        canvas.Pause(pacer);
        if (next.left <= 0 || next.top <= 0 || next.right >= w || next.bottom >= h) break;
        DrawFrame(canvas, next, box);
        box = next;
    }
    DrawFrame(canvas, all, box);
}

void DrawShapePlus(CTransitionCanvas& canvas, int durationMs) {
    const int w = canvas.Width();
    const int h = canvas.Height();
    const int hw = CeilDiv(w, 2);
    const int hh = CeilDiv(h, 2);
    const bool pacedOnWidth = w > h;
    const int travel = pacedOnWidth ? hw : hh;
    const PaceSteps pace = ComputePacing(travel, durationMs, kEdgeMinSteps, travel, kEdgePercent);
    CPacer pacer(canvas.Clock(), pace.delay);
    const int cx = w / 2;
    const int cy = h / 2;
    auto armAt = [&](int i, bool paced, int half) {
        if (paced) return std::min(i * pace.step, half);
        return GrowthAt(half, i, pace.count, kFixedOne);
    };
    int ax = 0;  // half-width of the vertical bar
    int ay = 0;  // half-height of the horizontal bar
    for (int i = 1; i <= pace.count; ++i) {
        const int nx = armAt(i, pacedOnWidth, hw);
        const int ny = armAt(i, !pacedOnWidth, hh);
        canvas.Pause(pacer);
        canvas.Draw(cx - nx, 0, cx - ax, h);
        canvas.Draw(cx + ax, 0, cx + nx, h);
        // The horizontal bar's new rows, leaving out what the vertical bar already shows.
        canvas.Draw(0, cy - ny, cx - nx, cy - ay);
        canvas.Draw(cx + nx, cy - ny, w, cy - ay);
        canvas.Draw(0, cy + ay, cx - nx, cy + ny);
        canvas.Draw(cx + nx, cy + ay, w, cy + ny);
        ax = nx;
        ay = ny;
    }
    canvas.Draw(0, 0, cx - ax, cy - ay);
    canvas.Draw(cx + ax, 0, w, cy - ay);
    canvas.Draw(0, cy + ay, cx - ax, h);
    canvas.Draw(cx + ax, cy + ay, w, h);
}

}  // namespace xelo
