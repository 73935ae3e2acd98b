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

// A square of `side` pixels in the tile's middle: the thumbnail sizes.
void Square(QPainter& p, int side) {
    const int at = (16 - side) / 2;
    p.fillRect(at, at, side, side, Qt::white);
}

// Horizontal bars of growing thickness: pen widths and sorting.
void Bars(QPainter& p, bool thickening) {
    for (int i = 0; i < 3; ++i) {
        const int y = 3 + i * 4;
        if (thickening) {
            p.fillRect(3, y, 10, i + 1, Qt::white);
        } else {
            p.fillRect(3, y, 4 + i * 3, 2, Qt::white);
        }
    }
}

// A dotted selection frame, filled, empty or half filled.
void Marquee(QPainter& p, int fill) {
    p.setPen(QPen(Qt::white, 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(2, 2, 11, 11);
    if (fill == 2) p.fillRect(5, 5, 6, 6, Qt::white);
    if (fill == 1) p.fillRect(5, 5, 3, 6, Qt::white);
}

// Four corner brackets: the whole screen.
void Corners(QPainter& p) {
    for (const QPoint& c : {QPoint(2, 2), QPoint(13, 2), QPoint(2, 13), QPoint(13, 13)}) {
        const int dx = c.x() < 8 ? 1 : -1;
        const int dy = c.y() < 8 ? 1 : -1;
        p.fillRect(QRect(c, c + QPoint(3 * dx, 0)).normalized(), Qt::white);
        p.fillRect(QRect(c, c + QPoint(0, 3 * dy)).normalized(), Qt::white);
    }
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
        case cmd::kSlidePrevious:
            Triangle(p, 4, 11, false);
            break;
        case cmd::kSlideFirst:
            p.fillRect(3, 3, 2, 10, Qt::white);
            Triangle(p, 6, 12, false);
            break;
        case cmd::kSlideLast:
            Triangle(p, 4, 10, true);
            p.fillRect(11, 3, 2, 10, Qt::white);
            break;
        case cmd::kSlideShow:
            p.fillRect(2, 3, 12, 8, Qt::white);
            p.fillRect(7, 11, 2, 3, Qt::white);
            break;
        case cmd::kSlideGoTo:
            for (int y = 3; y < 14; y += 4)
                p.fillRect(3, y, 10, 2, Qt::white);
            break;
        case cmd::kSlideProperties:
        case cmd::kOptions:
            Glyph(p, "...");
            break;
        case cmd::kSlideExit:
            p.setPen(QPen(Qt::white, 2));
            p.drawLine(4, 4, 12, 12);
            p.drawLine(12, 4, 4, 12);
            break;
        case cmd::kNextImage:
        case cmd::kSlideNext:
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
        case cmd::kSlidePlay:
            Triangle(p, 5, 12, true);
            break;
        case cmd::kStop:
        case cmd::kSlideStop:
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
        case cmd::kFilmstrip:
            for (int y = 2; y < 14; y += 4)
                p.fillRect(2, y, 3, 3, Qt::white);
            p.fillRect(7, 3, 7, 10, Qt::white);
            break;
        case cmd::kFullScreen:
            Corners(p);
            break;
        case cmd::kGiantThumbnail:
            Square(p, 14);
            break;
        case cmd::kHugeThumbnail:
            Square(p, 12);
            break;
        case cmd::kLargeThumbnail:
            Square(p, 10);
            break;
        case cmd::kNormalThumbnail:
            Square(p, 8);
            break;
        case cmd::kSmallThumbnail:
            Square(p, 6);
            break;
        case cmd::kTinyThumbnail:
            Square(p, 4);
            break;
        case cmd::kSelectAll:
            Marquee(p, 2);
            break;
        case cmd::kSelectNone:
            Marquee(p, 0);
            break;
        case cmd::kSelectInvert:
            Marquee(p, 1);
            break;
        case cmd::kMultipleImages:
            p.setPen(Qt::white);
            p.setBrush(Qt::NoBrush);
            p.drawRect(2, 2, 8, 8);
            p.fillRect(6, 6, 8, 8, Qt::white);
            break;
        case cmd::kHideSlide:
        case cmd::kShowSlide:
            p.setPen(Qt::white);
            p.setBrush(Qt::NoBrush);
            p.drawRect(2, 3, 11, 9);
            if (command == cmd::kHideSlide) {
                p.setRenderHint(QPainter::Antialiasing);
                p.setPen(QPen(Qt::white, 1.5));
                p.drawLine(QPointF(2, 14), QPointF(14, 2));
            } else {
                p.fillRect(6, 6, 4, 4, Qt::white);
            }
            break;
        case cmd::kReorderByName:
        case cmd::kReorderByDate:
        case cmd::kReorderBySize:
        case cmd::kReorderByType:
        case cmd::kReorderBySlides:
            Bars(p, false);
            break;
        case cmd::kReorderReverse:
            Triangle(p, 3, 13, true);
            p.fillRect(2, 7, 12, 2, Qt::white);
            break;
        case cmd::kPenWidth:
            Bars(p, true);
            break;
        case cmd::kThumbnailsAndColors:
            p.fillRect(3, 3, 5, 5, QColor(230, 80, 60));
            p.fillRect(8, 3, 5, 5, QColor(90, 200, 90));
            p.fillRect(3, 8, 5, 5, QColor(250, 210, 60));
            p.fillRect(8, 8, 5, 5, Qt::white);
            break;
        case cmd::kToolBar:
        case cmd::kToolBarFullScreen:
            p.setPen(Qt::white);
            p.setBrush(Qt::NoBrush);
            p.drawRect(2, 2, 11, 11);
            p.fillRect(2, 10, 12, 4, Qt::white);
            break;
        case cmd::kSwitchMode:
            DrawGrid(p, 2, 5);
            p.fillRect(9, 9, 5, 5, QColor(40, 90, 160));
            Triangle(p, 9, 14, true);
            break;
        case cmd::kAbout:
            Glyph(p, "i");
            break;
        case cmd::kExit:
            p.setPen(Qt::white);
            p.setBrush(Qt::NoBrush);
            p.drawRect(2, 2, 7, 11);
            Triangle(p, 8, 14, true);
            break;
        case cmd::kEditText:
            for (int y : {4, 7, 10})
                p.fillRect(3, y, y == 10 ? 6 : 10, 2, Qt::white);
            break;
        case cmd::kPlayAudio:
            Triangle(p, 5, 12, true);
            break;
        case cmd::kRecordAudio:
            p.setRenderHint(QPainter::Antialiasing);
            p.setBrush(QColor(230, 60, 50));
            p.drawEllipse(QRectF(4, 4, 8, 8));
            break;
        case cmd::kUndoLastStroke:
            TurnArrow(p, false);
            break;
        case cmd::kEraseAllStrokes:
            Glyph(p, "X");
            break;
        default:
            if (command >= cmd::kZoomInFirst && command <= cmd::kZoomInLast) {
                Magnifier(p, '+');
            } else if (command >= cmd::kZoomOutFirst && command <= cmd::kZoomOutLast) {
                Magnifier(p, '-');
            } else if (command >= cmd::kPenWidthFirst && command <= cmd::kPenWidthLast) {
                p.fillRect(2, 8 - (command - cmd::kPenWidthFirst + 1) / 2, 12,
                           command - cmd::kPenWidthFirst + 1, Qt::white);
            } else {
                Glyph(p, "?");  // help
            }
    }
    return QIcon(pixmap);
}

}  // namespace

QIcon ProgramIcon() {
    // A framed landscape under a sun, drawn at the sizes desktops ask for.
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 32.0, size / 32.0);
        p.setPen(QPen(QColor(30, 60, 110), 1.5));
        p.setBrush(QColor(120, 180, 235));
        p.drawRoundedRect(QRectF(1.5, 4.5, 29, 23), 3, 3);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(250, 210, 60));
        p.drawEllipse(QPointF(22, 11), 3.5, 3.5);
        p.setBrush(QColor(50, 140, 70));
        p.drawPolygon(QPolygonF({QPointF(2.5, 26.5), QPointF(11, 14), QPointF(17, 21),
                                 QPointF(21, 17), QPointF(29.5, 26.5)}));
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon CommandIcon(int command, const char* themeName) {
    const QIcon fallback = Drawn(command);
    if (themeName == nullptr) return fallback;
    return QIcon::fromTheme(QString::fromLatin1(themeName), fallback);
}

}  // namespace xelo
