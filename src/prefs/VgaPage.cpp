#include "prefs/VgaPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QTimer>

#include "output/OutputPlugins.h"
#include "output/VgaSettings.h"
#include "platform/MessageBox.h"
#include "prefs/PrefTexts.h"
#include "settings/PrefLayout.h"

namespace xelo {

namespace {

enum VgaPageText : uint32_t {
    kStrVga = 2462,  // then "Composite" and "S-Video"
    kStrDevice = 2980,
    kStrOutputTo = 2981,
    kStrMode = 2982,
    kStrDither = 2983,
    kStrNoInformation = 2986,
    kStrInsertDevice = 2987,
    kStrCleanScreen = 2989,
    kStrNoTransitions = 2990,
};

constexpr uint32_t kOutputTypes[] = {XELO_OUTPUT_VGA, XELO_OUTPUT_COMPOSITE, XELO_OUTPUT_SVIDEO};

}  // namespace

CVOESlidePage::CVOESlidePage(CPreferences& working, const output::OutputPluginTable& plugins,
                             QWidget* parent)
    : CPrefPage(working, parent), plugins_(plugins) {
    const VgaOutBlock& vga = working_.vgaOut;
    auto* form = new QFormLayout(this);
    device_ = new QComboBox(this);
    type_ = new QComboBox(this);
    mode_ = new QComboBox(this);
    dither_ = new QCheckBox(PrefString(kStrDither), this);
    clean_ = new QCheckBox(PrefString(kStrCleanScreen), this);
    orientation_ = new QComboBox(this);
    noTransitions_ = new QCheckBox(PrefString(kStrNoTransitions), this);
    form->addRow(PrefString(kStrDevice), device_);
    form->addRow(PrefString(kStrOutputTo), type_);
    form->addRow(PrefString(kStrMode), mode_);
    form->addRow(dither_);
    form->addRow(clean_);
    form->addRow(PrefString(kStrOrientation), orientation_);
    form->addRow(noTransitions_);

    const std::string orientations = LoadString(kStrOrientationList);
    for (int i = 0; i < 3; ++i)
        orientation_->addItem(QString::fromStdString(FieldItem(orientations, i)));
    orientation_->setCurrentIndex(std::min<int>(static_cast<int>(vga.Get(vga::kOrientation)), 2));
    noTransitions_->setChecked(!vga.IsSet(vga::kTransitions));
    dither_->setChecked(vga.IsSet(vga::kDither));
    clean_->setChecked(vga.IsSet(vga::kCleanOnSwitch));

    if (plugins_.Count() == 0) {
        // Nothing to drive: the page shows the stored choices, greyed.
        for (QWidget* w : {static_cast<QWidget*>(device_), static_cast<QWidget*>(type_),
                           static_cast<QWidget*>(mode_), static_cast<QWidget*>(dither_),
                           static_cast<QWidget*>(clean_), static_cast<QWidget*>(orientation_),
                           static_cast<QWidget*>(noTransitions_)}) {
            w->setEnabled(false);
        }
        return;
    }
    for (int i = 0; i < plugins_.Count(); ++i) {
        std::string name;
        plugins_.GetName(i, name);
        device_->addItem(QString::fromStdString(name));
    }
    int index = vga.GetSigned(vga::kPlugin);
    if (index < 0 || index >= plugins_.Count()) index = 0;
    device_->setCurrentIndex(index);
    connect(device_, &QComboBox::activated, this, &CVOESlidePage::DeviceChosen);
    connect(type_, &QComboBox::activated, this, &CVOESlidePage::TypeChosen);
    connect(mode_, &QComboBox::activated, this, &CVOESlidePage::ModeChosen);
}

void CVOESlidePage::showEvent(QShowEvent* event) {
    CPrefPage::showEvent(event);
    // The device is asked when the user first turns to the page, not while the sheet is built:
    // a plug-in whose card is missing then speaks up only for the page it concerns.
    if (asked_ || plugins_.Count() == 0) return;
    asked_ = true;
    QTimer::singleShot(0, this, [this] { DeviceChosen(device_->currentIndex()); });
}

void CVOESlidePage::DeviceFailed() {
    type_->clear();
    mode_->clear();
    modes_.clear();
    haveMode_ = false;
    for (QWidget* w : {static_cast<QWidget*>(type_), static_cast<QWidget*>(mode_),
                       static_cast<QWidget*>(dither_), static_cast<QWidget*>(clean_)}) {
        w->setEnabled(false);
    }
    ShowMessage(this, LoadString(kStrNoInformation) + "\n" + LoadString(kStrInsertDevice));
}

void CVOESlidePage::DeviceChosen(int index) {
    uint32_t types = 0;
    if (!plugins_.GetOutputTypes(index, types)) {
        DeviceFailed();
        return;
    }
    for (QWidget* w : {static_cast<QWidget*>(type_), static_cast<QWidget*>(mode_),
                       static_cast<QWidget*>(clean_)}) {
        w->setEnabled(true);
    }
    type_->clear();
    const uint32_t stored = working_.vgaOut.Get(vga::kOutputType);
    int select = 0;
    for (size_t i = 0; i < std::size(kOutputTypes); ++i) {
        if ((types & kOutputTypes[i]) == 0) continue;
        if (kOutputTypes[i] == stored) select = type_->count();
        type_->addItem(PrefString(kStrVga + static_cast<uint32_t>(i)), kOutputTypes[i]);
    }
    type_->setCurrentIndex(select);
    TypeChosen(select);
}

void CVOESlidePage::TypeChosen(int index) {
    const uint32_t type = type_->itemData(index).toUInt();
    if (!plugins_.GetOutputModes(device_->currentIndex(), type, modes_)) {
        DeviceFailed();
        return;
    }
    mode_->clear();
    const XeloOutputMode stored = output::StoredMode(working_.vgaOut);
    int select = 0;
    for (size_t i = 0; i < modes_.size(); ++i) {
        if (output::SameMode(modes_[i], stored)) select = static_cast<int>(i);
        mode_->addItem(QString::fromStdString(output::ModeText(modes_[i])));
    }
    mode_->setCurrentIndex(modes_.empty() ? -1 : select);
    ModeChosen(select);
}

void CVOESlidePage::ModeChosen(int index) {
    haveMode_ = index >= 0 && index < static_cast<int>(modes_.size());
    if (!haveMode_) {
        dither_->setEnabled(false);
        return;
    }
    chosen_ = modes_[static_cast<size_t>(index)];
    dither_->setEnabled(output::DitherApplies(chosen_.bitsPerPixel));
}

void CVOESlidePage::Store() {
    if (plugins_.Count() == 0) return;
    VgaOutBlock& vga = working_.vgaOut;
    const int index = device_->currentIndex();
    std::string name;
    plugins_.GetName(index, name);
    vga.SetSigned(vga::kPlugin, index);
    SetVgaPluginName(vga, name);
    // A device that could not answer keeps the type and mode stored before.
    if (haveMode_) {
        vga.Set(vga::kOutputType, type_->currentData().toUInt());
        output::StoreMode(vga, chosen_);
    }
    vga.Set(vga::kCleanOnSwitch, clean_->isChecked() ? 1u : 0u);
    const bool dither = dither_->isChecked();
    const int bits = static_cast<int>(vga.Get(vga::kDepth));
    vga.Set(vga::kDither, dither ? 1u : 0u);
    vga.Set(output::kVgaReduction, static_cast<uint32_t>(output::ColourReductionFor(bits, dither)));
    vga.Set(vga::kOrientation, static_cast<uint32_t>(orientation_->currentIndex()));
    vga.Set(vga::kTransitions, noTransitions_->isChecked() ? 0u : 1u);
}

}  // namespace xelo
