// The preview and stepping bar of the image sheets.
#include "imageui/ImageStepper.h"

#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <algorithm>

#include "album/TavoDoc.h"
#include "codec/ImageFile.h"
#include "image/Resampler.h"
#include "image/TavoException.h"
#include "views/CellPainter.h"

namespace xelo {

namespace {
constexpr int kThumbWidth = 96;
constexpr int kThumbHeight = 72;
}  // namespace

bool SheetThumbnail(const CTavoDoc& doc, const CImageEntry& entry, CDibImage& thumbnail) {
    thumbnail.Release();
    if (entry.Has(kEntryThumbnail) && !entry.thumbnail.IsEmpty() &&
        entry.thumbnail.Width() <= kThumbWidth && entry.thumbnail.Height() <= kThumbHeight) {
        // Taken as 3-byte pixels whatever the thumbnail's depth and padding.
        const CDibImage& source = entry.thumbnail;
        thumbnail.Create(source.Width(), source.Height(), 3, false);
        if (!Resample24(source.Bits(), source.Width(), source.Height(), source.RowPad(),
                        source.BytesPerPixel(), source.Palette(), thumbnail.Bits(),
                        thumbnail.Width(), thumbnail.Height(), thumbnail.RowPad())) {
            thumbnail.Release();
            return false;
        }
        return true;
    }
    try {
        CImageFile().ReadThumbnail(JoinPath(doc.CurrentFolder(), entry.Name()), thumbnail,
                                   kThumbWidth, kThumbHeight);
        thumbnail.ConvertToTrueColour();
        return !thumbnail.IsEmpty();
    } catch (const CTavoException&) {
        thumbnail.Release();
        return false;
    }
}

CImageStepper::CImageStepper(CTavoDoc& doc, int index, QWidget* parent)
    : QWidget(parent), doc_(doc), index_(index) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    preview_ = new QLabel(this);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setFixedSize(kThumbWidth + 4, kThumbHeight + 4);
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setFrameShape(QFrame::StyledPanel);
    grid->addWidget(preview_, 0, 0, 4, 1);
    name_ = new QLabel(this);
    name_->setObjectName(QStringLiteral("fileName"));
    name_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(name_, 0, 1, 1, 4);
    grid->addWidget(new QLabel(tr("Width:"), this), 1, 1);
    width_ = new QLabel(this);
    grid->addWidget(width_, 1, 2);
    grid->addWidget(new QLabel(tr("(Pixels)"), this), 1, 3);
    grid->addWidget(new QLabel(tr("Height:"), this), 2, 1);
    height_ = new QLabel(this);
    grid->addWidget(height_, 2, 2);
    grid->addWidget(new QLabel(tr("(Pixels)"), this), 2, 3);
    previous_ = new QPushButton(QStringLiteral("<"), this);
    previous_->setObjectName(QStringLiteral("previous"));
    previous_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    previous_->setToolTip(tr("Previous image (Alt+Left)"));
    next_ = new QPushButton(QStringLiteral(">"), this);
    next_->setObjectName(QStringLiteral("next"));
    next_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    next_->setToolTip(tr("Next image (Alt+Right)"));
    for (QPushButton* b : {previous_, next_}) b->setFixedWidth(36);
    grid->addWidget(previous_, 3, 1);
    grid->addWidget(next_, 3, 2);
    grid->setColumnStretch(4, 1);
    connect(previous_, &QPushButton::clicked, this, [this] { SetIndex(index_ - 1); });
    connect(next_, &QPushButton::clicked, this, [this] { SetIndex(index_ + 1); });
    index_ = std::clamp(index_, 0, std::max(doc_.Count() - 1, 0));
    Refresh();
}

CImageEntry* CImageStepper::Entry() const {
    return doc_.EntryAt(index_);
}

void CImageStepper::SetIndex(int index) {
    index = std::clamp(index, 0, std::max(doc_.Count() - 1, 0));
    if (index == index_) return;
    index_ = index;
    Refresh();
    emit indexChanged(index_);
}

void CImageStepper::Refresh() {
    previous_->setEnabled(index_ > 0);
    next_->setEnabled(index_ + 1 < doc_.Count());
    const CImageEntry* entry = Entry();
    if (entry == nullptr) {
        name_->clear();
        width_->clear();
        height_->clear();
        preview_->clear();
        return;
    }
    name_->setText(QString::fromStdString(entry->Name()));
    width_->setText(QString::number(entry->Header().width));
    height_->setText(QString::number(entry->Header().height));
    CDibImage thumbnail;
    if (SheetThumbnail(doc_, *entry, thumbnail)) {
        preview_->setPixmap(QPixmap::fromImage(WrapDib(thumbnail).copy()));
    } else {
        preview_->setText(QStringLiteral("?"));
    }
}

}  // namespace xelo
