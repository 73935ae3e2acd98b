// A polyline rasteriser over a 24-bit picture: a pixel is inked when its centre lies closer to
// a segment than half the pen width. Odd widths are centred on the point's pixel, even ones on
// its top-left corner, so a width-w line is w pixels thick.
#include "ink/InkRaster.h"

#include <algorithm>
#include <cmath>

#include "image/Palette.h"
#include "ink/LtPainter.h"

namespace xelo {

namespace {

class DibInkPainter : public LtPainter {
  public:
    explicit DibInkPainter(CDibImage& picture) : picture_(picture) {}

    Rect VisibleRect() const override { return {0, 0, picture_.Width(), picture_.Height()}; }

    void Polyline(const Point* points, size_t count, const LtPen& pen) override {
        const double width = std::max(1, pen.width);
        const double shift = (pen.width > 0 && pen.width % 2 == 0) ? 0.0 : 0.5;
        for (size_t i = 1; i < count; ++i) {
            Segment(points[i - 1].x + shift, points[i - 1].y + shift, points[i].x + shift,
                    points[i].y + shift, width / 2, pen.color);
        }
    }

    // Selection handles belong to an editor on screen, never to a merged picture.
    void Handle(const Rect&, bool) override {}

  private:
    void Segment(double ax, double ay, double bx, double by, double radius, uint32_t colour) {
        const int left = std::max(0, static_cast<int>(std::floor(std::min(ax, bx) - radius)));
        const int right = std::min(picture_.Width() - 1,
                                   static_cast<int>(std::ceil(std::max(ax, bx) + radius)));
        const int top = std::max(0, static_cast<int>(std::floor(std::min(ay, by) - radius)));
        const int bottom = std::min(picture_.Height() - 1,
                                    static_cast<int>(std::ceil(std::max(ay, by) + radius)));
        const double dx = bx - ax, dy = by - ay;
        const double lengthSquared = dx * dx + dy * dy;
        const double limit = radius * radius;
        for (int y = top; y <= bottom; ++y) {
            uint8_t* row = picture_.Row(y);
            for (int x = left; x <= right; ++x) {
                const double px = x + 0.5 - ax, py = y + 0.5 - ay;
                double t = lengthSquared > 0 ? (px * dx + py * dy) / lengthSquared : 0.0;
                t = std::clamp(t, 0.0, 1.0);
                const double ex = px - t * dx, ey = py - t * dy;
                if (ex * ex + ey * ey >= limit) continue;
                uint8_t* p = row + 3 * static_cast<size_t>(x);
                p[0] = BlueOf(colour);
                p[1] = GreenOf(colour);
                p[2] = RedOf(colour);
            }
        }
    }

    CDibImage& picture_;
};

}  // namespace

void DrawInkOnPicture(CDibImage& picture, const CXeloLtManager& layer) {
    if (picture.IsEmpty()) return;
    if (picture.BytesPerPixel() != 3) picture.ConvertToTrueColour();
    DibInkPainter painter(picture);
    const LtViewParams unscaled;  // scale 1.0, no offset
    for (int i = 0; i < layer.Count(); ++i) {
        if (const CXeloLtGraph* object = layer.GetAt(i)) object->Draw(painter, unscaled);
    }
}

}  // namespace xelo
