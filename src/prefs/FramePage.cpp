#include "prefs/FramePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/MessageBox.h"
#include "prefs/PrefTexts.h"
#include "prefs/TextOptionsDialog.h"
#include "slideshow/PictureFrames.h"

namespace xelo {

CFramePage::CFramePage(CPreferences& working, Size screen, QWidget* parent)
    : CPrefPage(working, parent), screen_(screen) {
    const PreferencesBlock& b = working.preferences;
    fullScreen_ = new QCheckBox(PrefString(kStrFramesFullScreen), this);
    fullScreen_->setChecked(b.IsSet(pref::kFramesFullScreen));
    slideShow_ = new QCheckBox(PrefString(kStrFramesSlideShow), this);
    slideShow_->setChecked(b.IsSet(pref::kFramesSlideShow));
    multiple_ = new QRadioButton(PrefString(kStrMultipleFrames), this);
    single_ = new QRadioButton(PrefString(kStrSingleFrame), this);
    (b.IsSet(pref::kSingleFrameFile) ? single_ : multiple_)->setChecked(true);
    folder_ = new QLineEdit(QString::fromStdString(working.framePath), this);
    apply_ = new QComboBox(this);
    FillFromList(apply_, kStrApplyList);
    apply_->setCurrentIndex(b.IsSet(pref::kRandomFrames) ? 1 : 0);
    file_ = new QLineEdit(QString::fromStdString(working.frameFile), this);
    auto* changeFolder = new QPushButton(PrefString(kStrChange), this);
    auto* changeFile = new QPushButton(PrefString(kStrChange), this);
    connect(changeFolder, &QPushButton::clicked, this, [this] {
        const QString chosen =
            QFileDialog::getExistingDirectory(this, PrefString(kStrFrameFolderTitle), folder_->text());
        if (!chosen.isEmpty()) folder_->setText(chosen);
    });
    connect(changeFile, &QPushButton::clicked, this, [this] {
        const QString chosen = QFileDialog::getOpenFileName(this, PrefString(kStrFrameFile),
                                                            file_->text(), PrefString(kStrGifFilter));
        if (!chosen.isEmpty()) file_->setText(chosen);
    });
    auto* form = new QFormLayout(this);
    form->addRow(fullScreen_);
    form->addRow(slideShow_);
    form->addRow(multiple_);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folder_);
    folderRow->addWidget(changeFolder);
    form->addRow(PrefString(kStrFolderLocation), folderRow);
    form->addRow(PrefString(kStrApplyFrames), apply_);
    form->addRow(single_);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file_);
    fileRow->addWidget(changeFile);
    form->addRow(PrefString(kStrFrameFile), fileRow);
}

bool CFramePage::Validate() {
    if (!fullScreen_->isChecked() && !slideShow_->isChecked()) return true;
    if (single_->isChecked()) {
        const QFileInfo info(file_->text());
        if (info.isFile() && CPictureFrames::Suitable(file_->text().toStdString(), screen_)) {
            return true;
        }
        ShowMessage(this, FormatString(kStrFrameFileTooLarge, screen_.width, screen_.height));
        file_->setFocus();
        return false;
    }
    if (QFileInfo(folder_->text()).isDir()) return true;
    ShowMessage(this, FormatString(kStrFrameFolderTooLarge, screen_.width, screen_.height));
    folder_->setFocus();
    return false;
}

void CFramePage::Store() {
    PreferencesBlock& b = working_.preferences;
    b.Set(pref::kFramesFullScreen, fullScreen_->isChecked() ? 1u : 0u);
    b.Set(pref::kFramesSlideShow, slideShow_->isChecked() ? 1u : 0u);
    b.Set(pref::kSingleFrameFile, single_->isChecked() ? 1u : 0u);
    b.Set(pref::kRandomFrames, apply_->currentIndex() == 1 ? 1u : 0u);
    working_.framePath = folder_->text().toStdString();
    working_.frameFile = file_->text().toStdString();
}

}  // namespace xelo
