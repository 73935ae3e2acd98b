// The criteria dialog; the search itself runs in the Find window.
#include "views/FindDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/StringTable.h"
#include "platform/HelpTopics.h"
#include "platform/UiText.h"

namespace xelo {

namespace {

constexpr uint32_t kStrTitle = 2706;
constexpr uint32_t kStrName = 2707;
constexpr uint32_t kStrMetadata = 2708;
constexpr uint32_t kStrSize = 2709;
constexpr uint32_t kStrType = 2710;
constexpr uint32_t kStrSubfolders = 2711;
constexpr uint32_t kStrFolder = 2712;
constexpr uint32_t kStrBrowse = 2717;
constexpr uint32_t kStrBrowsePrompt = 2719;

QComboBox* ListOf(const std::string& labels, int current, const char* name) {
    auto* box = new QComboBox;
    box->setObjectName(QLatin1String(name));
    for (int i = 0;; ++i) {
        const std::string item = FieldItem(labels, i);
        if (item.empty()) break;
        box->addItem(QString::fromStdString(item));
    }
    box->setCurrentIndex(current >= 0 && current < box->count() ? current : 0);
    return box;
}

}  // namespace

CFindDialog::CFindDialog(const FindCriteria& criteria, QWidget* parent) : QDialog(parent) {
    setWindowTitle(Text(kStrTitle));
    name_ = new QLineEdit(QString::fromStdString(criteria.name));
    name_->setObjectName(QStringLiteral("name"));
    metadata_ = new QLineEdit(QString::fromStdString(criteria.metadata));
    metadata_->setObjectName(QStringLiteral("metadata"));
    size_ = ListOf(FindSizeLabels(), criteria.sizeClass, "size");
    type_ = ListOf(FindTypeLabels(), criteria.typeClass, "type");
    subfolders_ = new QCheckBox(Text(kStrSubfolders));
    subfolders_->setObjectName(QStringLiteral("subfolders"));
    subfolders_->setChecked(criteria.subfolders);
    folder_ = new QLineEdit(QString::fromStdString(criteria.folder));
    folder_->setObjectName(QStringLiteral("folder"));
    folder_->setMinimumWidth(fontMetrics().averageCharWidth() * 36);
    auto* browse = new QPushButton(Text(kStrBrowse));
    connect(browse, &QPushButton::clicked, this, &CFindDialog::Browse);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folder_, 1);
    folderRow->addWidget(browse);

    auto* form = new QFormLayout;
    form->addRow(Text(kStrName), name_);
    form->addRow(Text(kStrMetadata), metadata_);
    form->addRow(Text(kStrSize), size_);
    form->addRow(Text(kStrType), type_);
    form->addRow(QString(), subfolders_);
    form->addRow(Text(kStrFolder), folderRow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    AttachHelp(this, kHelpFind, buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(buttons);
    name_->setFocus();
}

FindCriteria CFindDialog::Criteria() const {
    FindCriteria c;
    c.name = name_->text().toStdString();
    c.metadata = metadata_->text().toStdString();
    c.sizeClass = size_->currentIndex();
    c.typeClass = type_->currentIndex();
    c.subfolders = subfolders_->isChecked();
    c.folder = folder_->text().trimmed().toStdString();
    return c;
}

void CFindDialog::Browse() {
    const QString chosen =
        QFileDialog::getExistingDirectory(this, Text(kStrBrowsePrompt), folder_->text());
    if (!chosen.isEmpty()) folder_->setText(chosen);
}

}  // namespace xelo
