// CFindWindow: the small modeless "Find" window with its status line and "Find Next". The walk
// runs in steps on the event loop, so the program stays usable, and can be stopped.
#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>
#include <string>

#include "album/ImageSearch.h"

class QLabel;
class QPushButton;

namespace xelo {

class CFindWindow : public QDialog {
    Q_OBJECT

  public:
    CFindWindow(const FindCriteria& criteria, QWidget* parent = nullptr);

    // Continues the walk to the next hit.
    void FindNext();
    // Halts the walk where it is; "Find Next" goes on from there.
    void Stop();
    bool Searching() const { return tick_.isActive(); }
    bool Exhausted() const { return search_.Done(); }
    QString Status() const;

    // Called with the hit's folder and file name; the window then shows "Found: %s".
    std::function<void(const std::string& folder, const std::string& name)> onHit;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void Step();
    void SetStatus(const QString& text);
    void UpdateButtons();

    CImageSearch search_;
    QTimer tick_;
    QLabel* status_;
    QPushButton* next_;
    QPushButton* stop_;
    std::string shownFolder_;
};

}  // namespace xelo
