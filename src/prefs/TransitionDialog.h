// The "Transition" dialog: every effect the show offers, its speed, and a live preview that
// plays the chosen effect between two pictures of our own.
#pragma once

#include <QDialog>

#include "image/DibImage.h"

class QComboBox;
class QRadioButton;

namespace xelo {

class CTransitionPreview;

class CTransitionDialog : public QDialog {
    Q_OBJECT

  public:
    CTransitionDialog(int effect, int speed, QWidget* parent = nullptr);
    int Effect() const;
    int Speed() const;
    // Plays the chosen effect from the picture shown now to the other one.
    void Preview();

  private:
    void UpdateSpeeds();

    QComboBox* effects_;
    QRadioButton* slow_;
    QRadioButton* medium_;
    QRadioButton* fast_;
    CTransitionPreview* preview_;
};

// The two preview pictures: a dusk sky over hills, and a sunlit sea.
void DrawPreviewPicture(CDibImage& picture, int width, int height, bool second);

}  // namespace xelo
