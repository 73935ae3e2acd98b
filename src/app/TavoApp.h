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
#include "image/DisplayReduction.h"

namespace xelo {

class CMainFrame;
class CTavoCommandLineInfo;
class CTavoException;
class Registry;

// Application flag bits.
enum AppFlags : uint32_t {
    kAppSlideShow = 0x1,
    kAppGifPlaying = 0x4,
    kAppSwitchingMode = 0x8,
    kAppStarting = 0x100,
    kAppFilmstripVisible = 0x200,  // the Filmstrip's strip is shown (not collapsed)
};

class CTavoApp : public DocumentHost {
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
    void OnForwardedCommandLine();

    int ViewMode() const override { return mode_; }
    void SendCommand(int command) override;

    void SetMode(int mode) { mode_ = mode; }
    int PreviousMode() const { return previousMode_; }
    void SetPreviousMode(int mode) { previousMode_ = mode; }
    uint32_t Flags() const { return flags_; }
    void SetFlag(uint32_t flag, bool on) { flags_ = on ? (flags_ | flag) : (flags_ & ~flag); }

    CPreferences& Prefs() { return prefs_; }
    CTavoDoc& Doc() { return *doc_; }
    CMainFrame* Frame() { return frame_.get(); }
    Registry& Store() { return registry_; }
    const StartOptions& Options() const { return options_; }
    // The screen: the virtual one of --screen, else the primary screen.
    QSize ScreenSize() const;
    // The screen's capabilities, probed once at start-up.
    // Whether an external display can be driven: output plug-ins are not loaded yet, so none.
    bool VgaAvailable() const { return false; }
    const ScreenCaps& Screen() const { return screen_; }
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

// Shows a message captioned "Xelo Album" with the exclamation icon.
void ShowMessage(QWidget* parent, const std::string& text);
// Where ShowMessage and ReportError send their texts; empty means the message box. Tests collect
// the texts instead of waiting on a modal box. Returns the reporter it replaces.
using MessageReporter = std::function<void(QWidget* parent, const std::string& text)>;
MessageReporter SetMessageReporter(MessageReporter reporter);
void ReportError(QWidget* parent, const CTavoException& error);

}  // namespace xelo
