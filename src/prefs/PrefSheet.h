// CPrefSheet: the Options sheet. Its pages edit a working copy of the preferences; OK asks
// every page to check its fields (a page that refuses keeps the sheet open, showing it) and then
// to store them, and only then is the copy taken.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "image/Geometry.h"
#include "settings/Preferences.h"

class QTabWidget;

namespace xelo {

class CPrefPage : public QWidget {
    Q_OBJECT

  public:
    explicit CPrefPage(CPreferences& working, QWidget* parent = nullptr)
        : QWidget(parent), working_(working) {}
    // False, with the reason shown and the focus on the field, to keep the sheet open.
    virtual bool Validate() { return true; }
    // Writes the controls into the working copy.
    virtual void Store() = 0;

  protected:
    CPreferences& working_;
};

class CPrefSheet : public QDialog {
    Q_OBJECT

  public:
    // Pages are added by the caller; `prefs` is copied and written back only on OK.
    CPrefSheet(const CPreferences& prefs, QWidget* parent = nullptr);
    CPreferences& Working() { return working_; }
    // Adds a page under `title`; the sheet owns it.
    void AddPage(CPrefPage* page, const QString& title);
    void ShowPage(int index);
    int PageCount() const { return static_cast<int>(pages_.size()); }

    void accept() override;

  private:
    CPreferences working_;
    QTabWidget* tabs_;
    std::vector<CPrefPage*> pages_;
};

// The sheet with the pages built so far, opened on page `first`; true when OK stored `prefs`.
bool EditOptions(CPreferences& prefs, Size screen, QWidget* parent, int first,
                 const std::function<int(QDialog&)>& run);

}  // namespace xelo
