// CFramePage: the "Frame" page of the Options sheet — where picture frames come from, how they
// are applied, and in which modes.
#pragma once

#include "image/Geometry.h"
#include "prefs/PrefSheet.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace xelo {

class CFramePage : public CPrefPage {
    Q_OBJECT

  public:
    CFramePage(CPreferences& working, Size screen, QWidget* parent = nullptr);
    // With frames enabled, the chosen file or folder must hold a suitable GIF.
    bool Validate() override;
    void Store() override;

  private:
    Size screen_;
    QCheckBox* fullScreen_;
    QCheckBox* slideShow_;
    QRadioButton* multiple_;
    QRadioButton* single_;
    QLineEdit* folder_;
    QComboBox* apply_;
    QLineEdit* file_;
};

}  // namespace xelo
