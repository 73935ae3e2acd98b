// CSaveSheet: the Format, Location, Resize and Crop pages around the current image, and the
// save flows they start, with progress for the batches.
#pragma once

#include <QDialog>
#include <functional>

#include "imageui/SavePages.h"

class QLabel;
class QTabWidget;

namespace xelo {

class CTavoDoc;
class CImageStepper;

class CSaveSheet : public QDialog {
    Q_OBJECT

  public:
    enum Page { kFormatPage = 0, kLocationPage = 1, kResizePage = 2, kCropPage = 3 };

    // `runDialog` shows the questions (the frame's hook); `sourceReplaced` is called when an
    // image of the album was overwritten, so what shows it can load it again.
    CSaveSheet(CTavoDoc& doc, int index, SaveSheetState& state, Size screen, Page page,
               std::function<int(QDialog&)> runDialog, std::function<void()> sourceReplaced,
               QWidget* parent = nullptr);

    CImageStepper* Stepper() const { return stepper_; }
    QTabWidget* Pages() const { return pages_; }

  private:
    void ImageChanged();
    void ShowOutputName();
    void Run(SaveAction action, bool all);

    CTavoDoc& doc_;
    SaveSheetState& state_;
    Size screen_;
    std::function<int(QDialog&)> runDialog_;
    std::function<void()> sourceReplaced_;
    CImageStepper* stepper_;
    QTabWidget* pages_;
    QLabel* output_;
    CResizePage* resize_;
    CCropPage* crop_;
};

}  // namespace xelo
