#include "frame/FileAssociationDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "base/StringTable.h"
#include "platform/HelpTopics.h"
#include "settings/FileAssociation.h"

namespace xelo {

namespace {

constexpr uint32_t kStrBitmapFiles = 1070;
constexpr uint32_t kStrJpegFiles = 1073;
constexpr uint32_t kStrGifFiles = 1075;
constexpr uint32_t kStrTitle = 30011;

struct TypeGroup {
    uint32_t textId;  // 0: `text` stands
    const char* text;
    std::vector<const char*> mimeTypes;  // the first decides whether the box starts checked
};

const std::vector<TypeGroup>& TypeGroups() {
    static const std::vector<TypeGroup> groups = {
        {kStrBitmapFiles, nullptr, {"image/bmp"}},
        {kStrJpegFiles, nullptr, {"image/jpeg"}},
        {kStrGifFiles, nullptr, {"image/gif"}},
        {0, "PNG files (*.png)", {"image/png"}},
        {0, "WebP files (*.webp)", {"image/webp"}},
        {0,
         "HEIC and AVIF files (*.heic; *.heif; *.avif)",
         {"image/heic", "image/heif", "image/avif"}},
        {0, "TIFF files (*.tif; *.tiff)", {"image/tiff"}},
    };
    return groups;
}

// The Windows-only extensions of the old texts are not types the desktop knows.
QString GroupText(const TypeGroup& g) {
    if (!g.textId) return QString::fromLatin1(g.text);
    QString text = QString::fromStdString(LoadString(g.textId));
    return text.remove(QStringLiteral("; *.2bp")).remove(QStringLiteral("; *.giff"));
}

}  // namespace

CFileAssociationDialog::CFileAssociationDialog(const CFileAssociation& association,
                                               int openImageMode, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QString::fromStdString(LoadString(kStrTitle)).remove(QStringLiteral("...")));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Open these files with Xelo Album:"), this));
    for (const TypeGroup& g : TypeGroups()) {
        auto* box = new QCheckBox(GroupText(g), this);
        box->setChecked(association.IsClaimed(g.mimeTypes.front()));
        layout->addWidget(box);
        groups_.push_back(box);
    }
    mode_ = new QComboBox(this);
    mode_->addItems({tr("Filmstrip mode"), tr("Full Screen mode")});
    mode_->setCurrentIndex(openImageMode == 4 ? 1 : 0);
    auto* form = new QFormLayout;
    form->addRow(tr("Start program in:"), mode_);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    AttachHelp(this, kHelpFileAssociation, buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    groups_.front()->setFocus();
}

void CFileAssociationDialog::Apply(CFileAssociation& association) const {
    std::vector<std::string> claim;
    std::vector<std::string> release;
    for (size_t i = 0; i < groups_.size(); ++i) {
        auto& list = groups_[i]->isChecked() ? claim : release;
        for (const char* type : TypeGroups()[i].mimeTypes)
            list.emplace_back(type);
    }
    association.Release(release);
    association.Claim(claim);
}

int CFileAssociationDialog::OpenImageMode() const {
    return mode_->currentIndex() == 1 ? 4 : 3;
}

}  // namespace xelo
