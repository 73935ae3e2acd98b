// What the main frame needs from the application around it: the document, the preferences and
// their store, the start options and the screen, and the mode and flags the whole program
// shares. The application object implements it; tests may use their own.
#pragma once

#include <QSize>
#include <cstdint>

#include "settings/PluginCatalog.h"

namespace xelo {

class CTavoDoc;
class CPreferences;
class Registry;
struct ScreenCaps;
struct StartOptions;

// Application flag bits.
enum AppFlags : uint32_t {
    kAppSlideShow = 0x1,
    kAppGifPlaying = 0x4,
    kAppSwitchingMode = 0x8,
    kAppVoiceActive = 0x20,  // the audio recorder is open
    kAppCapturing = 0x40,  // a screen capture is being taken or saved
    kAppStarting = 0x100,
    kAppFilmstripVisible = 0x200,  // the Filmstrip's strip is shown (not collapsed)
};

class FrameHost {
  public:
    virtual ~FrameHost() = default;

    virtual CTavoDoc& Doc() = 0;
    virtual CPreferences& Prefs() = 0;
    virtual Registry& Store() = 0;
    virtual const StartOptions& Options() const = 0;
    // The screen: the virtual one of --screen, else the primary screen.
    virtual QSize ScreenSize() const = 0;
    // The screen's capabilities, probed once at start-up.
    virtual const ScreenCaps& Screen() const = 0;
    // Whether an external display can be driven.
    virtual bool VgaAvailable() const = 0;
    // The installed output and remote-control plug-ins; none until the application loads them.
    virtual const PluginCatalog& Plugins() const {
        static const NoPlugins none;
        return none;
    }

    virtual int ViewMode() const = 0;
    virtual void SetMode(int mode) = 0;
    virtual int PreviousMode() const = 0;
    virtual void SetPreviousMode(int mode) = 0;
    virtual uint32_t Flags() const = 0;
    virtual void SetFlag(uint32_t flag, bool on) = 0;

    // Command 30501: the command line a second start left in "Strings" / "Command".
    virtual void OnForwardedCommandLine() = 0;
};

}  // namespace xelo
