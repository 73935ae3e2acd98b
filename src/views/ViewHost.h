// What a browsing view needs from the window around it: the mode, the preferences, and a way to
// post commands and become the active view. The main frame implements it; tests use a stand-in.
#pragma once

class QMenu;
class QWidget;

namespace xelo {

class CPreferences;

class ViewHost {
  public:
    virtual ~ViewHost() = default;
    virtual int Mode() const = 0;
    virtual CPreferences& Prefs() = 0;
    // Queued: runs after the current input event, as a posted command does.
    virtual void PostCommand(int command) = 0;
    virtual void SetActiveView(QWidget* view) = 0;
    // The context menu of that name ("Thumbnail", "Thumbnail2", "Dir" ...), or null.
    virtual QMenu* ContextMenu(const char* name) = 0;
    virtual void Beep() = 0;
    // Gives the keyboard focus to the browsing view of the current mode.
    virtual void FocusBrowser() = 0;
    // The application-wide no-repaint flag: paints draw nothing while it is set.
    virtual bool RepaintBlocked() const = 0;
    // The image view asks for the tool bar of its mode and picture (904, 905, 907 or 908); the
    // frame changes its bar only when the id differs.
    virtual void RequestToolBar(int toolBarId) = 0;
    // The application-wide "a GIF animation plays" flag.
    virtual void SetGifPlaying(bool playing) = 0;
};

}  // namespace xelo
