// Fallback icons: a 16 × 16 rounded tile with a glyph, so that tool-bar buttons stay usable
// without an icon theme.
#include "frame/FrameIcons.h"

#include <QPainter>
#include <QPixmap>

#include "frame/CommandIds.h"

namespace xelo {

namespace {

void DrawGrid(QPainter& p, int cells, int size) {
    const int step = 14 / cells;
    for (int y = 0; y < cells; ++y)
        for (int x = 0; x < cells; ++x)
            p.fillRect(2 + x * step, 2 + y * step, size, size, Qt::white);
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
        default: {
            p.setPen(Qt::white);
            QFont f = p.font();
            f.setPixelSize(11);
            f.setBold(true);
            p.setFont(f);
            const char* glyph = command == cmd::kToolBar      ? "T"
                                : command == cmd::kSwitchMode ? "M"
                                : command == cmd::kHelp       ? "?"
                                                              : "*";
            p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString::fromLatin1(glyph));
        }
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
