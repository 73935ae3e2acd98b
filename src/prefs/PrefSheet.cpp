#include "prefs/PrefSheet.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "base/StringTable.h"
#include "prefs/FramePage.h"
#include "prefs/MiscPage.h"
#include "prefs/PrefTexts.h"
#include "prefs/SlidePage.h"
#include "prefs/VgaPage.h"
#include "output/OutputPlugins.h"

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
}

void CPrefSheet::AddPage(CPrefPage* page, const QString& title) {
    pages_.push_back(page);
    tabs_->addTab(page, title);
}

void CPrefSheet::ShowPage(int index) {
    if (index >= 0 && index < tabs_->count()) tabs_->setCurrentIndex(index);
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

bool EditOptions(CPreferences& prefs, Size screen, QWidget* parent, int first,
                 const std::function<int(QDialog&)>& run) {
    CPrefSheet sheet(prefs, parent);
    sheet.AddPage(new CSlidePage(sheet.Working(), &sheet),
                  QString::fromStdString(LoadString(kStrSlidePage)));
    sheet.AddPage(new CFramePage(sheet.Working(), screen, &sheet),
                  QString::fromStdString(LoadString(kStrFramePage)));
    sheet.AddPage(new CVOESlidePage(sheet.Working(), output::OutputPlugins(), &sheet),
                  QString::fromStdString(LoadString(kStrVgaPage)));
    sheet.AddPage(new CMiscPage(sheet.Working(), &sheet), CMiscPage::tr("Misc"));
    sheet.ShowPage(first);
    if (run(sheet) != QDialog::Accepted) return false;
    prefs = sheet.Working();
    return true;
}

}  // namespace xelo
