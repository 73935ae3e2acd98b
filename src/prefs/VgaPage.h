// CVOESlidePage: the "VGA" page of the Options sheet — which output plug-in drives the external
// display, its output type and mode, dithering, orientation, transitions and clean screen.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "prefs/PrefSheet.h"
#include "xelo_plugin.h"

class QCheckBox;
class QComboBox;

namespace xelo {

namespace output {
class OutputPluginTable;
}

class CVOESlidePage : public CPrefPage {
    Q_OBJECT

  public:
    // `plugins` is not owned. Without any plug-in every control is disabled.
    CVOESlidePage(CPreferences& working, const output::OutputPluginTable& plugins,
                  QWidget* parent = nullptr);
    void Store() override;

    QComboBox* DeviceBox() const { return device_; }
    QComboBox* TypeBox() const { return type_; }
    QComboBox* ModeBox() const { return mode_; }
    QCheckBox* DitherBox() const { return dither_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void DeviceChosen(int index);
    void TypeChosen(int index);
    void ModeChosen(int index);
    // The plug-in could not answer: say so, and leave only the device list usable.
    void DeviceFailed();

    const output::OutputPluginTable& plugins_;  // not owned
    QComboBox* device_;
    QComboBox* type_;
    QComboBox* mode_;
    QCheckBox* dither_;
    QCheckBox* clean_;
    QComboBox* orientation_;
    QCheckBox* noTransitions_;
    std::vector<XeloOutputMode> modes_;  // those listed in mode_
    bool haveMode_ = false;
    bool asked_ = false;  // the device was asked for its types and modes
    XeloOutputMode chosen_{};
};

}  // namespace xelo
