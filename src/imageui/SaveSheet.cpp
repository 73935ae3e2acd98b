// The save sheet.
#include "imageui/SaveSheet.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "album/TavoDoc.h"
#include "imageui/ImageStepper.h"
#include "platform/DialogPrompt.h"
#include "platform/HelpTopics.h"

namespace xelo {

CSaveSheet::CSaveSheet(CTavoDoc& doc, int index, SaveSheetState& state, Size screen, Page page,
                       std::function<int(QDialog&)> runDialog,
                       std::function<void()> sourceReplaced, QWidget* parent)
    : QDialog(parent),
      doc_(doc),
      state_(state),
      screen_(screen),
      runDialog_(std::move(runDialog)),
      sourceReplaced_(std::move(sourceReplaced)) {
    setObjectName(QStringLiteral("SaveSheet"));
    setWindowTitle(tr("Crop, Resize and Convert"));
    auto* column = new QVBoxLayout(this);
    stepper_ = new CImageStepper(doc, index, this);
    column->addWidget(stepper_);
    output_ = new QLabel(this);
    output_->setObjectName(QStringLiteral("outputName"));
    output_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    output_->setWordWrap(true);
    column->addWidget(output_);

    const RunAction run = [this](SaveAction action, bool all) { Run(action, all); };
    pages_ = new QTabWidget(this);
    auto* format = new CFormatPage(state_, run, pages_);
    auto* location = new CLocationPage(state_, doc.CurrentFolder(), run, pages_);
    resize_ = new CResizePage(state_, screen, run, pages_);
    crop_ = new CCropPage(state_, run, pages_);
    pages_->addTab(format, tr("&Format"));
    pages_->addTab(location, tr("&Location"));
    pages_->addTab(resize_, tr("&Resize"));
    pages_->addTab(crop_, tr("&Crop"));
    column->addWidget(pages_, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    AttachHelp(
        this,
        [this] {
            switch (pages_->currentIndex()) {
                case kResizePage:
                    return kHelpResize;
                case kCropPage:
                    return kHelpCrop;
                default:
                    return kHelpConvert;
            }
        },
        buttons);
    column->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(format, &CFormatPage::changed, this, &CSaveSheet::ShowOutputName);
    connect(location, &CLocationPage::changed, this, &CSaveSheet::ShowOutputName);
    connect(stepper_, &CImageStepper::indexChanged, this, &CSaveSheet::ImageChanged);
    pages_->setCurrentIndex(page);
    resize(520, 520);
    ImageChanged();
}

void CSaveSheet::ImageChanged() {
    const CImageEntry* entry = stepper_->Entry();
    const Size size = entry ? Size{entry->Header().width, entry->Header().height} : Size{};
    resize_->SetImage(size);
    crop_->SetImage(size);
    ShowOutputName();
}

void CSaveSheet::ShowOutputName() {
    const CImageEntry* entry = stepper_->Entry();
    SaveRequest request;
    request.options = state_.options;
    request.destination = state_.destination;
    request.appendage = state_.appendage;
    output_->setText(entry ? QString::fromStdString(OutputPath(doc_, *entry, request)) : QString());
}

void CSaveSheet::Run(SaveAction action, bool all) {
    if (stepper_->Entry() == nullptr) return;
    SaveRequest request;
    request.action = action;
    request.options = state_.options;
    request.destination = state_.destination;
    request.appendage = state_.appendage;
    request.preset = state_.preset;
    request.userSize = state_.userSize;
    request.crop = state_.crop;
    request.screen = screen_;
    CDialogPrompt prompt(this, runDialog_);
    SaveReport report;
    if (!all) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        report = SaveCurrent(doc_, stepper_->Index(), request, prompt);
        QApplication::restoreOverrideCursor();
    } else {
        // Several selected images are the batch; otherwise the whole album.
        std::vector<int> indices = doc_.SelectedIndices();
        if (indices.size() < 2) {
            indices.clear();
            for (int i = 0; i < doc_.Count(); ++i) indices.push_back(i);
        }
        QProgressDialog progress(this);
        progress.setObjectName(QStringLiteral("SaveProgress"));
        progress.setWindowTitle(windowTitle());
        progress.setRange(0, static_cast<int>(indices.size()));
        progress.setMinimumDuration(300);
        progress.setWindowModality(Qt::WindowModal);
        report = SaveBatch(doc_, indices, request, prompt,
                           [&progress](int done, int total, const std::string& name) {
                               progress.setValue(done);
                               progress.setLabelText(
                                   tr("%1 of %2: %3")
                                       .arg(std::min(done + 1, total))
                                       .arg(total)
                                       .arg(QString::fromStdString(name)));
                               QApplication::processEvents();
                               return !progress.wasCanceled();
                           },
                           DefaultSaveWorkers());
    }
    if (report.sourceReplaced && sourceReplaced_) sourceReplaced_();
    stepper_->Refresh();
    ShowOutputName();
}

}  // namespace xelo
