// The Quick View dialog: one 24-bit buffer of the reduced picture, drawn with the background
// around it, the outside of the mark dimmed and a two-tone frame that shows on any picture.
#include "views/QuickView.h"

#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <algorithm>
#include <new>

#include "base/StringTable.h"
#include "image/ReducedPicture.h"
#include "image/TavoException.h"
#include "platform/HelpTopics.h"
#include "platform/MessageBox.h"
#include "views/AnimationPlayer.h"
#include "views/CellPainter.h"

namespace xelo {

namespace {

constexpr uint32_t kStrNoMemory = 20023;  // "Unable to display 'Quick View' due to lack of memory."
// How much the picture outside the mark is darkened (alpha of black over it).
constexpr int kDimAlpha = 96;
// Arrow keys move the mark by this part of its own size.
constexpr int kArrowSteps = 8;

QRect ToQRect(const Rect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

// The overview covers the window the image view lives in.
QRect CoveredArea(const QWidget* parent) {
    if (parent != nullptr) return parent->window()->geometry();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) return screen->geometry();
    return QRect(0, 0, 240, 320);
}

Size SizeOf(const QRect& r) {
    return {r.width(), r.height()};
}

// Draws a one-pixel ring just inside `r`.
void Ring(QPainter& painter, const QRect& r, const QColor& colour) {
    if (r.width() <= 0 || r.height() <= 0) return;
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), colour);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), colour);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), colour);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), colour);
}

}  // namespace

CQuickView::CQuickView(QWidget* parent, const QuickViewState& state, const CDibImage& picture,
                       const RenderSource& source)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      state_(state),
      picture_(picture),
      source_(source),
      geometry_(state.displayed, state.window, SizeOf(CoveredArea(parent))) {
    setModal(true);
    setGeometry(CoveredArea(parent));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    AttachHelp(this, kHelpQuickView);
    const Rect mark = geometry_.Mark(state.offset);
    markAt_ = {mark.left, mark.top};
    markSize_ = {mark.Width(), mark.Height()};
}

bool CQuickView::Prepare() {
    const Rect& area = geometry_.Picture();
    try {
        overview_.Create(area.Width(), area.Height(), 3, false);
        if (overview_.IsEmpty()) return false;
        // A frame smaller than the picture leaves the rest in the background colour.
        FillImage(overview_, state_.background);
        const BgrBuffer target{overview_.Bits(), overview_.Width(), overview_.Height(),
                               overview_.RowPad()};
        // The overview is filtered down from the picture when it is smaller.
        const Rect dest{0, 0, area.Width(), area.Height()};
        CDibImage reduced;
        const Size shown = UnorientedSize(Size{area.Width(), area.Height()}, state_.orientation);
        if (MakeReducedPicture(picture_, source_, shown, reduced)) {
            RenderTransformed(reduced, dest, target, std::nullopt, state_.orientation);
        } else {
            RenderTransformed(picture_, dest, target, std::nullopt, state_.orientation, source_);
        }
    } catch (const CTavoException&) {
        overview_.Release();
        return false;
    } catch (const std::bad_alloc&) {
        overview_.Release();
        return false;
    }
    return true;
}

Point CQuickView::Offset() const {
    return geometry_.OffsetAt(markAt_, state_.offset);
}

Rect CQuickView::Mark() const {
    return {markAt_.x, markAt_.y, markAt_.x + markSize_.width, markAt_.y + markSize_.height};
}

void CQuickView::MoveMark(Point topLeft) {
    const Point moved = geometry_.ClampMark(topLeft);
    if (moved == markAt_) return;
    markAt_ = moved;
    update();
}

void CQuickView::reject() {
    // A cancel leaves the view where it was.
    const Rect mark = geometry_.Mark(state_.offset);
    markAt_ = {mark.left, mark.top};
    dragging_ = false;
    QDialog::reject();
}

void CQuickView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect picture = ToQRect(geometry_.Picture());
    for (const QRect& r : QRegion(rect()).subtracted(QRegion(picture)))
        painter.fillRect(r, ToQColor(state_.background));
    if (overview_.IsEmpty()) {
        painter.fillRect(picture, ToQColor(state_.background));
        return;
    }
    const QImage image(overview_.Bits(), overview_.Width(), overview_.Height(),
                       static_cast<qsizetype>(overview_.Stride()), QImage::Format_BGR888);
    painter.drawImage(picture.topLeft(), image);
    const QRect mark = ToQRect(Mark());
    for (const QRect& r : QRegion(picture).subtracted(QRegion(mark)))
        painter.fillRect(r, QColor(0, 0, 0, kDimAlpha));
    Ring(painter, mark, Qt::white);
    Ring(painter, mark.adjusted(1, 1, -1, -1), Qt::black);
}

void CQuickView::keyPressEvent(QKeyEvent* event) {
    const int stepX = std::max(1, markSize_.width / kArrowSteps);
    const int stepY = std::max(1, markSize_.height / kArrowSteps);
    switch (event->key()) {
        case Qt::Key_Left:
            MoveMark({markAt_.x - stepX, markAt_.y});
            return;
        case Qt::Key_Right:
            MoveMark({markAt_.x + stepX, markAt_.y});
            return;
        case Qt::Key_Up:
            MoveMark({markAt_.x, markAt_.y - stepY});
            return;
        case Qt::Key_Down:
            MoveMark({markAt_.x, markAt_.y + stepY});
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            accept();
            return;
        case Qt::Key_Escape:
            reject();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

void CQuickView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    if (!ToQRect(Mark()).contains(at)) {
        // A press beside the mark brings the mark's centre there; the drag goes on from it.
        MoveMark({at.x() - markSize_.width / 2, at.y() - markSize_.height / 2});
    }
    grip_ = {at.x() - markAt_.x, at.y() - markAt_.y};
    dragging_ = true;
}

void CQuickView::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) return;
    const QPoint at = event->position().toPoint();
    MoveMark({at.x() - grip_.x, at.y() - grip_.y});
}

void CQuickView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
}

void CQuickView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragging_ = false;
    // The first press has normally brought the mark here already.
    const QPoint at = event->position().toPoint();
    if (!ToQRect(Mark()).contains(at))
        MoveMark({at.x() - markSize_.width / 2, at.y() - markSize_.height / 2});
    accept();
}

std::optional<Point> RunQuickView(QWidget* parent, const QuickViewState& state,
                                  const CDibImage& picture, const RenderSource& source) {
    CQuickView view(parent, state, picture, source);
    if (!view.Prepare()) {
        ShowMessage(parent, LoadString(kStrNoMemory));
        return std::nullopt;
    }
    if (view.exec() != QDialog::Accepted) return std::nullopt;
    return view.Offset();
}

}  // namespace xelo
