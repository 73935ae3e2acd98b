// CGeneralPage: the "General" page of the Options sheet — GIF speed, default zoom, colour
// optimisation, the start-up mode, the auto-rotate direction, the home folder, the Full Screen
// tool bar, up/down browsing, the camera's orientation, and the Thumbnails and Colors dialog.
#pragma once

#include <functional>
#include <optional>

#include "prefs/PrefSheet.h"
#include "settings/ThumbnailOptions.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace xelo {

class CGeneralPage : public CPrefPage {
    Q_OBJECT

  public:
    // Runs the Thumbnails and Colors dialog on `options`; true when it was confirmed. The dialog
    // belongs to the window, which hands it in; without one the button is disabled.
    using ThumbnailEditor = std::function<bool(ThumbnailOptions& options, QWidget* parent)>;

    CGeneralPage(CPreferences& working, ThumbnailEditor editThumbnails, QWidget* parent = nullptr);
    void Store() override;

    // Asks for the new home folder starting at `current` (tests replace it); empty keeps it.
    std::function<QString(const QString& current)> askFolder;

  private:
    QComboBox* animationSpeed_;
    QComboBox* defaultZoom_;
    QComboBox* colourOptimisation_;
    QComboBox* startMode_;
    QRadioButton* rotateLeft_;
    QRadioButton* rotateRight_;
    QLineEdit* home_;
    QCheckBox* hideToolBar_;
    QCheckBox* upDownBrowse_;
    QCheckBox* cameraOrientation_;
    ThumbnailEditor editThumbnails_;
    std::optional<ThumbnailOptions> thumbnails_;  // the dialog's choice until the sheet's OK
};

}  // namespace xelo
