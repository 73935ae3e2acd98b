#include "prefs/SlidePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/MessageBox.h"
#include "prefs/ColourButton.h"
#include "prefs/PrefTexts.h"
#include "prefs/TextOptionsDialog.h"
#include "prefs/TransitionDialog.h"
#include "slideshow/SlideSettings.h"

namespace xelo {

namespace {

QCheckBox* Check(uint32_t text, bool on, QWidget* parent) {
    auto* box = new QCheckBox(PrefString(text), parent);
    box->setChecked(on);
    return box;
}

}  // namespace

CSlidePage::CSlidePage(CPreferences& working, QWidget* parent)
    : CPrefPage(working, parent), edited_(working.preferences) {
    const PreferencesBlock& b = working.preferences;
    size_ = new QComboBox(this);
    FillFromList(size_, kStrSizeList);
    size_->setCurrentIndex(static_cast<int>(b.Get(pref::kSlideSize)));
    delay_ = new QLineEdit(QString::number(b.Get(pref::kSlideDelay)), this);
    delay_->setMaxLength(3);
    orientation_ = new QComboBox(this);
    FillFromList(orientation_, kStrOrientationList);
    orientation_->setCurrentIndex(static_cast<int>(b.Get(pref::kSlideOrientation)));
    background_ = new CColourButton(b.Get(pref::kSlideBackground), PrefString(kStrPickBackground),
                                    this);
    showText_ = Check(kStrShowText, b.IsSet(pref::kShowSlideText), this);
    auto* textOptions = new QPushButton(PrefString(kStrTextOptionsButton), this);
    transitions_ = Check(kStrEnableTransition, b.IsSet(pref::kTransitions), this);
    auto* transitionButton = new QPushButton(PrefString(kStrTransitionsButton), this);
    playAudio_ = Check(kStrPlayAudio, b.IsSet(pref::kPlayAudioNotes), this);
    repeatAudio_ = Check(kStrRepeatAudio, b.IsSet(pref::kRepeatAudio), this);
    repeat_ = Check(kStrRepeatShow, b.IsSet(pref::kRepeatSlideShow), this);
    random_ = Check(kStrRandomOrder, b.IsSet(pref::kRandomOrder), this);
    ink_ = Check(kStrInkOnSlides, b.IsSet(pref::kInkOnSlides), this);

    textOptions->setEnabled(showText_->isChecked());
    connect(showText_, &QCheckBox::toggled, textOptions, &QWidget::setEnabled);
    transitionButton->setEnabled(transitions_->isChecked());
    connect(transitions_, &QCheckBox::toggled, transitionButton, &QWidget::setEnabled);
    repeatAudio_->setEnabled(playAudio_->isChecked());
    connect(playAudio_, &QCheckBox::toggled, repeatAudio_, &QWidget::setEnabled);
    connect(textOptions, &QPushButton::clicked, this, [this] {
        CTextOptionsDialog dialog(edited_, this);
        if (dialog.exec() == QDialog::Accepted) dialog.Store(edited_);
    });
    connect(transitionButton, &QPushButton::clicked, this, [this] {
        CTransitionDialog dialog(static_cast<int>(edited_.Get(pref::kTransition)),
                                 static_cast<int>(edited_.Get(pref::kTransitionSpeed)), this);
        if (dialog.exec() != QDialog::Accepted) return;
        edited_.Set(pref::kTransition, static_cast<uint32_t>(dialog.Effect()));
        edited_.Set(pref::kTransitionSpeed, static_cast<uint32_t>(dialog.Speed()));
    });

    auto* form = new QFormLayout(this);
    form->addRow(PrefString(kStrSlideSize), size_);
    auto* delayRow = new QHBoxLayout;
    delayRow->addWidget(delay_);
    delayRow->addWidget(new QLabel(PrefString(kStrSeconds), this));
    form->addRow(PrefString(kStrDelay), delayRow);
    form->addRow(PrefString(kStrOrientation), orientation_);
    form->addRow(PrefString(kStrBackgroundColour), background_);
    form->addRow(showText_, textOptions);
    form->addRow(transitions_, transitionButton);
    form->addRow(playAudio_, repeatAudio_);
    form->addRow(repeat_);
    form->addRow(random_);
    form->addRow(ink_);
}

bool CSlidePage::Validate() {
    bool ok = false;
    const int seconds = delay_->text().trimmed().toInt(&ok);
    if (ok && seconds >= 0 && seconds <= kMaxSlideDelaySeconds) return true;
    ShowMessage(this, FormatString(kStrIntegerRange, 0, kMaxSlideDelaySeconds));
    delay_->setFocus();
    delay_->selectAll();
    return false;
}

void CSlidePage::Store() {
    PreferencesBlock& b = working_.preferences;
    // The dialogs' fields come from the edited copy; the page's own from its controls.
    for (const Field32 f : {pref::kSlideTextColour, pref::kSlideTextShadow,
                            pref::kSlideTextBackground, pref::kSlideTextSize, pref::kTransition})
        b.Set(f, edited_.Get(f));
    for (const BitField f : {pref::kSlideTextIsNote, pref::kSlideTextPosition,
                             pref::kSlideTextWeight, pref::kTextShadow, pref::kSlideTextBox,
                             pref::kTransitionSpeed})
        b.Set(f, edited_.Get(f));
    b.Set(pref::kSlideSize, static_cast<uint32_t>(size_->currentIndex()));
    b.Set(pref::kSlideDelay, static_cast<uint16_t>(delay_->text().trimmed().toInt()));
    b.Set(pref::kSlideOrientation, static_cast<uint32_t>(orientation_->currentIndex()));
    b.Set(pref::kSlideBackground, background_->Colour());
    b.Set(pref::kShowSlideText, showText_->isChecked() ? 1u : 0u);
    b.Set(pref::kTransitions, transitions_->isChecked() ? 1u : 0u);
    b.Set(pref::kPlayAudioNotes, playAudio_->isChecked() ? 1u : 0u);
    b.Set(pref::kRepeatAudio, repeatAudio_->isChecked() ? 1u : 0u);
    b.Set(pref::kRepeatSlideShow, repeat_->isChecked() ? 1u : 0u);
    b.Set(pref::kRandomOrder, random_->isChecked() ? 1u : 0u);
    b.Set(pref::kInkOnSlides, ink_->isChecked() ? 1u : 0u);
}

}  // namespace xelo
