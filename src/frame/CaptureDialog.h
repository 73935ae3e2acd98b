// CCaptureDialog ("Capture"): capture on or off, its trigger (a capture key or a delay), the
// file resolution, confirmation and sound, and the folder and file name; "Capture File Format"
// sets the name's prefix and the format.
#pragma once

#include <QDialog>
#include <span>

#include "settings/CaptureKeys.h"
#include "settings/CaptureSettings.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace xelo {

class CCaptureDialog : public QDialog {
    Q_OBJECT

  public:
    // `keys` are offered as triggers when `keysAvailable`; otherwise the dialog says why only
    // the delays are there.
    CCaptureDialog(const CaptureSettings& settings, std::span<const CaptureKey> keys,
                   bool keysAvailable, QWidget* parent = nullptr);
    // The settings as the controls show them; the separator line turns capture off.
    CaptureSettings Settings() const;

  private:
    void ChangeFolder();
    void ChangeFormat();
    void ShowName();

    CaptureSettings settings_;
    QCheckBox* enabled_;
    QComboBox* trigger_;
    QComboBox* dpi_;
    QCheckBox* confirm_;
    QCheckBox* sound_;
    QLabel* folder_;
    QLabel* name_;
};

// "Capture File Format": the prefix and the format, with the name they give.
class CCaptureFormatDialog : public QDialog {
    Q_OBJECT

  public:
    CCaptureFormatDialog(const std::string& prefix, int format, QWidget* parent = nullptr);
    std::string Prefix() const;
    int Format() const;
};

}  // namespace xelo
