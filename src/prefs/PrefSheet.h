// CPrefSheet: the Options sheet. Its pages edit a working copy of the preferences; OK asks
// every page to check its fields (a page that refuses keeps the sheet open, showing it) and then
// to store them, and only then is the copy taken.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "image/Geometry.h"
#include "settings/Preferences.h"
#include "settings/ThumbnailOptions.h"

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
    // Adds a page under `title`, with the help of dialog template `helpTemplate`; the sheet
    // owns it.
    void AddPage(CPrefPage* page, const QString& title, int helpTemplate = 0);
    void ShowPage(int index);
    void ShowPage(const CPrefPage* page);
    int PageCount() const { return static_cast<int>(pages_.size()); }
    const CPrefPage* CurrentPage() const;

    void accept() override;

  private:
    CPreferences working_;
    QTabWidget* tabs_;
    std::vector<CPrefPage*> pages_;
    std::vector<int> helpTemplates_;
};

// The pages a view mode opens the sheet on.
enum class OptionsPage { kGeneral, kSlideShow, kFrame };
// The page the sheet opens on in view mode `mode`: Slide Show during a show, Frame in Full
// Screen, else the first.
OptionsPage FirstOptionsPage(int mode);

// What the sheet needs from the window around it.
struct OptionsContext {
    Size screen;
    int mode = 0;  // the view mode
    // Runs the Thumbnails and Colors dialog; true when confirmed.
    std::function<bool(ThumbnailOptions& options, QWidget* parent)> editThumbnails;
};

// The sheet with every page, opened on the mode's page and run by `run`; true when OK stored
// `prefs`.
bool EditOptions(CPreferences& prefs, const OptionsContext& context, QWidget* parent,
                 const std::function<int(QDialog&)>& run);

}  // namespace xelo
