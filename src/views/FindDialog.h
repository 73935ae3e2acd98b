// CFindDialog: the "Find" criteria: name and metadata text, size and type class, the start
// folder and whether its subfolders are searched.
#pragma once

#include <QDialog>

#include "album/FindCriteria.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace xelo {

class CFindDialog : public QDialog {
    Q_OBJECT

  public:
    CFindDialog(const FindCriteria& criteria, QWidget* parent = nullptr);
    // The criteria as the controls show them.
    FindCriteria Criteria() const;

  private:
    void Browse();

    QLineEdit* name_;
    QLineEdit* metadata_;
    QComboBox* size_;
    QComboBox* type_;
    QCheckBox* subfolders_;
    QLineEdit* folder_;
};

}  // namespace xelo
