// The Reorder dialog.
#include "frame/ReorderDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "album/FolderEnum.h"
#include "album/ImageEntry.h"
#include "album/Ordering.h"
#include "base/StringTable.h"
#include "codec/ImageFile.h"
#include "image/DibImage.h"
#include "image/TavoException.h"
#include "platform/HelpTopics.h"
#include "views/CellPainter.h"

namespace xelo {

namespace {

constexpr uint32_t kStrColumns = 2467;      // "Order|Filename|"
constexpr uint32_t kStrTitle = 2645;        // "Reorder"
constexpr uint32_t kStrMoveButtons = 2646;  // "First|Up|Down|Last|"
constexpr int kMinOrderWidth = 40;
constexpr QSize kPreviewSize(160, 120);

}  // namespace

CReorderDialog::CReorderDialog(std::vector<CImageEntry*> order, std::string folder, QWidget* parent)
    : QDialog(parent), order_(std::move(order)), folder_(std::move(folder)) {
    setWindowTitle(QString::fromStdString(LoadString(kStrTitle)));
    auto* grid = new QGridLayout(this);
    preview_ = new QLabel(this);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setFixedSize(kPreviewSize);
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setFrameShape(QFrame::StyledPanel);
    grid->addWidget(preview_, 0, 0, Qt::AlignHCenter);

    list_ = new QTreeWidget(this);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    const std::string columns = LoadString(kStrColumns);
    list_->setHeaderLabels({QString::fromStdString(FieldItem(columns, 0)),
                            QString::fromStdString(FieldItem(columns, 1))});
    const QFontMetrics metrics = list_->header()->fontMetrics();
    list_->setColumnWidth(
        0, std::max(kMinOrderWidth, metrics.horizontalAdvance(list_->headerItem()->text(0)) + 16));
    list_->header()->setStretchLastSection(true);
    grid->addWidget(list_, 1, 0);

    auto* moves = new QVBoxLayout;
    const std::string captions = LoadString(kStrMoveButtons);
    int (*const steps[])(std::vector<CImageEntry*>&, int) = {MoveToFirst, MoveUp, MoveDown,
                                                             MoveToLast};
    for (int i = 0; i < 4; ++i) {
        auto* button = new QPushButton(QString::fromStdString(FieldItem(captions, i)), this);
        button->setObjectName(QString::fromStdString(FieldItem(captions, i)));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, step = steps[i]] { Move(step); });
        moves->addWidget(button);
    }
    moves->addStretch(1);
    grid->addLayout(moves, 1, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    AttachHelp(this, kHelpReorder, buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 2, 0, 1, 2);

    ShowNames();
    connect(list_, &QTreeWidget::currentItemChanged, this, [this] { ShowPreview(); });
    Select(0);
    list_->setFocus();
    resize(360, 420);
}

int CReorderDialog::SelectedRow() const {
    return list_->indexOfTopLevelItem(list_->currentItem());
}

void CReorderDialog::ShowNames() {
    list_->clear();
    for (size_t i = 0; i < order_.size(); ++i) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(0, QString::number(i + 1));
        item->setText(1, QString::fromStdString(order_[i]->Name()));
    }
}

void CReorderDialog::Move(int (*step)(std::vector<CImageEntry*>&, int)) {
    const int row = SelectedRow();
    if (row < 0) return;
    const int to = step(order_, row);
    if (to == row) return;
    // The Order column keeps counting 1..n; only the names move.
    for (int i = std::min(row, to); i <= std::max(row, to); ++i)
        list_->topLevelItem(i)->setText(1, QString::fromStdString(order_[i]->Name()));
    Select(to);
}

void CReorderDialog::Select(int row) {
    QTreeWidgetItem* item = list_->topLevelItem(row);
    if (!item) return;
    list_->setCurrentItem(item);
    list_->scrollToItem(item);
}

void CReorderDialog::ShowPreview() {
    const int row = SelectedRow();
    preview_->clear();
    if (row < 0 || row >= static_cast<int>(order_.size())) return;
    try {
        CDibImage image;
        CImageFile file;
        file.ReadThumbnail(JoinPath(folder_, order_[row]->Name()), image, kPreviewSize.width() - 4,
                           kPreviewSize.height() - 4);
        preview_->setPixmap(QPixmap::fromImage(WrapDib(image).copy()));
    } catch (const CTavoException&) {
        // An unreadable image simply shows no preview.
    }
}

}  // namespace xelo
