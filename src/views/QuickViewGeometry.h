// Quick View's overview: where the whole displayed picture lies in the overview, where the
// window's part of it is marked, and the scroll offset a moved mark stands for.
#pragma once

#include "image/Geometry.h"

namespace xelo {

class QuickViewGeometry {
  public:
    // `displayed`: the picture's size on screen (oriented and zoomed); `window`: the image
    // view's size; `area`: the overview's size.
    QuickViewGeometry(Size displayed, Size window, Size area);

    // The whole picture fitted into the area keeping its aspect, never enlarged, centred; empty
    // when a size is not positive.
    const Rect& Picture() const { return picture_; }
    // The window's part of the picture at scroll offset `offset`, in overview pixels. On an axis
    // where the picture is smaller than the window the mark spans the whole picture.
    Rect Mark(Point offset) const;
    // The nearest place the mark can take to `topLeft`.
    Point ClampMark(Point topLeft) const;
    // The scroll offset that shows the mark placed at `topLeft`, clamped as the view clamps
    // it. An axis whose mark is still where `start` put it gives `start` back, so closing the
    // overview without moving the mark changes nothing despite the reduction.
    Point OffsetAt(Point topLeft, Point start) const;

  private:
    // One axis of the picture, the window and the overview.
    struct Axis {
        int displayed = 0;
        int window = 0;
        int start = 0;   // the picture's first overview pixel
        int extent = 0;  // the picture's overview pixels
        int mark = 0;    // the mark's overview pixels

        bool Scrolls() const { return displayed > window && extent > 0; }
        int MarkStart(int offset) const;
        int ClampMark(int position) const;
        int OffsetAt(int position, int startOffset) const;
    };

    Rect picture_;
    Axis x_;
    Axis y_;
};

}  // namespace xelo
