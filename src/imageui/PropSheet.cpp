// The Image Info sheet.
#include "imageui/PropSheet.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "imageui/ImageStepper.h"
#include "imageui/InfoPages.h"
#include "platform/HelpTopics.h"

namespace xelo {

CPropSheet::CPropSheet(CTavoDoc& doc, int index, std::function<int(QDialog&)> runDialog,
                       QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("PropSheet"));
    setWindowTitle(tr("Image Info"));
    auto* column = new QVBoxLayout(this);
    stepper_ = new CImageStepper(doc, index, this);
    column->addWidget(stepper_);
    pages_ = new QTabWidget(this);
    pages_->addTab(new CImagePage(doc, std::move(runDialog), pages_), tr("&Image"));
    pages_->addTab(new COutputPage(doc, pages_), tr("&Output"));
    pages_->addTab(new CFolderPage(doc, pages_), tr("&Folder"));
    pages_->addTab(new CSystemPage(doc, pages_), tr("S&ystem"));
    pages_->addTab(new CMetaPage(doc, pages_), tr("&Metadata"));
    pages_->addTab(new CHistoPage(doc, pages_), tr("&Histogram"));
    column->addWidget(pages_, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    AttachHelp(this, kHelpImageInfo, buttons);
    column->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(pages_, &QTabWidget::currentChanged, this, &CPropSheet::ShowCurrentPage);
    connect(stepper_, &CImageStepper::indexChanged, this, &CPropSheet::ShowCurrentPage);
    resize(460, 520);
    ShowCurrentPage();
}

void CPropSheet::ShowCurrentPage() {
    if (auto* page = qobject_cast<CInfoPage*>(pages_->currentWidget())) {
        page->ShowImage(stepper_->Index());
    }
}

}  // namespace xelo
