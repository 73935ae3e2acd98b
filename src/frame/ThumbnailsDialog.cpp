// The dialog's controls; it changes nothing itself: the command stores what it returns.
#include "frame/ThumbnailsDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/StringTable.h"
#include "image/Palette.h"
#include "platform/HelpTopics.h"
#include "platform/UiText.h"
#include "views/CellPainter.h"

namespace xelo {

namespace {

constexpr uint32_t kStrTitle = 1109;
constexpr uint32_t kStrSizes = 2479;
constexpr uint32_t kStrFrames = 2501;
constexpr uint32_t kStrSizeLabel = 2485;
constexpr uint32_t kStrFrameLabel = 2486;
constexpr uint32_t kStrShowFileName = 2487;
constexpr uint32_t kStrShowIndex = 2488;
constexpr uint32_t kStrFitPreview = 2489;
constexpr uint32_t kStrPreviewLabel = 2490;
constexpr uint32_t kStrThumbnailLabel = 2491;
constexpr uint32_t kStrImageLabel = 2492;
constexpr uint32_t kStrPickPreview = 2493;
constexpr uint32_t kStrPickThumbnail = 2494;
constexpr uint32_t kStrPickImage = 2495;
constexpr uint32_t kStrReset = 2496;
constexpr uint32_t kStrDiskCache = 2497;

void Fill(QComboBox* box, uint32_t listId) {
    const std::string list = LoadString(listId);
    for (int i = 0;; ++i) {
        const std::string item = FieldItem(list, i);
        if (item.empty()) break;
        box->addItem(QString::fromStdString(item));
    }
}

uint32_t FromQColor(const QColor& c) {
    return MakeColour(static_cast<uint8_t>(c.red()), static_cast<uint8_t>(c.green()),
                      static_cast<uint8_t>(c.blue()));
}

}  // namespace

CThumbnailsDialog::CThumbnailsDialog(const ThumbnailOptions& options, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(Text(kStrTitle).remove(QStringLiteral("...")));
    auto* form = new QFormLayout;
    size_ = new QComboBox(this);
    Fill(size_, kStrSizes);
    frame_ = new QComboBox(this);
    Fill(frame_, kStrFrames);
    form->addRow(Text(kStrSizeLabel), size_);
    form->addRow(Text(kStrFrameLabel), frame_);
    showFileName_ = new QCheckBox(Text(kStrShowFileName), this);
    showIndex_ = new QCheckBox(Text(kStrShowIndex), this);
    fitPreview_ = new QCheckBox(Text(kStrFitPreview), this);
    form->addRow(showFileName_);
    form->addRow(showIndex_);
    form->addRow(fitPreview_);
    diskCache_ = new QCheckBox(Text(kStrDiskCache), this);
    form->addRow(diskCache_);
    preview_ = new QPushButton(Text(kStrPickPreview), this);
    thumbnail_ = new QPushButton(Text(kStrPickThumbnail), this);
    image_ = new QPushButton(Text(kStrPickImage), this);
    form->addRow(Text(kStrPreviewLabel), preview_);
    form->addRow(Text(kStrThumbnailLabel), thumbnail_);
    form->addRow(Text(kStrImageLabel), image_);
    connect(preview_, &QPushButton::clicked, this,
            [this] { PickColour(previewColour_, preview_); });
    connect(thumbnail_, &QPushButton::clicked, this,
            [this] { PickColour(thumbnailColour_, thumbnail_); });
    connect(image_, &QPushButton::clicked, this, [this] { PickColour(imageColour_, image_); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    AttachHelp(this, kHelpThumbnails, buttons);
    QPushButton* reset = buttons->addButton(Text(kStrReset), QDialogButtonBox::ResetRole);
    connect(reset, &QPushButton::clicked, this,
            [this] { SetOptions(ThumbnailOptions::Defaults()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(buttons);
    SetOptions(options);
}

void CThumbnailsDialog::SetOptions(const ThumbnailOptions& o) {
    size_->setCurrentIndex(o.size);
    frame_->setCurrentIndex(std::min(o.frame, 4));
    showFileName_->setChecked(o.showFileName);
    showIndex_->setChecked(o.showIndex);
    fitPreview_->setChecked(o.fitPreview);
    diskCache_->setChecked(o.diskCache);
    previewColour_ = o.previewColour;
    thumbnailColour_ = o.thumbnailColour;
    imageColour_ = o.imageColour;
    ShowColour(preview_, previewColour_);
    ShowColour(thumbnail_, thumbnailColour_);
    ShowColour(image_, imageColour_);
}

ThumbnailOptions CThumbnailsDialog::Options() const {
    ThumbnailOptions o;
    o.size = size_->currentIndex();
    o.frame = frame_->currentIndex();
    o.showFileName = showFileName_->isChecked();
    o.showIndex = showIndex_->isChecked();
    o.fitPreview = fitPreview_->isChecked();
    o.diskCache = diskCache_->isChecked();
    o.previewColour = previewColour_;
    o.thumbnailColour = thumbnailColour_;
    o.imageColour = imageColour_;
    return o;
}

void CThumbnailsDialog::PickColour(uint32_t& colour, QPushButton* button) {
    const QColor picked = QColorDialog::getColor(ToQColor(colour), this, button->text());
    if (!picked.isValid()) return;
    colour = FromQColor(picked);
    ShowColour(button, colour);
}

void CThumbnailsDialog::ShowColour(QPushButton* button, uint32_t colour) {
    QPixmap swatch(14, 14);
    swatch.fill(ToQColor(colour));
    button->setIcon(QIcon(swatch));
}

}  // namespace xelo
