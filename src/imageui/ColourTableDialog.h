// The colour table dialog: the palette of an image as a grid of swatches; tapping one shows its
// index and colour.
#pragma once

#include <QDialog>
#include <QWidget>

#include "image/Geometry.h"
#include "image/Palette.h"

class QLabel;

namespace xelo {

// Columns × rows of the grid for `count` colours.
Size ColourGridShape(int count);

class CColourGrid : public QWidget {
    Q_OBJECT
  public:
    CColourGrid(const LogPalette& palette, QWidget* parent = nullptr);
    int Selected() const { return selected_; }
    void Select(int index);
    // The swatch under `point`, or -1 outside the used cells.
    int HitTest(QPoint point) const;
    QSize sizeHint() const override { return {256, 256}; }

  signals:
    void selected(int index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QRect Cell(int index) const;
    LogPalette palette_;
    int selected_ = -1;
};

class CColourTableDialog : public QDialog {
    Q_OBJECT
  public:
    CColourTableDialog(const LogPalette& palette, QWidget* parent = nullptr);

  private:
    CColourGrid* grid_;
    QLabel* text_;
};

}  // namespace xelo
