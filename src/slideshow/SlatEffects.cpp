// Blinds, checkerboard, strips and comb: the slide is cut into slats, cells or teeth that fill in
// side by side.
#include <algorithm>

#include "slideshow/EffectTable.h"
#include "slideshow/TransitionFamilies.h"
#include "slideshow/TransitionMath.h"

namespace xelo {

namespace {

constexpr int kSlatMinSteps = 12;
constexpr int kBlindsPercent = 100;
constexpr int kCheckerPercent = 120;
constexpr int kStripsMinSteps = 15;
constexpr int kStripsPercent = 100;
constexpr int kCombMinSteps = 15;
constexpr int kCombPercent = 120;
constexpr int kCombTeeth = 10;

// Draws a band along the slat axis: rows begin..end (`rows`) or columns begin..end.
void DrawBand(CTransitionCanvas& canvas, bool rows, int begin, int end) {
    if (rows) {
        canvas.Draw(0, begin, canvas.Width(), end);
    } else {
        canvas.Draw(begin, 0, end, canvas.Height());
    }
}

}  // namespace

void DrawBlinds(CTransitionCanvas& canvas, uint32_t code, int durationMs) {
    const int w = canvas.Width();
    const int h = canvas.Height();
    const bool rows = code != kDirVertical;  // horizontal slats fill row by row
    const int extent = rows ? h : w;
    const int slats = rows ? (w < h ? 8 : 6) : (w < h ? 6 : 8);
    const int slat = CeilDiv(extent, slats);
    const PaceSteps pace = ComputePacing(slat, durationMs, kSlatMinSteps, slat, kBlindsPercent);
    CPacer pacer(canvas.Clock(), pace.delay);
    for (int i = 0; i < pace.count; ++i) {
        canvas.Pause(pacer);
        for (int start = 0; start < extent; start += slat) {
            DrawBand(canvas, rows, start + i * pace.step,
                     std::min(start + (i + 1) * pace.step, extent));
        }
    }
}

void DrawCheckerboard(CTransitionCanvas& canvas, uint32_t code, int durationMs) {
    const int w = canvas.Width();
    const int h = canvas.Height();
    const int cellsAcross = w < h ? 6 : 8;
    const int cellsDown = w < h ? 8 : 6;
    const int cellWidth = CeilDiv(w, cellsAcross);
    const int cellHeight = CeilDiv(h, cellsDown);
    // Across fills each cell left to right; Down fills it top to bottom.
    const bool across = code != kDirDown;
    const int cell = across ? cellWidth : cellHeight;       // along the filling axis
    const int crossCell = across ? cellHeight : cellWidth;  // along the other axis
    const int extent = across ? w : h;
    const int crossExtent = across ? h : w;
    const PaceSteps pace = ComputePacing(cell, durationMs, kSlatMinSteps, cell, kCheckerPercent);
    const int half = pace.count / 2;
    const int rest = pace.count - half;
    CPacer pacer(canvas.Clock(), pace.delay);
    for (int i = 0; i < pace.count; ++i) {
        canvas.Pause(pacer);
        // Odd lines of cells start half way through each cell and wrap around to its start.
        const int oddIndex = i < rest ? i + half : i - rest;
        for (int start = 0; start < extent; start += cell) {
            for (int line = 0, cross = 0; cross < crossExtent; ++line, cross += crossCell) {
                const int k = line % 2 == 0 ? i : oddIndex;
                const int begin = start + k * pace.step;
                const int end = std::min(begin + pace.step, extent);
                const int crossEnd = std::min(cross + crossCell, crossExtent);
                if (across) {
                    canvas.Draw(begin, cross, end, crossEnd);
                } else {
                    canvas.Draw(cross, begin, crossEnd, end);
                }
            }
        }
    }
}

void DrawStrips(CTransitionCanvas& canvas, uint32_t code, int durationMs) {
    const int w = canvas.Width();
    const int h = canvas.Height();
    const PaceSteps pace =
        ComputePacing(w + h, durationMs, kStripsMinSteps, (w + h + 1) / 5, kStripsPercent);
    const int cell = pace.step;
    const int rows = CeilDiv(h, cell);
    const int rowHeight = CeilDiv(h, rows);
    const int cellsPerRow = CeilDiv(w, cell);
    // Rows are counted from the edge the front starts at, cells from the side it starts at.
    const bool fromBottom = code == kDirLeftUp || code == kDirRightUp;
    const bool fromRight = code == kDirLeftUp || code == kDirLeftDown;
    // The front ends when the last row's cell reaches the far side.
    const int steps = rows - 1 + cellsPerRow;
    CPacer pacer(canvas.Clock(), pace.delay);
    for (int k = 1; k <= steps; ++k) {
        canvas.Pause(pacer);
        for (int j = 0; j < rows; ++j) {
            const int offset = k - j - 1;
            if (offset < 0) break;
            if (offset >= cellsPerRow) continue;
            const int top = fromBottom ? h - (j + 1) * rowHeight : j * rowHeight;
            const int left = fromRight ? w - (offset + 1) * cell : offset * cell;
            canvas.Draw(left, top, left + cell, top + rowHeight);
        }
    }
}

void DrawComb(CTransitionCanvas& canvas, uint32_t code, int durationMs) {
    const int w = canvas.Width();
    const int h = canvas.Height();
    // Horizontal teeth slide along x; vertical teeth slide along y.
    const bool horizontal = code != kDirVertical;
    const int extent = horizontal ? w : h;
    const int crossExtent = horizontal ? h : w;
    const int tooth = CeilDiv(crossExtent, kCombTeeth);
    const PaceSteps pace = ComputePacing(extent, durationMs, kCombMinSteps, extent, kCombPercent);
    CPacer pacer(canvas.Clock(), pace.delay);
    for (int p = pace.step; p < extent; p += pace.step) {
        canvas.Pause(pacer);
        for (int t = 0, cross = 0; cross < crossExtent; ++t, cross += tooth) {
            const int crossEnd = std::min(cross + tooth, crossExtent);
            // Even teeth enter from the far side (right or bottom), odd ones from the near side.
            const bool even = t % 2 == 0;
            const int at = even ? extent - p : 0;
            const int from = even ? 0 : extent - p;
            if (horizontal) {
                canvas.Place(Rect{at, cross, at + p, crossEnd}, Point{from, cross});
            } else {
                canvas.Place(Rect{cross, at, crossEnd, at + p}, Point{cross, from});
            }
        }
    }
    canvas.Pause(pacer);
    canvas.DrawAll();
}

}  // namespace xelo
