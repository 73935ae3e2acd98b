// The grid of the browsing views: how many columns and rows fit, the gap and margin, where each
// cell and its parts lie, what a point hits, and the row-aligned scroll position.
#pragma once

#include "image/Geometry.h"

namespace xelo {

// The stored thumbnail metrics: image box W × H, frame width b, label height L.
struct CellMetrics {
    int imageWidth = 60;
    int imageHeight = 45;
    int border = 3;
    int label = 12;
};

// List mode shows a 60 × 45 box in every row whatever the thumbnail size.
constexpr int kListImageWidth = 60;
constexpr int kListImageHeight = 45;

// Row height Hc and cell width Wc (List mode: the client width).
int CellHeight(const CellMetrics& m, bool listMode);
int CellWidth(const CellMetrics& m, bool listMode, int clientWidth);

struct GridLayout {
    int rows = 0;  // visible rows, rounded up
    int columns = 0;
    int gap = 0;
    int margin = 0;
    int totalRows = 0;
    int cellWidth = 0;    // Wc
    int cellHeight = 0;   // Hc
    int clientWidth = 0;  // after the scroll bar was taken off
    int clientHeight = 0;
    // Vertical scrolling: the content height (0: no scrolling), the page and the line.
    int scrollHeight = 0;
    int pageHeight = 0;
    int lineHeight = 0;

    bool Empty() const { return columns == 0 || rows == 0; }
    // The largest scroll position.
    int MaxScroll() const;
};

// Lays out `count` cells in a client of clientWidth × clientHeight; when they need more rows than
// fit, a vertical scroll bar of scrollBarWidth is taken off the width first.
GridLayout ComputeLayout(int count, int clientWidth, int clientHeight, int scrollBarWidth,
                         const CellMetrics& m, bool listMode);

// The rectangles of one cell, in view coordinates.
struct CellRects {
    Rect cell;       // owns the gap to its right
    Rect selection;  // thumbnail modes
    Rect frame;
    Rect image;
    Rect label;  // thumbnail modes: under the frame; List mode: the text rectangle
    Rect indicators;
};

// The first index shown at scroll position `scrollY` (a multiple of the columns), -1 when the
// layout is empty.
int FirstVisibleIndex(const GridLayout& g, int scrollY);
CellRects CellGeometry(const GridLayout& g, const CellMetrics& m, bool listMode, int index,
                       int firstVisible);

// What lies under a point of a cell, innermost first.
enum CellPart : int {
    kPartNone = 0,
    kPartImage = 1,
    kPartFrame = 2,
    kPartSelection = 3,
    kPartLabel = 4,
};
struct HitResult {
    int index = -1;  // -1: no layout or above the first row; count: past the end
    int part = kPartNone;
};
HitResult HitTestCell(const GridLayout& g, const CellMetrics& m, bool listMode, int count,
                      int scrollY, int x, int y);

// A scroll position clamped to 0 … max and rounded to the nearest row boundary.
int AlignScroll(const GridLayout& g, int position);
// The scroll position that brings the row of `index` into view with the least movement.
int EnsureVisibleScroll(const GridLayout& g, int scrollY, int index, bool wholeRowsOnly);

}  // namespace xelo
