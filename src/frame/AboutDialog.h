// The about box: the program's name, version and the Qt it runs on.
#pragma once

#include <QDialog>

namespace xelo {

class CAboutDialog : public QDialog {
    Q_OBJECT

  public:
    explicit CAboutDialog(QWidget* parent = nullptr);
};

}  // namespace xelo
