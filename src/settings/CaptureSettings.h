// The screen-capture settings as the Capture dialog edits them, read from and stored into the
// preferences (UI Info block and the "Snap Path" and "Snap Name" strings).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace xelo {

class CPreferences;

// A trigger of 1000 or more is a delay in milliseconds; below, a capture key's button number.
constexpr uint32_t kFirstDelayTrigger = 1000;

struct CaptureSettings {
    bool enabled = false;
    bool confirm = false;
    bool sound = false;
    int format = 0;  // SnapFormat
    uint32_t trigger = 1;
    int dpi = 96;
    std::string folder;
    std::string prefix;

    static CaptureSettings Read(const CPreferences& prefs);
    void Store(CPreferences& prefs) const;
    bool IsDelay() const { return trigger >= kFirstDelayTrigger; }
};

// The delays offered, in seconds.
std::vector<int> CaptureDelays();

}  // namespace xelo
