// The "Text Options" dialog of the Slide Show page: what the slide's text line shows, where,
// how large and heavy, and its colour, optional shadow and optional background.
#pragma once

#include <QDialog>

#include "settings/PrefLayout.h"

class QCheckBox;
class QComboBox;

namespace xelo {

class CColourButton;

class CTextOptionsDialog : public QDialog {
    Q_OBJECT

  public:
    CTextOptionsDialog(const PreferencesBlock& block, QWidget* parent = nullptr);
    // Writes the choices into `block`.
    void Store(PreferencesBlock& block) const;

  private:
    QComboBox* display_;
    QComboBox* position_;
    QComboBox* size_;
    QComboBox* weight_;
    CColourButton* colour_;
    QCheckBox* shadowOn_;
    CColourButton* shadow_;
    QCheckBox* backgroundOn_;
    CColourButton* background_;
};

// Fills a combo box from a field list such as "Top|Center|".
void FillFromList(QComboBox* combo, uint32_t listId);

}  // namespace xelo
