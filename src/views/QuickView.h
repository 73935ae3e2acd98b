// Quick View: the whole picture of the image view reduced to the screen, with the window's part
// marked; the user drags the mark to choose what the view shows.
#pragma once

#include <QDialog>
#include <optional>

#include "image/DibImage.h"
#include "image/Geometry.h"
#include "image/RenderTransformed.h"
#include "views/QuickViewGeometry.h"

namespace xelo {

// What the image view shows when Quick View opens.
struct QuickViewState {
    Size displayed;           // the picture on screen, oriented and zoomed
    Point offset;             // the view's scroll offset
    int orientation = 0;      // 0 … 7, as RenderTransformed counts them
    Size window;              // the image view's size
    uint32_t background = 0;  // the "Image:" colour, 0x00BBGGRR
};

class CQuickView : public QDialog {
    Q_OBJECT

  public:
    // Covers the top-level window of `parent`. `picture` (not owned; it must outlive the
    // dialog) is the decoded copy the view draws, placed in its logical picture by `source`
    // exactly as the view places it.
    CQuickView(QWidget* parent, const QuickViewState& state, const CDibImage& picture,
               const RenderSource& source);

    // Makes the overview; false when there is no memory for it.
    bool Prepare();

    // The scroll offset the mark stands for now; the opening offset after a cancel.
    Point Offset() const;
    // The mark in the dialog's pixels.
    Rect Mark() const;
    const QuickViewGeometry& Geometry() const { return geometry_; }

    void reject() override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void MoveMark(Point topLeft);

    QuickViewState state_;
    const CDibImage& picture_;  // not owned
    RenderSource source_;
    QuickViewGeometry geometry_;
    CDibImage overview_;  // the picture reduced to geometry_.Picture()
    Point markAt_;        // the mark's top-left corner
    Size markSize_;
    bool dragging_ = false;
    Point grip_;  // the pointer's place inside the mark while dragging
};

// Shows Quick View over `parent` for the view state and the decoded picture; the new scroll
// offset when the user accepts, nothing when they cancel. Reports a lack of memory to the user
// and returns nothing.
std::optional<Point> RunQuickView(QWidget* parent, const QuickViewState& state,
                                  const CDibImage& picture, const RenderSource& source);

}  // namespace xelo
