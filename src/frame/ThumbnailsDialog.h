// The "Thumbnails and Colors" dialog: thumbnail size, frame style, labels, index numbers,
// stretching, and the three background colours.
#pragma once

#include <QDialog>

#include "settings/ThumbnailOptions.h"

class QCheckBox;
class QComboBox;
class QPushButton;

namespace xelo {

class CThumbnailsDialog : public QDialog {
    Q_OBJECT

  public:
    CThumbnailsDialog(const ThumbnailOptions& options, QWidget* parent = nullptr);

    // The options as the controls show them now.
    ThumbnailOptions Options() const;
    void SetOptions(const ThumbnailOptions& options);

  private:
    void PickColour(uint32_t& colour, QPushButton* button);
    void ShowColour(QPushButton* button, uint32_t colour);

    QComboBox* size_;
    QComboBox* frame_;
    QCheckBox* showFileName_;
    QCheckBox* showIndex_;
    QCheckBox* fitPreview_;
    QCheckBox* diskCache_;
    QPushButton* preview_;
    QPushButton* thumbnail_;
    QPushButton* image_;
    uint32_t previewColour_ = 0;
    uint32_t thumbnailColour_ = 0;
    uint32_t imageColour_ = 0;
};

}  // namespace xelo
