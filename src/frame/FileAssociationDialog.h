// The "File Association" dialog: which image types open in the program, and the mode they open
// in. Its choices are applied by Apply, so the caller decides when they take effect.
#pragma once

#include <QDialog>
#include <vector>

class QCheckBox;
class QComboBox;

namespace xelo {

class CFileAssociation;

class CFileAssociationDialog : public QDialog {
    Q_OBJECT

  public:
    // `openImageMode`: 3 Filmstrip, 4 Full Screen.
    CFileAssociationDialog(const CFileAssociation& association, int openImageMode,
                           QWidget* parent = nullptr);

    // Claims the checked groups' types and releases the others; write errors throw.
    void Apply(CFileAssociation& association) const;
    int OpenImageMode() const;
    // The group check boxes, in the dialog's order (tests).
    const std::vector<QCheckBox*>& Groups() const { return groups_; }

  private:
    std::vector<QCheckBox*> groups_;
    QComboBox* mode_;
};

}  // namespace xelo
