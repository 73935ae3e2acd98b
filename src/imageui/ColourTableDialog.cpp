// The colour table dialog.
#include "imageui/ColourTableDialog.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/HelpTopics.h"

namespace xelo {

Size ColourGridShape(int count) {
    if (count < 2) return {1, 1};
    if (count == 2) return {1, 2};
    if (count <= 4) return {2, 2};
    if (count <= 8) return {2, 4};
    if (count <= 16) return {2, 8};
    if (count <= 32) return {4, 8};
    if (count <= 64) return {8, 8};
    if (count <= 128) return {8, 16};
    return {16, 16};
}

CColourGrid::CColourGrid(const LogPalette& palette, QWidget* parent)
    : QWidget(parent), palette_(palette) {
    setObjectName(QStringLiteral("colourGrid"));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(128, 128);
}

QRect CColourGrid::Cell(int index) const {
    const Size shape = ColourGridShape(palette_.count);
    const int cellWidth = width() / shape.width;
    const int cellHeight = height() / shape.height;
    // The leftover pixels make equal margins.
    const int left = (width() - cellWidth * shape.width) / 2;
    const int top = (height() - cellHeight * shape.height) / 2;
    return QRect(left + (index % shape.width) * cellWidth, top + (index / shape.width) * cellHeight,
                 cellWidth, cellHeight);
}

int CColourGrid::HitTest(QPoint point) const {
    for (int i = 0; i < palette_.count; ++i) {
        if (Cell(i).contains(point)) return i;
    }
    return -1;
}

void CColourGrid::Select(int index) {
    if (index < 0 || index >= palette_.count) return;
    selected_ = index;
    update();
    emit selected(index);
}

void CColourGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (int i = 0; i < palette_.count; ++i) {
        const PaletteEntry& e = palette_.entries[i];
        const QRect swatch = Cell(i).adjusted(1, 1, -1, -1);
        painter.fillRect(swatch, QColor(e.red, e.green, e.blue));
        if (i == selected_) {
            painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
            painter.drawRect(swatch.adjusted(1, 1, -1, -1));
        }
    }
}

void CColourGrid::mousePressEvent(QMouseEvent* event) {
    Select(HitTest(event->position().toPoint()));
}

void CColourGrid::keyPressEvent(QKeyEvent* event) {
    const int columns = ColourGridShape(palette_.count).width;
    const int from = std::max(selected_, 0);
    switch (event->key()) {
        case Qt::Key_Left:
            Select(from - 1);
            break;
        case Qt::Key_Right:
            Select(selected_ < 0 ? 0 : from + 1);
            break;
        case Qt::Key_Up:
            Select(from - columns);
            break;
        case Qt::Key_Down:
            Select(selected_ < 0 ? 0 : from + columns);
            break;
        default:
            QWidget::keyPressEvent(event);
    }
}

CColourTableDialog::CColourTableDialog(const LogPalette& palette, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ColourTable"));
    setWindowTitle(tr("Color Table"));
    auto* column = new QVBoxLayout(this);
    grid_ = new CColourGrid(palette, this);
    column->addWidget(grid_, 1);
    text_ = new QLabel(this);
    text_->setObjectName(QStringLiteral("swatchText"));
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(text_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    AttachHelp(this, kHelpImageInfo, buttons);
    column->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(grid_, &CColourGrid::selected, this, [this, palette](int i) {
        const PaletteEntry& e = palette.entries[i];
        // Hex in red, green, blue order, as colour pickers write it.
        text_->setText(QString::asprintf("Index:%d  R:%d  G:%d  B:%d  Hex:%02X%02X%02X", i, e.red,
                                         e.green, e.blue, e.red, e.green, e.blue));
    });
    resize(300, 340);
    grid_->setFocus();
}

}  // namespace xelo
