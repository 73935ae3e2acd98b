// Fallback icons: a 16 × 16 rounded tile with a glyph, so that tool-bar buttons stay usable
// without an icon theme.
#include "frame/FrameIcons.h"

#include <QPainter>
#include <QPixmap>
#include <cstring>

#include "command/CommandIds.h"

namespace xelo {

namespace {

void DrawGrid(QPainter& p, int cells, int size) {
    const int step = 14 / cells;
    for (int y = 0; y < cells; ++y)
        for (int x = 0; x < cells; ++x)
            p.fillRect(2 + x * step, 2 + y * step, size, size, Qt::white);
}

void Triangle(QPainter& p, int left, int right, bool pointsRight) {
    const int tip = pointsRight ? right : left;
    const int base = pointsRight ? left : right;
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygon({QPoint(base, 3), QPoint(tip, 8), QPoint(base, 13)}));
}

// A magnifying glass, with a plus, a minus or nothing in it.
void Magnifier(QPainter& p, char sign) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(2.5, 2.5, 8, 8));
    p.drawLine(QPointF(9.5, 9.5), QPointF(13.5, 13.5));
    p.setPen(QPen(Qt::white, 1));
    if (sign != 0) p.drawLine(QPointF(4.5, 6.5), QPointF(8.5, 6.5));
    if (sign == '+') p.drawLine(QPointF(6.5, 4.5), QPointF(6.5, 8.5));
}

// A three-quarter circle with an arrow head: clockwise or not.
void TurnArrow(QPainter& p, bool clockwise) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(Qt::NoBrush);
    const QRectF ring(3.5, 3.5, 9, 9);
    p.drawArc(ring, (clockwise ? 90 : 0) * 16, 270 * 16);
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    if (clockwise) {
        p.drawPolygon(QPolygonF({QPointF(8, 1), QPointF(12, 4), QPointF(8, 7)}));
    } else {
        p.drawPolygon(QPolygonF({QPointF(8, 1), QPointF(4, 4), QPointF(8, 7)}));
    }
}

// Two triangles facing each other across a dashed axis: a mirror.
void Mirror(QPainter& p, bool upDown) {
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    QPolygon a({QPoint(2, 7), QPoint(7, 3), QPoint(7, 11)});
    QPolygon b({QPoint(14, 7), QPoint(9, 3), QPoint(9, 11)});
    if (upDown) {
        a = QPolygon({QPoint(7, 2), QPoint(3, 7), QPoint(11, 7)});
        b = QPolygon({QPoint(7, 14), QPoint(3, 9), QPoint(11, 9)});
    }
    p.drawPolygon(a);
    p.drawPolygon(b);
}

void Glyph(QPainter& p, const char* text) {
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPixelSize(std::strlen(text) > 2 ? 7 : 11);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString::fromLatin1(text));
}

QIcon Drawn(int command) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(40, 90, 160));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    p.setRenderHint(QPainter::Antialiasing, false);
    switch (command) {
        case cmd::kThumbnail:
            DrawGrid(p, 3, 3);
            break;
        case cmd::kThumbnailOption:
            DrawGrid(p, 2, 5);
            break;
        case cmd::kList:
            for (int y = 3; y < 14; y += 4) {
                p.fillRect(3, y, 3, 3, Qt::white);
                p.fillRect(7, y + 1, 6, 1, Qt::white);
            }
            break;
        case cmd::kFilename:
            for (int y = 3; y < 14; y += 3)
                p.fillRect(3, y, 10, 1, Qt::white);
            break;
        case cmd::kHomeFolder:
            p.setBrush(Qt::white);
            p.drawPolygon(QPolygon({QPoint(8, 2), QPoint(14, 8), QPoint(2, 8)}));
            p.fillRect(4, 8, 8, 6, Qt::white);
            break;
        case cmd::kPreviousImage:
            Triangle(p, 4, 11, false);
            break;
        case cmd::kNextImage:
            Triangle(p, 4, 11, true);
            break;
        case cmd::kPreviousFrame:
            p.fillRect(3, 3, 2, 10, Qt::white);
            Triangle(p, 6, 12, false);
            break;
        case cmd::kNextFrame:
            Triangle(p, 4, 10, true);
            p.fillRect(11, 3, 2, 10, Qt::white);
            break;
        case cmd::kPlay:
            Triangle(p, 5, 12, true);
            break;
        case cmd::kStop:
            p.fillRect(4, 4, 8, 8, Qt::white);
            break;
        case cmd::kZoomIn:
            Magnifier(p, '+');
            break;
        case cmd::kZoomOut:
            Magnifier(p, '-');
            break;
        case cmd::kZoomTool:
        case cmd::kZoomTools:
        case cmd::kPanAndZoom:
            Magnifier(p, 0);
            break;
        case cmd::kActualSize:
            Glyph(p, "1:1");
            break;
        case cmd::kFitToWindow:
            p.setPen(Qt::white);
            p.setBrush(Qt::NoBrush);
            p.drawRect(3, 3, 9, 9);
            p.fillRect(5, 5, 6, 6, Qt::white);
            break;
        case cmd::kQuickView:
            p.setPen(Qt::white);
            p.setBrush(Qt::NoBrush);
            p.drawRect(2, 3, 11, 9);
            p.fillRect(7, 5, 4, 3, Qt::white);
            break;
        case cmd::kZoomSlider:
            // A track with its knob low down.
            p.fillRect(7, 2, 1, 12, Qt::white);
            p.fillRect(5, 9, 5, 3, Qt::white);
            break;
        case cmd::kRotateRight:
        case cmd::kRotateMenu:
            TurnArrow(p, true);
            break;
        case cmd::kRotateLeft:
            TurnArrow(p, false);
            break;
        case cmd::kRotate180:
            Glyph(p, "180");
            break;
        case cmd::kFlipLeftRight:
            Mirror(p, false);
            break;
        case cmd::kFlipUpDown:
            Mirror(p, true);
            break;
        case cmd::kResetOrientation:
            Glyph(p, "0");
            break;
        case cmd::kPanTool:
        case cmd::kPanTools:
            p.fillRect(7, 2, 2, 12, Qt::white);
            p.fillRect(2, 7, 12, 2, Qt::white);
            break;
        case cmd::kAnnotationTool:
        case cmd::kAnnotationTools:
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(Qt::white, 2));
            p.drawLine(QPointF(4, 12), QPointF(12, 4));
            break;
        case cmd::kExitFullScreen:
            p.setPen(Qt::white);
            p.setBrush(Qt::NoBrush);
            p.drawRect(2, 2, 11, 11);
            p.fillRect(5, 5, 6, 6, Qt::white);
            break;
        default:
            Glyph(p, command == cmd::kToolBar      ? "T"
                     : command == cmd::kSwitchMode ? "M"
                     : command == cmd::kHelp       ? "?"
                                                   : "*");
    }
    return QIcon(pixmap);
}

}  // namespace

QIcon CommandIcon(int command, const char* themeName) {
    const QIcon fallback = Drawn(command);
    if (themeName == nullptr) return fallback;
    return QIcon::fromTheme(QString::fromLatin1(themeName), fallback);
}

}  // namespace xelo
