// The part both image sheets share: the current image's preview, name and size, and the "<" and
// ">" buttons that step through the album.
#pragma once

#include <QWidget>

#include "image/DibImage.h"

class QLabel;
class QPushButton;

namespace xelo {

class CTavoDoc;
class CImageEntry;

// The entry's 96 x 72 thumbnail: the one the views made, else decoded from the file. False when
// the file cannot be read.
bool SheetThumbnail(const CTavoDoc& doc, const CImageEntry& entry, CDibImage& thumbnail);

class CImageStepper : public QWidget {
    Q_OBJECT

  public:
    CImageStepper(CTavoDoc& doc, int index, QWidget* parent = nullptr);

    int Index() const { return index_; }
    CImageEntry* Entry() const;
    // Shows the image at `index` (clamped) and tells the sheet.
    void SetIndex(int index);
    // Shows the current image again (after its file changed).
    void Refresh();

  signals:
    void indexChanged(int index);

  private:
    CTavoDoc& doc_;
    int index_;
    QLabel* preview_;
    QLabel* name_;
    QLabel* width_;
    QLabel* height_;
    QPushButton* previous_;
    QPushButton* next_;
};

}  // namespace xelo
