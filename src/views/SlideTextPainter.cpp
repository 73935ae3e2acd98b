#include "views/SlideTextPainter.h"

#include <QFont>
#include <QImage>
#include <QPainter>

namespace xelo {

namespace {

QColor FromColourRef(uint32_t colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

constexpr QFont::Weight kWeights[] = {QFont::ExtraLight, QFont::Normal, QFont::DemiBold,
                                      QFont::ExtraBold};

}  // namespace

void CSlideTextPainter::DrawText(const BgrBuffer& target, const std::string& text,
                                 const SlideTextStyle& style) {
    if (text.empty() || target.width < 8 || target.height < 8) return;
    QImage image(target.bits, target.width, target.height, static_cast<qsizetype>(target.Stride()),
                 QImage::Format_BGR888);
    QPainter painter(&image);
    QFont font = painter.font();
    font.setPointSize(style.points);
    font.setWeight(kWeights[std::clamp(style.weight, 0, 3)]);
    painter.setFont(font);
    const QString line = QString::fromStdString(text).trimmed();
    int align = Qt::AlignHCenter;
    if (style.position == kTextUpperLeft || style.position == kTextLowerLeft) align = Qt::AlignLeft;
    if (style.position == kTextUpperRight || style.position == kTextLowerRight) {
        align = Qt::AlignRight;
    }
    const int flags = align | Qt::AlignTop | Qt::TextWordWrap;
    const QRect measure(2, 0, target.width - 4, target.height);
    const int height = std::min(target.height, painter.boundingRect(measure, flags, line).height());
    int top = 0;
    if (style.position == kTextCenter) top = (target.height - height + 1) / 2;
    if (style.position == kTextBottom || style.position == kTextLowerLeft ||
        style.position == kTextLowerRight) {
        top = target.height - height;
    }
    const QRect box(2, top, target.width - 4, height);
    if (style.background != SlideTextStyle::kNoColourValue) {
        painter.fillRect(QRect(0, top, target.width, height), FromColourRef(style.background));
    }
    if (style.shadow != SlideTextStyle::kNoColourValue) {
        const int offset = style.points > 16 ? 2 : 1;
        painter.setPen(FromColourRef(style.shadow));
        painter.drawText(box.translated(offset, offset), flags, line);
    }
    painter.setPen(FromColourRef(style.colour));
    painter.drawText(box, flags, line);
}

}  // namespace xelo
