// The four pages of the save sheet: Format, Location, Resize and Crop. They edit one shared
// state and hand their action buttons to the sheet.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "album/SaveFlows.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeView;
class QFileSystemModel;

namespace xelo {

// What the sheet's pages set; kept by the frame so the sheet opens as the user left it.
struct SaveSheetState {
    SaveOptions options{kSaveJpeg, 75, 96, 96, true};
    int listPosition[5] = {0, 3, 2, 7, 0};  // by format: BMP 24 bits, JPEG 75, GIF 256, PNG
    std::string destination;                // empty: the album's folder
    std::string appendage;
    int preset = kPresetFitScreen;
    Size userSize{640, 480};
    bool keepAspect = true;
    Rect crop;
};

// The buttons of the pages: an action on the current image or (all) on the album.
using RunAction = std::function<void(SaveAction action, bool all)>;

// "Convert", "Convert All", "Crop", "Resize", "Resize All" as a row.
QWidget* ActionRow(QWidget* parent, const RunAction& run, bool convert, bool crop, bool resize);

class CFormatPage : public QWidget {
    Q_OBJECT
  public:
    CFormatPage(SaveSheetState& state, const RunAction& run, QWidget* parent = nullptr);
  signals:
    void changed();

  private:
    void Choose(int32_t format);
    SaveSheetState& state_;
    QComboBox* xDpi_;
    QComboBox* yDpi_;
    QComboBox* lists_[5] = {};  // by format code
    QButtonGroup* formats_;
};

class CLocationPage : public QWidget {
    Q_OBJECT
  public:
    CLocationPage(SaveSheetState& state, const std::string& albumFolder, const RunAction& run,
                  QWidget* parent = nullptr);
  signals:
    void changed();

  private:
    SaveSheetState& state_;
    QLineEdit* appendage_;
    QTreeView* tree_;
    QFileSystemModel* model_;
};

class CResizePage : public QWidget {
    Q_OBJECT
  public:
    CResizePage(SaveSheetState& state, Size screen, const RunAction& run,
                QWidget* parent = nullptr);
    // The current image's size: the preset's size follows it.
    void SetImage(Size image);

  private:
    void ApplyPreset();
    void Edited(bool widthEdited);
    SaveSheetState& state_;
    Size screen_;
    Size image_;
    QComboBox* preset_;
    QSpinBox* width_;
    QSpinBox* height_;
    QCheckBox* keepAspect_;
    bool filling_ = false;
};

class CCropPage : public QWidget {
    Q_OBJECT
  public:
    CCropPage(SaveSheetState& state, const RunAction& run, QWidget* parent = nullptr);
    // Bounds the fields by the current image; a rectangle that no longer fits becomes the whole
    // image.
    void SetImage(Size image);

  private:
    void Store();
    SaveSheetState& state_;
    Size image_;
    QSpinBox* x_;
    QSpinBox* y_;
    QSpinBox* width_;
    QSpinBox* height_;
    bool filling_ = false;
};

}  // namespace xelo
