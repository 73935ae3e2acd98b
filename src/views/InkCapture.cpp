// Stroke capture through the picture mapping, and ink painted with QPainter under the picture's
// transform.
#include "views/InkCapture.h"

#include <QPainter>
#include <QPolygonF>
#include <QTransform>
#include <algorithm>
#include <cmath>

#include "ink/LtPainter.h"

namespace xelo {

namespace {

QTransform PictureToWindow(const PictureGeometry& g) {
    const WindowPointF o = WindowPointOf(g, 0, 0);
    const WindowPointF x = WindowPointOf(g, 1, 0);
    const WindowPointF y = WindowPointOf(g, 0, 1);
    return QTransform(x.x - o.x, x.y - o.y, y.x - o.x, y.y - o.y, o.x, o.y);
}

// An odd pen is centred on the point's pixel, an even one on its top-left corner, as the
// merged picture draws them.
double PenShift(int width) {
    return width % 2 == 0 ? 0.0 : 0.5;
}

class QtLtPainter : public LtPainter {
  public:
    explicit QtLtPainter(QPainter& painter) : painter_(painter) {}

    Rect VisibleRect() const override {
        const QRectF r = painter_.worldTransform().inverted().mapRect(
            QRectF(painter_.viewport()));
        return {static_cast<int>(std::floor(r.left())) - 1, static_cast<int>(std::floor(r.top())) - 1,
                static_cast<int>(std::ceil(r.right())) + 1,
                static_cast<int>(std::ceil(r.bottom())) + 1};
    }

    void Polyline(const Point* points, size_t count, const LtPen& pen) override {
        const int width = std::max(1, pen.width);
        const double shift = PenShift(width);
        QPolygonF line;
        line.reserve(static_cast<int>(count));
        for (size_t i = 0; i < count; ++i)
            line << QPointF(points[i].x + shift, points[i].y + shift);
        const QColor colour(pen.color & 0xFF, (pen.color >> 8) & 0xFF, (pen.color >> 16) & 0xFF);
        painter_.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter_.drawPolyline(line);
    }

    void Handle(const Rect&, bool) override {}

  private:
    QPainter& painter_;
};

}  // namespace

bool CInkCapture::Press(Point at, const PictureGeometry& g, const LtPen& pen, uint32_t kind) {
    stroke_.reset();
    bool inside = false;
    const Point p = PicturePixelAt(g, at, &inside);
    if (!inside) return false;
    stroke_ = std::make_unique<CXeloLtFreeHand>(kind);
    stroke_->SetPen(pen);
    stroke_->AddPoint(p);
    last_ = p;
    return true;
}

bool CInkCapture::Add(Point p) {
    if (!stroke_ || p == last_) return false;
    stroke_->AddPoint(p);
    last_ = p;
    return true;
}

QRect CInkCapture::Move(Point at, const PictureGeometry& g) {
    const Point from = last_;
    if (!Add(PicturePixelAt(g, at))) return {};
    const QTransform t = PictureToWindow(g);
    const double margin = std::max(1, stroke_->Pen().width) / 2.0 + 1.0;
    const QRectF segment = QRectF(QPointF(from.x, from.y), QPointF(last_.x + 1, last_.y + 1))
                               .normalized()
                               .adjusted(-margin, -margin, margin, margin);
    return t.mapRect(segment).toAlignedRect().adjusted(-1, -1, 1, 1);
}

bool CInkCapture::Release(Point at, const PictureGeometry& g, CXeloLtManager& layer) {
    if (!stroke_) return false;
    Add(PicturePixelAt(g, at));
    std::unique_ptr<CXeloLtFreeHand> stroke = std::move(stroke_);
    if (stroke->PointCount() < 2) return false;
    return layer.Append(std::move(stroke));
}

void PaintInk(QPainter& painter, const PictureGeometry& g, const CXeloLtManager& layer,
              const CXeloLtFreeHand* stroke) {
    if (g.IsEmpty() || (layer.Count() == 0 && stroke == nullptr)) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setWorldTransform(PictureToWindow(g), true);
    QtLtPainter ink(painter);
    const LtViewParams picturePixels;  // the transform does the zoom and the turn
    for (int i = 0; i < layer.Count(); ++i) {
        if (const CXeloLtGraph* object = layer.GetAt(i)) object->Draw(ink, picturePixels);
    }
    if (stroke) stroke->Draw(ink, picturePixels);
    painter.restore();
}

}  // namespace xelo
