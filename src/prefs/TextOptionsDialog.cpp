#include "prefs/TextOptionsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>

#include "platform/HelpTopics.h"
#include "prefs/ColourButton.h"
#include "prefs/PrefTexts.h"

namespace xelo {

namespace {
constexpr int kSizes[] = {8, 12, 16, 20, 28, 36};
}

void FillFromList(QComboBox* combo, uint32_t listId) {
    const std::string list = LoadString(listId);
    for (int i = 0;; ++i) {
        const std::string item = FieldItem(list, i);
        if (item.empty()) break;
        combo->addItem(QString::fromStdString(item));
    }
}

CTextOptionsDialog::CTextOptionsDialog(const PreferencesBlock& block, QWidget* parent)
    : QDialog(parent),
      display_(new QComboBox(this)),
      position_(new QComboBox(this)),
      size_(new QComboBox(this)),
      weight_(new QComboBox(this)),
      colour_(new CColourButton(block.Get(pref::kSlideTextColour), PrefString(kStrColour), this)),
      shadowOn_(new QCheckBox(PrefString(kStrShadow), this)),
      shadow_(new CColourButton(block.Get(pref::kSlideTextShadow), PrefString(kStrShadow), this)),
      backgroundOn_(new QCheckBox(PrefString(kStrTextBackground), this)),
      background_(new CColourButton(block.Get(pref::kSlideTextBackground),
                                    PrefString(kStrTextBackground), this)) {
    setWindowTitle(PrefString(kStrTextOptions));
    FillFromList(display_, kStrDisplayList);
    FillFromList(position_, kStrPositionList);
    FillFromList(size_, kStrTextSizeList);
    FillFromList(weight_, kStrWeightList);
    display_->setCurrentIndex(block.IsSet(pref::kSlideTextIsNote) ? 1 : 0);
    position_->setCurrentIndex(static_cast<int>(block.Get(pref::kSlideTextPosition)));
    const auto points = static_cast<int>(block.Get(pref::kSlideTextSize));
    for (int i = 0; i < static_cast<int>(std::size(kSizes)); ++i)
        if (kSizes[i] == points) size_->setCurrentIndex(i);
    weight_->setCurrentIndex(static_cast<int>(block.Get(pref::kSlideTextWeight)));
    shadowOn_->setChecked(block.IsSet(pref::kTextShadow));
    backgroundOn_->setChecked(block.IsSet(pref::kSlideTextBox));
    shadow_->setEnabled(shadowOn_->isChecked());
    background_->setEnabled(backgroundOn_->isChecked());
    connect(shadowOn_, &QCheckBox::toggled, shadow_, &QWidget::setEnabled);
    connect(backgroundOn_, &QCheckBox::toggled, background_, &QWidget::setEnabled);

    auto* form = new QFormLayout(this);
    form->addRow(PrefString(kStrDisplay), display_);
    form->addRow(PrefString(kStrPosition), position_);
    form->addRow(PrefString(kStrTextSize), size_);
    form->addRow(PrefString(kStrWeight), weight_);
    form->addRow(PrefString(kStrColour), colour_);
    form->addRow(shadowOn_, shadow_);
    form->addRow(backgroundOn_, background_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    AttachHelp(this, kHelpTextOptions, buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

void CTextOptionsDialog::Store(PreferencesBlock& block) const {
    block.Set(pref::kSlideTextIsNote, display_->currentIndex() == 1 ? 1u : 0u);
    block.Set(pref::kSlideTextPosition, static_cast<uint32_t>(position_->currentIndex()));
    block.Set(pref::kSlideTextSize, static_cast<uint32_t>(kSizes[size_->currentIndex()]));
    block.Set(pref::kSlideTextWeight, static_cast<uint32_t>(weight_->currentIndex()));
    block.Set(pref::kSlideTextColour, colour_->Colour());
    block.Set(pref::kTextShadow, shadowOn_->isChecked() ? 1u : 0u);
    block.Set(pref::kSlideTextShadow, shadow_->Colour());
    block.Set(pref::kSlideTextBox, backgroundOn_->isChecked() ? 1u : 0u);
    block.Set(pref::kSlideTextBackground, background_->Colour());
}

}  // namespace xelo
