#include "prefs/MiscPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <algorithm>

#include "base/StringTable.h"
#include "settings/PrefLayout.h"
#include "share/ShareSettings.h"

namespace xelo {

namespace {
constexpr uint32_t kStrSendFilesUsing = 3359;
constexpr uint32_t kStrReceiveFilesUsing = 3360;
constexpr uint32_t kStrSendProgramTip = 3361;
}  // namespace

int GammaFromSlider(int tenths) {
    const int gamma = tenths / 10 * 10;
    if (gamma < 2) return 1;
    return std::min(gamma, 300);
}

CMiscPage::CMiscPage(CPreferences& working, QWidget* parent) : CPrefPage(working, parent) {
    const PreferencesBlock& prefs = working_.preferences;
    auto* form = new QFormLayout(this);
    copySize_ = new QComboBox(this);
    // The order of the clipboard-size setting.
    copySize_->addItems({tr("60 x 80"), tr("75 x 100"), tr("90 x 120"), tr("120 x 160"),
                         tr("240 x 320"), tr("Original size")});
    copySize_->setCurrentIndex(std::min<int>(static_cast<int>(prefs.Get(pref::kClipboardSize)), 5));
    form->addRow(tr("Specify size of copied image:"), copySize_);
    editor_ = new QLineEdit(QString::fromStdString(working_.editTool), this);
    editor_->setPlaceholderText(tr("the desktop's application for the image type"));
    editor_->setToolTip(
        tr("A program, its path in double quotes when it holds blanks, and its "
           "arguments; %1 stands for the image."));
    form->addRow(tr("Edit photo using:"), editor_);
    // The local-link programs live beside the blocks, in the store the frame shares.
    const ShareSettings share = ShareStore() ? ShareSettings::Load(*ShareStore()) : ShareSettings();
    sendProgram_ = new QLineEdit(QString::fromStdString(share.sendProgram), this);
    sendProgram_->setToolTip(QString::fromStdString(LoadString(kStrSendProgramTip)));
    receiveProgram_ = new QLineEdit(QString::fromStdString(share.receiveProgram), this);
    form->addRow(QString::fromStdString(LoadString(kStrSendFilesUsing)), sendProgram_);
    form->addRow(QString::fromStdString(LoadString(kStrReceiveFilesUsing)), receiveProgram_);

    applyGamma_ = new QCheckBox(tr("Display gamma adjustment"), this);
    applyGamma_->setChecked(prefs.IsSet(pref::kApplyGamma));
    form->addRow(applyGamma_);
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setRange(0, 30);
    slider_->setSingleStep(1);
    slider_->setPageStep(6);
    slider_->setTickPosition(QSlider::TicksBelow);
    slider_->setTickInterval(1);
    reset_ = new QPushButton(tr("Reset"), this);
    label_ = new QLabel(this);
    label_->setMinimumWidth(label_->fontMetrics().horizontalAdvance(QStringLiteral("0.000")));
    auto* row = new QHBoxLayout;
    row->addWidget(slider_, 1);
    row->addWidget(label_);
    row->addWidget(reset_);
    form->addRow(row);

    ShowGamma(std::clamp(static_cast<int>(prefs.Get(pref::kGamma)), 1, 300));
    connect(slider_, &QSlider::valueChanged, this,
            [this](int v) { ShowGamma(GammaFromSlider(v * 10)); });
    connect(reset_, &QPushButton::clicked, this, [this] { ShowGamma(100); });
    auto enable = [this](bool on) {
        slider_->setEnabled(on);
        reset_->setEnabled(on);
        label_->setEnabled(on);
    };
    connect(applyGamma_, &QCheckBox::toggled, this, enable);
    enable(applyGamma_->isChecked());
}

void CMiscPage::ShowGamma(int gamma) {
    gamma_ = gamma;
    label_->setText(QString::asprintf("%.2f", gamma / 100.0));
    const QSignalBlocker quiet(slider_);
    slider_->setValue(gamma / 10);
}

void CMiscPage::Store() {
    PreferencesBlock& prefs = working_.preferences;
    prefs.Set(pref::kClipboardSize, static_cast<uint32_t>(copySize_->currentIndex()));
    working_.editTool = editor_->text().trimmed().toStdString();
    if (Registry* store = ShareStore()) {
        ShareSettings share = ShareSettings::Load(*store);
        share.sendProgram = sendProgram_->text().trimmed().toStdString();
        share.receiveProgram = receiveProgram_->text().trimmed().toStdString();
        share.Save(*store);
    }
    prefs.Set(pref::kApplyGamma, applyGamma_->isChecked() ? 1u : 0u);
    prefs.Set(pref::kGamma, static_cast<uint32_t>(gamma_));
}

}  // namespace xelo
