// CPropSheet: the Image Info sheet, six pages about the current image with "<" and ">" stepping
// through the album.
#pragma once

#include <QDialog>
#include <functional>

class QTabWidget;

namespace xelo {

class CTavoDoc;
class CImageStepper;
class CInfoPage;

class CPropSheet : public QDialog {
    Q_OBJECT

  public:
    CPropSheet(CTavoDoc& doc, int index, std::function<int(QDialog&)> runDialog,
               QWidget* parent = nullptr);

    CImageStepper* Stepper() const { return stepper_; }
    QTabWidget* Pages() const { return pages_; }

  private:
    // The page on top follows the sheet's image; the others catch up when they are shown.
    void ShowCurrentPage();

    CImageStepper* stepper_;
    QTabWidget* pages_;
};

}  // namespace xelo
