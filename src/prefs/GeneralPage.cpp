#include "prefs/GeneralPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "prefs/PrefTexts.h"
#include "prefs/TextOptionsDialog.h"

namespace xelo {

namespace {

QComboBox* DropList(uint32_t listId, uint32_t value, const char* name, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    FillFromList(combo, listId);
    // A value the list does not hold (a damaged block) shows the first item.
    combo->setCurrentIndex(value < static_cast<uint32_t>(combo->count()) ? static_cast<int>(value)
                                                                         : 0);
    return combo;
}

QCheckBox* CheckBox(uint32_t text, bool on, const char* name, QWidget* parent) {
    auto* box = new QCheckBox(PrefString(text), parent);
    box->setObjectName(QLatin1String(name));
    box->setChecked(on);
    return box;
}

uint32_t Chosen(const QComboBox* combo) {
    return static_cast<uint32_t>(std::max(combo->currentIndex(), 0));
}

uint32_t Bit(const QAbstractButton* button) {
    return button->isChecked() ? 1u : 0u;
}

}  // namespace

CGeneralPage::CGeneralPage(CPreferences& working, ThumbnailEditor editThumbnails, QWidget* parent)
    : CPrefPage(working, parent), editThumbnails_(std::move(editThumbnails)) {
    const PreferencesBlock& b = working.preferences;
    animationSpeed_ =
        DropList(kStrAnimationSpeedList, b.Get(pref::kGifSpeed), "animationSpeed", this);
    defaultZoom_ = DropList(kStrDefaultZoomList, b.Get(pref::kDefaultZoom), "defaultZoom", this);
    colourOptimisation_ = DropList(kStrColourOptimisationList, b.Get(pref::kColourOptimisation),
                                   "colourOptimisation", this);
    startMode_ = DropList(kStrStartModeList, b.Get(pref::kStartMode), "startMode", this);
    rotateLeft_ = new QRadioButton(PrefString(kStrLeft), this);
    rotateLeft_->setObjectName(QStringLiteral("rotateLeft"));
    rotateRight_ = new QRadioButton(PrefString(kStrRight), this);
    rotateRight_->setObjectName(QStringLiteral("rotateRight"));
    (b.IsSet(pref::kAutoRotateLeft) ? rotateLeft_ : rotateRight_)->setChecked(true);
    home_ = new QLineEdit(QString::fromStdString(working.home), this);
    home_->setObjectName(QStringLiteral("home"));
    auto* change = new QPushButton(PrefString(kStrChange), this);
    hideToolBar_ = CheckBox(kStrHideToolBarFullScreen, b.IsSet(pref::kHideToolBarFullScreen),
                            "hideToolBar", this);
    upDownBrowse_ = CheckBox(kStrUpDownBrowse, b.IsSet(pref::kUpDownBrowse), "upDownBrowse", this);
    cameraOrientation_ =
        CheckBox(kStrCameraOrientation, working.cameraOrientation, "cameraOrientation", this);
    auto* thumbnails = new QPushButton(PrefString(kStrThumbnailsButton), this);
    thumbnails->setEnabled(static_cast<bool>(editThumbnails_));

    askFolder = [this](const QString& current) {
        return QFileDialog::getExistingDirectory(this, PrefString(kStrNewHomePrompt), current);
    };
    connect(change, &QPushButton::clicked, this, [this] {
        const QString chosen = askFolder(home_->text());
        if (!chosen.isEmpty()) home_->setText(chosen);
    });
    connect(thumbnails, &QPushButton::clicked, this, [this] {
        ThumbnailOptions options = thumbnails_.value_or(ThumbnailOptions::Read(working_));
        if (editThumbnails_(options, this)) thumbnails_ = options;
    });

    auto* form = new QFormLayout(this);
    form->addRow(PrefString(kStrAnimationSpeed), animationSpeed_);
    form->addRow(PrefString(kStrDefaultZoom), defaultZoom_);
    form->addRow(PrefString(kStrColourOptimisation), colourOptimisation_);
    form->addRow(PrefString(kStrStartMode), startMode_);
    auto* rotateRow = new QHBoxLayout;
    rotateRow->addWidget(rotateLeft_);
    rotateRow->addWidget(rotateRight_);
    rotateRow->addStretch(1);
    form->addRow(PrefString(kStrAutoRotate), rotateRow);
    auto* homeRow = new QHBoxLayout;
    homeRow->addWidget(home_, 1);
    homeRow->addWidget(change);
    form->addRow(PrefString(kStrHome), homeRow);
    form->addRow(hideToolBar_);
    form->addRow(upDownBrowse_);
    form->addRow(cameraOrientation_);
    form->addRow(thumbnails);
}

void CGeneralPage::Store() {
    PreferencesBlock& b = working_.preferences;
    b.Set(pref::kGifSpeed, Chosen(animationSpeed_));
    b.Set(pref::kDefaultZoom, Chosen(defaultZoom_));
    b.Set(pref::kColourOptimisation, Chosen(colourOptimisation_));
    b.Set(pref::kStartMode, static_cast<uint8_t>(Chosen(startMode_)));
    b.Set(pref::kAutoRotateLeft, Bit(rotateLeft_));
    b.Set(pref::kHideToolBarFullScreen, Bit(hideToolBar_));
    b.Set(pref::kUpDownBrowse, Bit(upDownBrowse_));
    working_.cameraOrientation = cameraOrientation_->isChecked();
    // An emptied home field keeps the home folder: the program always needs one.
    const QString home = home_->text().trimmed();
    if (!home.isEmpty()) working_.home = home.toStdString();
    if (thumbnails_) {
        // A size chosen in the dialog replaces a desktop size the dialog does not list.
        if (thumbnails_->size != ThumbnailOptions::Read(working_).size) working_.desktopSize = 0;
        thumbnails_->Store(working_);
    }
}

}  // namespace xelo
