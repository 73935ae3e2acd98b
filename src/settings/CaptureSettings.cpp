// Capture settings to and from their preference fields.
#include "settings/CaptureSettings.h"

#include "settings/Preferences.h"

namespace xelo {

CaptureSettings CaptureSettings::Read(const CPreferences& prefs) {
    CaptureSettings s;
    s.enabled = prefs.uiInfo.IsSet(ui::kCaptureEnabled);
    s.confirm = prefs.uiInfo.IsSet(ui::kCaptureConfirm);
    s.sound = prefs.uiInfo.IsSet(ui::kCaptureSound);
    s.format = static_cast<int>(prefs.uiInfo.Get(ui::kCaptureFormat));
    s.trigger = prefs.uiInfo.Get(ui::kCaptureTrigger);
    s.dpi = static_cast<int>(prefs.uiInfo.Get(ui::kCaptureDpi));
    s.folder = prefs.snapPath;
    s.prefix = prefs.snapName;
    return s;
}

void CaptureSettings::Store(CPreferences& prefs) const {
    prefs.uiInfo.Set(ui::kCaptureEnabled, enabled ? 1 : 0);
    prefs.uiInfo.Set(ui::kCaptureConfirm, confirm ? 1 : 0);
    prefs.uiInfo.Set(ui::kCaptureSound, sound ? 1 : 0);
    prefs.uiInfo.Set(ui::kCaptureFormat, static_cast<uint32_t>(format));
    prefs.uiInfo.Set(ui::kCaptureTrigger, trigger);
    prefs.uiInfo.Set(ui::kCaptureDpi, static_cast<uint32_t>(dpi));
    prefs.snapPath = folder;
    prefs.snapName = prefix;
}

std::vector<int> CaptureDelays() {
    return {5, 10, 20, 30, 40, 50, 60};
}

}  // namespace xelo
