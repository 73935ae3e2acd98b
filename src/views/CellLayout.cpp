// The grid arithmetic of the thumbnail and list views.
#include "views/CellLayout.h"

#include <algorithm>

namespace xelo {

namespace {

// Floor division, so that cells above the first visible row get negative rows.
int FloorDiv(int a, int b) {
    const int q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

bool Contains(const Rect& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

Rect Shrink(const Rect& r, int by) {
    return Rect{r.left + by, r.top + by, r.right - by, r.bottom - by};
}

int ColumnsFor(int width, const CellMetrics& m, bool listMode) {
    if (width <= 0) return 0;
    return listMode ? 1 : width / (m.imageWidth + 2 * m.border + 6);
}

}  // namespace

int CellHeight(const CellMetrics& m, bool listMode) {
    return listMode ? 2 * m.border + 47 : m.imageHeight + 2 * m.border + 6 + m.label;
}

int CellWidth(const CellMetrics& m, bool listMode, int clientWidth) {
    return listMode ? clientWidth : m.imageWidth + 2 * m.border + 4;
}

int GridLayout::MaxScroll() const {
    return std::max(0, scrollHeight - pageHeight);
}

GridLayout ComputeLayout(int count, int clientWidth, int clientHeight, int scrollBarWidth,
                         const CellMetrics& m, bool listMode) {
    GridLayout g;
    g.clientWidth = clientWidth;
    g.clientHeight = clientHeight;
    const int hc = CellHeight(m, listMode);
    if (count <= 0 || hc <= 0 || clientHeight <= 0) return g;
    int cw = clientWidth;
    int columns = ColumnsFor(cw, m, listMode);
    const int rows = (clientHeight + hc - 1) / hc;
    if (columns == 0 || rows == 0) return g;
    int totalRows = (count + columns - 1) / columns;
    if (clientHeight < hc * totalRows) {
        // A scroll bar will show: count the columns without its width.
        cw -= scrollBarWidth;
        columns = ColumnsFor(cw, m, listMode);
        if (columns == 0) return g;
        totalRows = (count + columns - 1) / columns;
    }
    g.columns = columns;
    g.rows = rows;
    g.totalRows = totalRows;
    g.clientWidth = cw;
    g.cellHeight = hc;
    g.cellWidth = CellWidth(m, listMode, cw);
    if (!listMode) {
        const int spare = cw - g.cellWidth * columns;
        g.gap = std::max(0, spare / columns);
        const int margin = cw - (g.cellWidth + g.gap) * columns;
        g.margin = margin > 0 ? (margin + 1) / 2 : 0;
    }
    g.scrollHeight = totalRows < 2 ? 0
                                   : hc * totalRows + (hc < clientHeight ? clientHeight % hc
                                                                         : clientHeight - hc);
    g.pageHeight = hc < clientHeight ? clientHeight : hc;
    g.lineHeight = hc;
    return g;
}

int FirstVisibleIndex(const GridLayout& g, int scrollY) {
    if (g.Empty()) return -1;
    return (scrollY / g.cellHeight) * g.columns;
}

CellRects CellGeometry(const GridLayout& g, const CellMetrics& m, bool listMode, int index,
                       int firstVisible) {
    CellRects r;
    if (g.Empty()) return r;
    const int offset = index - std::max(firstVisible, 0);
    const int row = FloorDiv(offset, g.columns);
    const int column = offset - row * g.columns;
    const int top = row * g.cellHeight;
    const int b = m.border;
    if (listMode) {
        r.cell = Rect{0, top, g.clientWidth, top + g.cellHeight};
        r.selection = r.cell;
        r.frame = Rect{1, top + 1, 1 + kListImageWidth + 2 * b, top + 1 + kListImageHeight + 2 * b};
        r.image = Shrink(r.frame, b);
        r.label = Rect{2 * b + 62, top + 1, g.clientWidth - 1, r.cell.bottom - 1};
    } else {
        const int left = g.margin + column * (g.cellWidth + g.gap);
        r.cell = Rect{left, top, left + g.cellWidth + g.gap, top + g.cellHeight};
        const int inset = (g.gap + 1) / 2;
        r.selection = Rect{left + inset, top + 2, left + inset + m.imageWidth + 2 * b + 4,
                           top + 2 + m.imageHeight + 2 * b + 4};
        r.frame = Rect{left + inset + 2, top + 4, left + inset + 2 + m.imageWidth + 2 * b,
                       top + 4 + m.imageHeight + 2 * b};
        r.image = Shrink(r.frame, b);
        r.label = Rect{r.frame.left, r.cell.bottom - m.label, r.frame.right, r.cell.bottom};
    }
    r.indicators = Rect{r.image.left, std::max(r.image.top, r.image.bottom - 10), r.image.right,
                        r.image.bottom};
    return r;
}

HitResult HitTestCell(const GridLayout& g, const CellMetrics& m, bool listMode, int count,
                      int scrollY, int x, int y) {
    HitResult hit;
    if (g.Empty()) return hit;
    const int firstRow = scrollY / g.cellHeight;
    if (y < 0 && firstRow == 0) return hit;
    const int row = firstRow + FloorDiv(y, g.cellHeight);
    if (row < 0 || row >= g.totalRows) {
        hit.index = count;
        return hit;
    }
    int column;
    bool before = false;
    if (x < g.margin) {
        column = 0;
        before = true;
    } else {
        column = std::min((x - g.margin) / (g.cellWidth + g.gap), g.columns - 1);
    }
    int index = row * g.columns + column;
    if (before) {
        hit.index = index - 1;
        return hit;
    }
    if (index >= count) {
        hit.index = count;
        return hit;
    }
    hit.index = index;
    const CellRects r = CellGeometry(g, m, listMode, index, firstRow * g.columns);
    if (Contains(r.image, x, y)) {
        hit.part = kPartImage;
    } else if (Contains(r.frame, x, y)) {
        hit.part = kPartFrame;
    } else if (!listMode && Contains(r.selection, x, y)) {
        hit.part = kPartSelection;
    } else if (Contains(r.label, x, y)) {
        hit.part = kPartLabel;
    }
    return hit;
}

int AlignScroll(const GridLayout& g, int position) {
    if (g.Empty() || g.cellHeight <= 0) return 0;
    const int maximum = g.MaxScroll();
    int p = std::clamp(position, 0, maximum);
    const int rest = p % g.cellHeight;
    p = rest < g.cellHeight / 2 ? p - rest : p + (g.cellHeight - rest);
    while (p > maximum && p >= g.cellHeight)
        p -= g.cellHeight;
    return std::max(p, 0);
}

int EnsureVisibleScroll(const GridLayout& g, int scrollY, int index, bool wholeRowsOnly) {
    if (g.Empty() || index < 0) return scrollY;
    const int hc = g.cellHeight;
    const int visible =
        std::max(1, wholeRowsOnly ? g.clientHeight / hc : (g.clientHeight + hc - 1) / hc);
    const int first = scrollY / hc;
    const int target = index / g.columns;
    int p = scrollY;
    if (target < first) {
        p = scrollY - (first - target) * hc;
    } else if (target >= first + visible) {
        p = scrollY + (target - first - visible + 1) * hc;
    } else {
        return scrollY;
    }
    return AlignScroll(g, p);
}

}  // namespace xelo
