// CSlidePage: the "Slide Show" page of the Options sheet.
#pragma once

#include "prefs/PrefSheet.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace xelo {

class CColourButton;

class CSlidePage : public CPrefPage {
    Q_OBJECT

  public:
    CSlidePage(CPreferences& working, QWidget* parent = nullptr);
    // Refuses a delay outside 0–300 seconds with the range message, its text selected.
    bool Validate() override;
    void Store() override;
    QLineEdit* DelayEdit() const { return delay_; }

  private:
    QComboBox* size_;
    QLineEdit* delay_;
    QComboBox* orientation_;
    CColourButton* background_;
    QCheckBox* showText_;
    QCheckBox* transitions_;
    QCheckBox* playAudio_;
    QCheckBox* repeatAudio_;
    QCheckBox* repeat_;
    QCheckBox* random_;
    QCheckBox* ink_;
    PreferencesBlock edited_;  // the dialogs' choices until the sheet is confirmed
};

}  // namespace xelo
