// CTavoApp: the application object. Owns the preferences, the document and the main frame;
// brings the program up from the command line and writes the preferences back at exit.
#pragma once

#include <QElapsedTimer>
#include <QSize>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "album/TavoDoc.h"
#include "settings/Preferences.h"
#include "settings/StartOptions.h"
#include "frame/FrameHost.h"
#include "image/DisplayReduction.h"
#include "platform/MessageBox.h"

namespace xelo {

class CMainFrame;
class CTavoCommandLineInfo;
class CTavoException;
class Registry;

class CTavoApp : public DocumentHost, public FrameHost {
  public:
    // `registry` is not owned; `sync` makes another process's writes visible (may be empty).
    CTavoApp(Registry& registry, StartOptions options, std::function<void()> sync = {});
    ~CTavoApp() override;
    static CTavoApp* Instance();

    // Loads the preferences, creates the document and frame and processes the command line.
    bool InitInstance(const std::vector<std::string>& arguments);
    // Saves the album of the current folder and the preferences.
    void ExitInstance();
    // Processing of a parsed command line, at start-up and when re-targeted.
    void ProcessCommandLine(const CTavoCommandLineInfo& info);
    // Command 30501: the command line a second start left in "Strings" / "Command".
    void OnForwardedCommandLine() override;

    int ViewMode() const override { return mode_; }
    void SendCommand(int command) override;

    void SetMode(int mode) override { mode_ = mode; }
    int PreviousMode() const override { return previousMode_; }
    void SetPreviousMode(int mode) override { previousMode_ = mode; }
    uint32_t Flags() const override { return flags_; }
    void SetFlag(uint32_t flag, bool on) override { flags_ = on ? (flags_ | flag) : (flags_ & ~flag); }

    CPreferences& Prefs() override { return prefs_; }
    CTavoDoc& Doc() override { return *doc_; }
    CMainFrame* Frame() { return frame_.get(); }
    Registry& Store() override { return registry_; }
    const StartOptions& Options() const override { return options_; }
    // The screen: the virtual one of --screen, else the primary screen.
    QSize ScreenSize() const override;
    // The screen's capabilities, probed once at start-up.
    // Whether an external display can be driven: an output plug-in is loaded.
    bool VgaAvailable() const override;
    const PluginCatalog& Plugins() const override;
    const ScreenCaps& Screen() const override { return screen_; }
    // Milliseconds since the application object was made (for --log-timing).
    qint64 Elapsed() const { return clock_.elapsed(); }

  private:
    Registry& registry_;  // not owned
    StartOptions options_;
    std::function<void()> sync_;
    CPreferences prefs_;
    std::unique_ptr<CTavoDoc> doc_;
    std::unique_ptr<CMainFrame> frame_;
    int mode_ = 0;
    int previousMode_ = 0;
    uint32_t flags_ = 0;
    bool exited_ = false;
    QElapsedTimer clock_;
    ScreenCaps screen_;
};

}  // namespace xelo
