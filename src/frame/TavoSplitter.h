// CTavoSplitter: the frame's two panes, the directory tree and the browsing view. The first
// pane's width is the stored pane size.
#pragma once

#include <QSplitter>

namespace xelo {

class CTavoSplitter : public QSplitter {
    Q_OBJECT

  public:
    explicit CTavoSplitter(QWidget* parent = nullptr) : QSplitter(Qt::Horizontal, parent) {
        setChildrenCollapsible(true);
    }

    int FirstPaneSize() const { return sizes().value(0); }
};

}  // namespace xelo
