// A push button showing a colour (0x00BBGGRR) that opens the colour chooser when clicked.
#pragma once

#include <QPushButton>
#include <cstdint>

namespace xelo {

class CColourButton : public QPushButton {
    Q_OBJECT

  public:
    CColourButton(uint32_t colour, const QString& chooserTitle, QWidget* parent = nullptr);
    uint32_t Colour() const { return colour_; }
    void SetColour(uint32_t colour);

  private:
    uint32_t colour_;
    QString title_;
};

QColor ColourFromRef(uint32_t colour);
uint32_t RefFromColour(const QColor& colour);

}  // namespace xelo
