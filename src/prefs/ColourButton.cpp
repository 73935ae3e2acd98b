#include "prefs/ColourButton.h"

#include <QColorDialog>
#include <QPixmap>

namespace xelo {

QColor ColourFromRef(uint32_t colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

uint32_t RefFromColour(const QColor& colour) {
    return static_cast<uint32_t>(colour.red()) | static_cast<uint32_t>(colour.green()) << 8 |
           static_cast<uint32_t>(colour.blue()) << 16;
}

CColourButton::CColourButton(uint32_t colour, const QString& chooserTitle, QWidget* parent)
    : QPushButton(parent), colour_(colour), title_(chooserTitle) {
    SetColour(colour);
    connect(this, &QPushButton::clicked, this, [this] {
        const QColor chosen = QColorDialog::getColor(ColourFromRef(colour_), this, title_);
        if (chosen.isValid()) SetColour(RefFromColour(chosen));
    });
}

void CColourButton::SetColour(uint32_t colour) {
    colour_ = colour & 0xFFFFFF;
    QPixmap swatch(32, 12);
    swatch.fill(ColourFromRef(colour_));
    setIcon(QIcon(swatch));
    setIconSize(swatch.size());
}

}  // namespace xelo
