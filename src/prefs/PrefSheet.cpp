#include "prefs/PrefSheet.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "base/StringTable.h"
#include "base/ViewModes.h"
#include "output/OutputPlugins.h"
#include "platform/HelpTopics.h"
#include "prefs/FramePage.h"
#include "prefs/GeneralPage.h"
#include "prefs/MiscPage.h"
#include "prefs/PrefTexts.h"
#include "prefs/SlidePage.h"
#include "prefs/VgaPage.h"

namespace xelo {

CPrefSheet::CPrefSheet(const CPreferences& prefs, QWidget* parent)
    : QDialog(parent), working_(prefs), tabs_(new QTabWidget(this)) {
    setWindowTitle(QString::fromStdString(LoadString(kStrOptions)));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    AttachHelp(
        this,
        [this] {
            const int index = tabs_->currentIndex();
            return index >= 0 ? helpTemplates_[static_cast<size_t>(index)] : 0;
        },
        buttons);
}

void CPrefSheet::AddPage(CPrefPage* page, const QString& title, int helpTemplate) {
    pages_.push_back(page);
    helpTemplates_.push_back(helpTemplate);
    tabs_->addTab(page, title);
}

void CPrefSheet::ShowPage(int index) {
    if (index >= 0 && index < tabs_->count()) tabs_->setCurrentIndex(index);
}

void CPrefSheet::ShowPage(const CPrefPage* page) {
    const auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it != pages_.end()) ShowPage(static_cast<int>(it - pages_.begin()));
}

const CPrefPage* CPrefSheet::CurrentPage() const {
    const int index = tabs_->currentIndex();
    return index >= 0 ? pages_[static_cast<size_t>(index)] : nullptr;
}

void CPrefSheet::accept() {
    for (size_t i = 0; i < pages_.size(); ++i) {
        if (!pages_[i]->Validate()) {
            tabs_->setCurrentIndex(static_cast<int>(i));
            return;
        }
    }
    for (CPrefPage* page : pages_)
        page->Store();
    QDialog::accept();
}

OptionsPage FirstOptionsPage(int mode) {
    if (mode == kModeSlideShowView || mode == kModeVgaSlideShow) return OptionsPage::kSlideShow;
    if (mode == kModeFullScreen) return OptionsPage::kFrame;
    return OptionsPage::kGeneral;
}

bool EditOptions(CPreferences& prefs, const OptionsContext& context, QWidget* parent,
                 const std::function<int(QDialog&)>& run) {
    CPrefSheet sheet(prefs, parent);
    CPreferences& working = sheet.Working();
    auto* general = new CGeneralPage(working, context.editThumbnails, &sheet);
    auto* slide = new CSlidePage(working, &sheet);
    auto* frame = new CFramePage(working, context.screen, &sheet);
    sheet.AddPage(general, PrefString(kStrGeneralPage), kHelpGeneralPage);
    sheet.AddPage(slide, PrefString(kStrSlidePage), kHelpSlidePage);
    sheet.AddPage(frame, PrefString(kStrFramePage), kHelpFramePage);
    sheet.AddPage(new CVOESlidePage(working, output::OutputPlugins(), &sheet), PrefString(kStrVgaPage),
                  kHelpVgaPage);
    sheet.AddPage(new CMiscPage(working, &sheet), PrefString(kStrMiscPage), kHelpMiscPage);
    switch (FirstOptionsPage(context.mode)) {
        case OptionsPage::kGeneral:
            sheet.ShowPage(general);
            break;
        case OptionsPage::kSlideShow:
            sheet.ShowPage(slide);
            break;
        case OptionsPage::kFrame:
            sheet.ShowPage(frame);
            break;
    }
    if (run(sheet) != QDialog::Accepted) return false;
    prefs = sheet.Working();
    return true;
}

}  // namespace xelo
