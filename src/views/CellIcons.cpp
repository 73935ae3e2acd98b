// The two small icon sets of the browsing views, drawn rather than loaded so that they scale
// with nothing and need no files: annotation indicators 0..5 and the missing-picture placeholder.
#include <QPainter>

#include "views/CellPainter.h"

namespace xelo {

void DrawIndicatorIcon(QPainter& p, int icon, int x, int y) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect box(x, y, 10, 10);
    switch (icon) {
        case 0:  // text note: a page with lines
            p.fillRect(box.adjusted(1, 0, -1, 0), Qt::white);
            p.setPen(Qt::black);
            p.drawRect(box.adjusted(1, 0, -2, -1));
            for (int i = 2; i < 9; i += 2)
                p.drawLine(x + 3, y + i, x + 6, y + i);
            break;
        case 1:  // ink: a slanted pen
            p.setPen(QPen(QColor(0, 0, 160), 2));
            p.drawLine(x + 2, y + 8, x + 8, y + 2);
            p.setPen(Qt::black);
            p.drawPoint(x + 1, y + 9);
            break;
        case 2:  // audio note: a loudspeaker
            p.fillRect(QRect(x + 1, y + 3, 3, 4), Qt::black);
            p.setBrush(Qt::black);
            p.setPen(Qt::NoPen);
            p.drawPolygon(QPolygon({QPoint(x + 4, y + 3), QPoint(x + 8, y), QPoint(x + 8, y + 9),
                                    QPoint(x + 4, y + 6)}));
            break;
        case 3:  // animated: a strip of film
            p.fillRect(box.adjusted(0, 1, 0, -1), Qt::black);
            for (int i = 1; i < 10; i += 3) {
                p.fillRect(QRect(x + i, y + 2, 1, 1), Qt::white);
                p.fillRect(QRect(x + i, y + 7, 1, 1), Qt::white);
            }
            p.fillRect(QRect(x + 2, y + 4, 6, 2), QColor(0, 200, 255));
            break;
        case 4:  // read-only: a padlock
            p.setPen(Qt::black);
            p.drawRect(QRect(x + 3, y + 1, 3, 4));
            p.fillRect(QRect(x + 1, y + 4, 8, 6), QColor(200, 160, 0));
            p.drawRect(QRect(x + 1, y + 4, 7, 5));
            break;
        default:  // hidden slide: a struck-out eye
            p.setPen(Qt::black);
            p.setBrush(Qt::white);
            p.drawEllipse(QRect(x, y + 2, 9, 5));
            p.fillRect(QRect(x + 4, y + 3, 2, 3), Qt::black);
            p.setPen(QPen(Qt::red, 1));
            p.drawLine(x, y + 9, x + 9, y);
            break;
    }
    p.restore();
}

void DrawPlaceholderIcon(QPainter& p, int x, int y) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(x, y, 16, 14), Qt::white);
    p.setPen(Qt::black);
    p.drawRect(QRect(x, y, 15, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 128, 0));
    p.drawPolygon(QPolygon({QPoint(x + 2, y + 12), QPoint(x + 6, y + 6), QPoint(x + 9, y + 10),
                            QPoint(x + 11, y + 8), QPoint(x + 14, y + 12)}));
    p.fillRect(QRect(x + 10, y + 3, 3, 3), QColor(255, 200, 0));
    p.setPen(QPen(Qt::red, 2));
    p.drawLine(x + 3, y + 15, x + 13, y + 15);  // the picture is missing
    p.restore();
}

}  // namespace xelo
