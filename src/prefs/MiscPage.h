// CMiscPage: the "Misc" page of the Options sheet — the size of copied images, the photo
// editor, and the display gamma.
#pragma once

#include "prefs/PrefSheet.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace xelo {

// The gamma (× 100) a slider value × 10 stands for: rounded down to a multiple of 10 and kept
// within 1..300.
int GammaFromSlider(int tenths);

class CMiscPage : public CPrefPage {
    Q_OBJECT

  public:
    explicit CMiscPage(CPreferences& working, QWidget* parent = nullptr);
    void Store() override;

    QSlider* GammaSlider() const { return slider_; }
    QLabel* GammaLabel() const { return label_; }

  private:
    void ShowGamma(int gamma);

    QComboBox* copySize_;
    QLineEdit* editor_;
    QLineEdit* sendProgram_;
    QLineEdit* receiveProgram_;
    QCheckBox* applyGamma_;
    QSlider* slider_;
    QPushButton* reset_;
    QLabel* label_;
    int gamma_ = 100;
};

}  // namespace xelo
