// CMainFrame: the one top-level window. Menu bar, per-mode tool bar, bottom band, and the
// splitter with the directory tree and the browsing view; switches view modes and routes
// commands to the panes, itself and the document.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>

#include "album/TavoDoc.h"
#include "command/CommandTarget.h"
#include "views/ViewHost.h"

class QStackedWidget;
class QToolBar;
class QUrl;
class QDialog;

namespace xelo {

class FrameHost;
class CTavoView;
class CTavoListView;
class CTavoDirTree;
class CTavoImgView;
class CTavoSplitter;
class CODMenu;
class CDocCommands;
class CFindCommands;
class CCaptureCommands;
class CFileCommands;
class CImageCommands;
class CNoteCommands;
class CPictureFrameCommands;
class CDesktopCommands;
class CMailCommands;
class CSlideShowCommands;
class CLocalLinkCommands;
class CRemoteControl;
class CVgaCommands;

class CMainFrame : public QMainWindow,
                   public ViewHost,
                   public CommandTarget,
                   public DocumentObserver {
    Q_OBJECT

  public:
    explicit CMainFrame(FrameHost& app);
    ~CMainFrame() override;

    // Switch mode: the handler of the view-mode commands.
    void SwitchMode(int mode);
    // Lays the frame out for full screen or normal use and loads tool bar `toolBarId` (0 keeps
    // the current one).
    void SetFullScreen(bool on, int toolBarId);

    // Offers a command to the targets in routing order; false when none took it.
    bool Execute(int id);
    // The enabling rule of a command as the routing order answers it.
    CommandState QueryState(int id);
    // Re-reads the enabling rules of the tool bar's buttons, after the current events.
    void ScheduleToolBarUpdate();

    QAction* Action(int id) const;
    CFindCommands* FindCommands() const { return findCommands_.get(); }
    CCaptureCommands* CaptureCommands() const { return captureCommands_.get(); }
    CTavoView* View() const { return view_; }
    CTavoListView* ListView() const { return listView_; }
    CTavoDirTree* Tree() const { return tree_; }
    CTavoImgView* ImgView() const { return imgView_; }
    CSlideShowCommands* SlideShow() const { return slideShow_.get(); }
    CVgaCommands* Vga() const { return vga_.get(); }
    CTavoSplitter* Splitter() const { return splitter_; }
    QToolBar* ToolBar() const { return toolBar_; }
    QWidget* BottomBand() const { return bottomBand_; }
    CODMenu* ModeMenu() const { return modeMenu_; }
    CODMenu* ToolMenu() const { return toolMenu_; }
    CODMenu* PenWidthMenu() const { return penMenu_; }
    QMenu* GoToMenu() const { return goToMenu_; }
    CNoteCommands* NoteCommands() const { return noteCommands_.get(); }
    CDesktopCommands* DesktopCommands() const { return desktopCommands_.get(); }
    CMailCommands* MailCommands() const { return mailCommands_.get(); }
    // The remote-control plug-in opened for the chosen output.
    CRemoteControl* Remote() const { return remote_.get(); }
    // The browsing view shown in the current mode.
    QWidget* ActiveBrowser() const;
    // Where the keys go in the current mode: the picture in the image modes, else the browser.
    QWidget* FocusTarget() const;

    // Start-up hides the splitter until the folder is open.
    void BeginStart();
    void EndStart();
    // Writes the window's picture to `path` once the visible thumbnails are made, then quits.
    void ArmScreenshot(const QString& path);
    // Calls `done` once the current view's first screen is complete.
    void WhenScreenComplete(std::function<void()> done);

    // Runs a modal dialog (tests replace it); the default is exec().
    std::function<int(QDialog&)> runDialog;
    // Where help goes (tests replace it); the default opens the bundled HTML help.
    std::function<void(const QUrl&)> openHelp;
    QString HelpTopicNow() const;
    // The remote-control key message: `kind` 0 with `digit` n is the key "0"+n; 1 left, 2 right,
    // 3 up, 4 down, 5 Enter. The key goes, pressed, to the window that has the focus.
    void RemoteKey(int kind, int digit);

    // ViewHost
    int Mode() const override;
    CPreferences& Prefs() override;
    void PostCommand(int command) override;
    void SetActiveView(QWidget* view) override;
    QMenu* ContextMenu(const char* name) override;
    void Beep() override;
    void FocusBrowser() override;
    // While a mode switch runs, the views draw nothing.
    bool RepaintBlocked() const override;
    void RequestToolBar(int toolBarId) override;
    void SetGifPlaying(bool playing) override;

    // DocumentObserver: list and selection changes can change the tool bar's enabling.
    void OnListChanged(UpdateHint) override { ScheduleToolBarUpdate(); }
    void OnCurrentChanged(const CImageEntry*) override { ScheduleToolBarUpdate(); }

    // CommandTarget: the frame's own commands.
    bool onCommand(int id) override;
    bool onUpdate(int id, CommandState& state) override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void CreateActions();
    void CreateMenus();
    void CreateModeMenu();
    void CreateToolMenus();
    // Pops `menu` up with its bottom edge `above` pixels over the lower edge of the tool-bar
    // button of `command`, or, with `above` negative, under the button.
    void PopupAtButton(QMenu* menu, int command, int above);
    void SetToolMode(int command);
    QMenu* BuildMenu(const QString& title, const std::vector<int>& items, QWidget* parent);
    void UpdateMenu(QMenu* menu);
    void UpdateAction(QAction* action);
    void LoadToolBar(int toolBarId);
    void UpdateToolBar();
    void UpdateTitle();
    void ShowGoToMenu();
    void OpenHelp(const QString& topic);
    void SetThumbnailSize(int command);
    void ToggleToolBar();
    void EditThumbnailOptions();
    std::vector<CommandTarget*> RoutingOrder() const;
    // Shows the panes of `mode`: tree and browsing view, strip and image view, or the image view.
    void ArrangePanes(int mode, int previousMode);
    // Filmstrip and Full Screen show exactly one image: the first selected, else the first.
    void KeepOneSelected();
    // The strip's own size across the splitter: one column beside the picture, one row above.
    int StripExtent() const;
    // A splitter drag in Filmstrip: the strip keeps its size or, below half of it, collapses.
    void OnSplitterMoved();

    FrameHost& app_;
    std::unique_ptr<CDocCommands> docCommands_;
    std::unique_ptr<CFindCommands> findCommands_;
    std::unique_ptr<CCaptureCommands> captureCommands_;
    std::unique_ptr<CFileCommands> fileCommands_;
    std::unique_ptr<CImageCommands> imageCommands_;
    std::unique_ptr<CNoteCommands> noteCommands_;
    std::unique_ptr<CDesktopCommands> desktopCommands_;
    std::unique_ptr<CMailCommands> mailCommands_;
    std::unique_ptr<CSlideShowCommands> slideShow_;
    std::unique_ptr<CVgaCommands> vga_;
    std::unique_ptr<CPictureFrameCommands> pictureFrames_;
    std::unique_ptr<CLocalLinkCommands> localLinkCommands_;
    std::map<int, QAction*> actions_;
    CTavoSplitter* splitter_ = nullptr;
    CTavoDirTree* tree_ = nullptr;
    QStackedWidget* browsers_ = nullptr;
    CTavoView* view_ = nullptr;
    CTavoListView* listView_ = nullptr;
    CTavoImgView* imgView_ = nullptr;
    QList<int> browsingSizes_;  // the splitter's sizes while the tree was shown
    int treeExtent_ = 0;        // the tree's size, kept while an image mode hides it
    QToolBar* toolBar_ = nullptr;
    QToolBar* commandButtons_ = nullptr;
    QWidget* bottomBand_ = nullptr;
    CODMenu* modeMenu_ = nullptr;
    CODMenu* toolMenu_ = nullptr;
    CODMenu* penMenu_ = nullptr;
    QMenu* goToMenu_ = nullptr;
    QMenu* rotateMenu_ = nullptr;  // tool-bar pop-ups of 30111 and 30117
    QMenu* zoomMenu_ = nullptr;
    std::map<std::string, QMenu*> contextMenus_;
    QPointer<QWidget> activeView_;
    QPointer<QWidget> lastFocus_;
    int toolBarId_ = 0;
    QTimer toolBarUpdate_;
    std::unique_ptr<CRemoteControl> remote_;  // last: it goes first, while the window is whole
};

}  // namespace xelo
