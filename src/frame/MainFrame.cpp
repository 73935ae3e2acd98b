// The main frame: actions from the command table, menus and tool bars from their lists, view
// modes, command routing with enabling rules, help.
#include "frame/MainFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScrollBar>
#include <QStackedWidget>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <iterator>

#include "album/GoToTargets.h"
#include "base/StringTable.h"
#include "base/ViewModes.h"
#include "command/CommandIds.h"
#include "command/ToolModes.h"
#include "frame/AboutDialog.h"
#include "frame/CaptureCommands.h"
#include "frame/CommandTable.h"
#include "frame/DesktopCommands.h"
#include "frame/DocCommands.h"
#include "frame/FileCommands.h"
#include "frame/FindCommands.h"
#include "frame/FrameHost.h"
#include "frame/FrameIcons.h"
#include "frame/ImageCommands.h"
#include "frame/InstalledData.h"
#include "frame/LocalLinkCommands.h"
#include "frame/MailCommands.h"
#include "frame/NoteCommands.h"
#include "frame/ODMenu.h"
#include "frame/PictureFrameCommands.h"
#include "frame/RemoteControl.h"
#include "frame/SlideShowCommands.h"
#include "frame/TavoSplitter.h"
#include "frame/ThumbnailsDialog.h"
#include "frame/VgaCommands.h"
#include "imageui/SelectEmailDialog.h"
#include "output/RemotePlugins.h"
#include "platform/HelpTopics.h"
#include "platform/MessageBox.h"
#include "platform/UiText.h"
#include "settings/Preferences.h"
#include "settings/StartOptions.h"
#include "share/ShareSettings.h"
#include "views/TavoDirTree.h"
#include "views/TavoImgView.h"
#include "views/TavoListView.h"
#include "views/TavoView.h"
#include "views/ZoomScale.h"

namespace xelo {

namespace {

constexpr int kBottomBandHeight = 26;
constexpr int kToolMenuLift = 22;  // the tool pop-up ends this far above the button's lower edge
constexpr int kBrowseToolBar = 902;
constexpr uint32_t kStrMenuFile = 801;
constexpr uint32_t kStrMenuView = 802;
constexpr uint32_t kStrMenuAnnotate = 803;
constexpr uint32_t kStrMenuTools = 804;
constexpr uint32_t kStrReorderBy = 2482;
constexpr uint32_t kStrSelect = 2483;
constexpr uint32_t kStrNoVgaDevice = 22023;

bool IsBrowsingMode(int mode) {
    return mode == kModeThumbnail || mode == kModeList || mode == kModeFilename;
}

// Menu lists by command number; 0 is a separator, negative numbers open a submenu.
constexpr int kSubReorder = -1;
constexpr int kSubSelect = -2;
constexpr int kSubRotate = -3;
constexpr int kSubZoom = -4;
constexpr int kSubZoomIn = -5;
constexpr int kSubZoomOut = -6;
constexpr int kSubRemove = -7;
constexpr uint32_t kStrRemove = 2624;
const std::vector<int> kFileMenu = {cmd::kNewFolder,
                                    cmd::kDeleteFolder,
                                    0,
                                    cmd::kCut,
                                    cmd::kCopy,
                                    cmd::kPaste,
                                    0,
                                    cmd::kDelete,
                                    cmd::kDuplicate,
                                    cmd::kRename,
                                    0,
                                    cmd::kHomeFolder,
                                    0,
                                    cmd::kSendMail,
                                    cmd::kSendInfrared,
                                    cmd::kReceiveInfrared,
                                    0,
                                    cmd::kExit};
const std::vector<int> kViewMenu = {cmd::kThumbnail,
                                    cmd::kList,
                                    cmd::kFilename,
                                    cmd::kFilmstrip,
                                    cmd::kFullScreen,
                                    cmd::kSlideShow,
                                    cmd::kVgaFilmstrip,
                                    cmd::kVgaSlideShow,
                                    0,
                                    cmd::kToolBar,
                                    0,
                                    cmd::kGiantThumbnail,
                                    cmd::kHugeThumbnail,
                                    cmd::kLargeThumbnail,
                                    cmd::kNormalThumbnail,
                                    cmd::kSmallThumbnail,
                                    cmd::kTinyThumbnail,
                                    cmd::kThumbnailsAndColors,
                                    0,
                                    kSubReorder,
                                    cmd::kHideSlide,
                                    cmd::kShowSlide,
                                    0,
                                    cmd::kPreviousImage,
                                    cmd::kNextImage,
                                    kSubZoom,
                                    kSubRotate,
                                    cmd::kZoomSlider,
                                    cmd::kQuickView,
                                    0,
                                    cmd::kPlay,
                                    cmd::kStop,
                                    cmd::kPreviousFrame,
                                    cmd::kNextFrame};
const std::vector<int> kAnnotateMenu = {cmd::kAnnotationTools,
                                        cmd::kPenWidth,
                                        cmd::kPickInkColor,
                                        cmd::kUndoLastStroke,
                                        cmd::kEraseAllStrokes,
                                        cmd::kMergeInk,
                                        0,
                                        cmd::kEditText,
                                        kSubRemove,
                                        cmd::kRecordAudio,
                                        cmd::kPlayAudio,
                                        cmd::kSelectAudio};
const std::vector<int> kRemoveMenu = {cmd::kRemoveText, cmd::kRemoveAudio, cmd::kRemoveAll};
const std::vector<int> kToolsMenu = {kSubSelect,
                                     0,
                                     cmd::kConvert,
                                     cmd::kResize,
                                     cmd::kCrop,
                                     cmd::kImageInfo,
                                     cmd::kEditPhoto,
                                     0,
                                     cmd::kFind,
                                     cmd::kScreenCapture,
                                     0,
                                     cmd::kOptions,
                                     cmd::kFileAssociation,
                                     cmd::kShortcut,
                                     0,
                                     cmd::kHelp,
                                     cmd::kAbout};
const std::vector<int> kReorderMenu = {cmd::kReorderByName,
                                       cmd::kReorderByDate,
                                       cmd::kReorderBySize,
                                       cmd::kReorderByType,
                                       cmd::kReorderBySlides,
                                       cmd::kReorderByUser,
                                       0,
                                       cmd::kReorderReverse};
const std::vector<int> kSelectMenu = {cmd::kSelectAll, cmd::kSelectNone, cmd::kSelectInvert, 0,
                                      cmd::kMultipleImages};
const std::vector<int> kThumbnailContext = {
    cmd::kCut, cmd::kCopy,      cmd::kPaste,     0, cmd::kDelete, cmd::kDuplicate, cmd::kRename,
    0,         cmd::kHideSlide, cmd::kShowSlide, 0, kSubSelect};
// The image view's context menu is the thumbnail one without its Select submenu.
const std::vector<int> kImageContext = {
    cmd::kCut, cmd::kCopy,      cmd::kPaste,     0, cmd::kDelete,   cmd::kDuplicate, cmd::kRename,
    0,         cmd::kHideSlide, cmd::kShowSlide, 0, cmd::kImageInfo};
const std::vector<int> kFullScreenContext = {cmd::kExitFullScreen,
                                             0,
                                             cmd::kPreviousImage,
                                             cmd::kNextImage,
                                             0,
                                             kSubZoom,
                                             kSubRotate,
                                             cmd::kZoomSlider,
                                             0,
                                             cmd::kToolBarFullScreen,
                                             0,
                                             cmd::kTogglePictureFrame,
                                             cmd::kChangePictureFrame,
                                             cmd::kFlipPictureFrame};
const std::vector<int> kRotateMenu = {cmd::kRotateLeft,      cmd::kRotateRight,   cmd::kRotate180,
                                      cmd::kFlipUpDown,      cmd::kFlipLeftRight, 0,
                                      cmd::kResetOrientation};
const std::vector<int> kZoomMenu = {cmd::kZoomIn,     cmd::kZoomOut,     0,
                                    kSubZoomIn,       kSubZoomOut,       0,
                                    cmd::kActualSize, cmd::kFitToWindow, cmd::kQuickView};
std::vector<int> Commands(int first, int last) {
    std::vector<int> ids;
    for (int id = first; id <= last; ++id)
        ids.push_back(id);
    return ids;
}
const std::vector<int> kThumbnail2Context = {cmd::kPaste, cmd::kNewFolder, 0, kSubSelect,
                                             0,           kSubReorder};
// The tree's folder commands.
const std::vector<int> kFolderContext = {cmd::kNewFolder, cmd::kRename, cmd::kDeleteFolder,
                                         cmd::kPaste};
const std::vector<int> kThumbnailOptMenu = {cmd::kGiantThumbnail,
                                            cmd::kHugeThumbnail,
                                            cmd::kLargeThumbnail,
                                            cmd::kNormalThumbnail,
                                            cmd::kSmallThumbnail,
                                            cmd::kTinyThumbnail,
                                            0,
                                            cmd::kThumbnailsAndColors};

}  // namespace

CMainFrame::CMainFrame(FrameHost& app)
    : app_(app),
      docCommands_(std::make_unique<CDocCommands>(app, *this)),
      findCommands_(std::make_unique<CFindCommands>(app, *this)),
      captureCommands_(std::make_unique<CCaptureCommands>(app, *this)),
      fileCommands_(std::make_unique<CFileCommands>(app, *this)),
      imageCommands_(std::make_unique<CImageCommands>(app, *this)),
      slideShow_(std::make_unique<CSlideShowCommands>(app, *this)) {
    setWindowTitle(Text(kStrAppTitle));
    setWindowIcon(ProgramIcon());
    setObjectName(QString::fromStdString(LoadString(2423)));
    openHelp = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    SetHelpOpener([this](const QString& topic) { OpenHelp(topic); });
    runDialog = [](QDialog& dialog) { return dialog.exec(); };

    CreateActions();
    captureCommands_->ApplyStored();

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    splitter_ = new CTavoSplitter(central);
    tree_ = new CTavoDirTree(app_.Doc(), *this, splitter_);
    browsers_ = new QStackedWidget(splitter_);
    view_ = new CTavoView(app_.Doc(), *this, browsers_);
    listView_ = new CTavoListView(app_.Doc(), *this, browsers_);
    browsers_->addWidget(view_);
    browsers_->addWidget(listView_);
    imgView_ = new CTavoImgView(app_.Doc(), *this, app_.Screen(), splitter_);
    splitter_->addWidget(tree_);
    splitter_->addWidget(browsers_);
    splitter_->addWidget(imgView_);
    imgView_->hide();
    splitter_->setStretchFactor(1, 1);
    connect(splitter_, &QSplitter::splitterMoved, this, [this] { OnSplitterMoved(); });
    // A portrait screen puts the tree above the view, a landscape one beside it.
    const QSize screen = app_.ScreenSize();
    splitter_->setOrientation(screen.width() < screen.height() ? Qt::Vertical : Qt::Horizontal);
    // A tree saved at no size (as a start in an image mode once saved it) comes back at its
    // default size: a collapsed tree is easy to miss and hard to grab.
    treeExtent_ = app_.Prefs().uiInfo.Get(ui::kTreePane1);
    if (treeExtent_ <= 0) {
        treeExtent_ = DefaultUiInfo(screen.width(), screen.height()).Get(ui::kTreePane1);
    }
    splitter_->setSizes(
        {treeExtent_, std::max(1, std::max(screen.width(), screen.height()) - treeExtent_)});
    column->addWidget(splitter_, 1);
    bottomBand_ = new QWidget(central);
    bottomBand_->setFixedHeight(kBottomBandHeight);
    bottomBand_->setLayout(new QVBoxLayout);
    bottomBand_->layout()->setContentsMargins(0, 0, 0, 0);
    bottomBand_->hide();
    column->addWidget(bottomBand_);
    setCentralWidget(central);

    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(16, 16));
    addToolBar(Qt::BottomToolBarArea, toolBar_);

    CreateMenus();
    CreateModeMenu();
    CreateToolMenus();
    noteCommands_ = std::make_unique<CNoteCommands>(app_, *this);
    noteCommands_->ShowInkColour();
    pictureFrames_ = std::make_unique<CPictureFrameCommands>(app_, *this);
    desktopCommands_ = std::make_unique<CDesktopCommands>(app_, *this);
    localLinkCommands_ = std::make_unique<CLocalLinkCommands>(app_, *this);
    SetShareStore(&app_.Store());
    mailCommands_ = std::make_unique<CMailCommands>(app_, *this);
    // The mail dialog's To: and Cc: buttons pick from the contact book, over the mail dialog.
    mailCommands_->SetAddressPicker(
        [this](std::vector<std::string>& to, std::vector<std::string>& cc) {
            QWidget* over = QApplication::activeModalWidget();
            return PickEmailAddresses(over ? over : this, to, cc);
        });
    vga_ = std::make_unique<CVgaCommands>(app_, *this);

    fileCommands_->AttachMenu(tree_, contextMenus_["Dir"]);
    fileCommands_->AttachMenu(listView_, contextMenus_["Thumbnail"]);
    app_.Doc().AddObserver(this);
    toolBarUpdate_.setSingleShot(true);
    toolBarUpdate_.setInterval(0);
    connect(&toolBarUpdate_, &QTimer::timeout, this, &CMainFrame::UpdateToolBar);
    connect(imgView_, &CTavoImgView::pictureChanged, this, &CMainFrame::UpdateTitle);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && (now == tree_ || tree_->isAncestorOf(now))) activeView_ = tree_;
        if (now && (now == view_ || now == listView_)) activeView_ = now;
        ScheduleToolBarUpdate();
    });
    // The remote control that goes with the chosen output sees the window from now on.
    remote_ = std::make_unique<CRemoteControl>(*this, output::RemotePlugins());
    remote_->ReopenFor(VgaPluginName(app_.Prefs().vgaOut));
}

CMainFrame::~CMainFrame() {
    // The children go after this body and move the focus as they go: no calls back into the
    // frame's members from then on.
    disconnect(qApp, nullptr, this, nullptr);
    SetHelpOpener({});
    toolBarUpdate_.stop();
    app_.Doc().RemoveObserver(this);
    SetShareStore(nullptr);
}

// Actions, menus and tool bars ---------------------------------------------------------------

void CMainFrame::CreateActions() {
    // The larger thumbnails would not fit a handheld's screen.
    const bool desktop = app_.ScreenSize().width() > kDesktopScreenWidth;
    for (const CommandInfo& c : CommandTable()) {
        if (!desktop && (c.id == cmd::kHugeThumbnail || c.id == cmd::kGiantThumbnail)) continue;
        auto* action = new QAction(Text(static_cast<uint32_t>(c.textId)), this);
        action->setIcon(CommandIcon(c.id, c.icon));
        action->setCheckable(c.checkable);
        if (c.id >= cmd::kPenWidthFirst && c.id <= cmd::kPenWidthLast) {
            action->setText(PenWidthText(c.id - cmd::kPenWidthFirst + 1));
        }
        if (const int percent = ZoomStepPercent(c.id); percent != 0) {
            action->setText(QStringLiteral("%1%").arg(percent));
        }
        if (c.shortcut) {
            action->setShortcut(QKeySequence(QString::fromLatin1(c.shortcut)));
            action->setShortcutContext(Qt::WindowShortcut);
            addAction(action);
        }
        const int id = c.id;
        connect(action, &QAction::triggered, this, [this, id] {
            Execute(id);
            ScheduleToolBarUpdate();
        });
        actions_[id] = action;
    }
}

QAction* CMainFrame::Action(int id) const {
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

QMenu* CMainFrame::BuildMenu(const QString& title, const std::vector<int>& items, QWidget* parent) {
    auto* menu = new QMenu(title, parent);
    for (int id : items) {
        if (id == 0) {
            menu->addSeparator();
        } else if (id == kSubReorder) {
            menu->addMenu(BuildMenu(Text(kStrReorderBy), kReorderMenu, menu));
        } else if (id == kSubSelect) {
            menu->addMenu(BuildMenu(Text(kStrSelect), kSelectMenu, menu));
        } else if (id == kSubRotate) {
            menu->addMenu(BuildMenu(Text(cmd::kRotateMenu), kRotateMenu, menu));
        } else if (id == kSubZoom) {
            menu->addMenu(BuildMenu(Text(cmd::kPanAndZoom), kZoomMenu, menu));
        } else if (id == kSubRemove) {
            menu->addMenu(BuildMenu(Text(kStrRemove), kRemoveMenu, menu));
        } else if (id == kSubZoomIn) {
            menu->addMenu(
                BuildMenu(Text(cmd::kZoomIn), Commands(cmd::kZoomInFirst, cmd::kZoomInLast), menu));
        } else if (id == kSubZoomOut) {
            menu->addMenu(BuildMenu(Text(cmd::kZoomOut),
                                    Commands(cmd::kZoomOutFirst, cmd::kZoomOutLast), menu));
        } else if (QAction* action = Action(id)) {
            menu->addAction(action);
        }
    }
    // Enabling rules are asked as the menu opens, never by polling.
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenu(menu); });
    return menu;
}

void CMainFrame::CreateMenus() {
    menuBar()->addMenu(BuildMenu(Text(kStrMenuFile), kFileMenu, this));
    menuBar()->addMenu(BuildMenu(Text(kStrMenuView), kViewMenu, this));
    menuBar()->addMenu(BuildMenu(Text(kStrMenuAnnotate), kAnnotateMenu, this));
    menuBar()->addMenu(BuildMenu(Text(kStrMenuTools), kToolsMenu, this));

    // The command bar's two buttons (tool bar 901) sit at the right of the menu bar.
    commandButtons_ = new QToolBar(this);
    commandButtons_->setIconSize(QSize(16, 16));
    for (int id : ToolBarButtons(901)) {
        if (QAction* action = Action(id)) commandButtons_->addAction(action);
    }
    menuBar()->setCornerWidget(commandButtons_, Qt::TopRightCorner);

    contextMenus_["Thumbnail"] = BuildMenu(QStringLiteral("Thumbnail"), kThumbnailContext, this);
    contextMenus_["Thumbnail2"] = BuildMenu(QStringLiteral("Thumbnail2"), kThumbnail2Context, this);
    contextMenus_["ThumbnailOpt"] =
        BuildMenu(QStringLiteral("ThumbnailOpt"), kThumbnailOptMenu, this);
    contextMenus_["FS Menu"] = BuildMenu(QStringLiteral("FS Menu"), kFullScreenContext, this);
    contextMenus_["Image"] = BuildMenu(QStringLiteral("Image"), kImageContext, this);
    contextMenus_["Dir"] = BuildMenu(QStringLiteral("Dir"), kFolderContext, this);
    rotateMenu_ = BuildMenu(Text(cmd::kRotateMenu), kRotateMenu, this);
    zoomMenu_ = BuildMenu(Text(cmd::kPanAndZoom), kZoomMenu, this);

    goToMenu_ = new QMenu(this);
    connect(goToMenu_, &QMenu::aboutToShow, this, [this] {
        goToMenu_->clear();
        for (const GoToMenuItem& item : RecentMenuItems(app_.Doc().Recent().Folders())) {
            const int id = item.command;
            goToMenu_->addAction(QString::fromStdString(item.text), this,
                                 [this, id] { Execute(id); });
        }
        goToMenu_->addSeparator();
        const std::pair<int, QString> fixed[] = {
            {kGoDocuments, QString::fromStdString(DocumentsFolder())},
            {kGoStorageCard, Text(kGoStorageCard)},
            {kGoUpOneLevel, Text(kGoUpOneLevel)},
            {kGoHome, Text(kGoHome)},
        };
        for (const auto& [id, text] : fixed) {
            goToMenu_->addAction(text, this, [this, id = id] { Execute(id); });
        }
    });
}

void CMainFrame::CreateModeMenu() {
    modeMenu_ = new CODMenu(this);
    modeMenu_->SetCurrent([this] { return Mode(); });
    // Slide Show, a separator, then Full Screen, Filmstrip, Filename, List, Thumbnail; modes
    // not built yet are left out.
    const int modes[] = {cmd::kSlideShow, 0,          cmd::kFullScreen, cmd::kFilmstrip,
                         cmd::kFilename,  cmd::kList, cmd::kThumbnail};
    bool pendingSeparator = false;
    for (int id : modes) {
        if (id == 0) {
            pendingSeparator = !modeMenu_->actions().isEmpty();
            continue;
        }
        QAction* action = Action(id);
        if (!action) continue;
        if (pendingSeparator) modeMenu_->addSeparator();
        pendingSeparator = false;
        modeMenu_->AddItem(action, id, action->icon());
    }
}

void CMainFrame::CreateToolMenus() {
    toolMenu_ = new CODMenu(this);
    toolMenu_->SetCurrent(
        [this] { return CommandOfToolMode(app_.Prefs().uiInfo.Get(ui::kToolMode)); });
    for (int id : {cmd::kPanTools, cmd::kZoomTools, cmd::kAnnotationTools}) {
        if (QAction* action = Action(id)) toolMenu_->AddItem(action, id, action->icon());
    }
    penMenu_ = new CODMenu(this);
    penMenu_->SetCurrent(
        [this] { return static_cast<int>(app_.Prefs().uiInfo.Get(ui::kInkWidth)); });
    for (int width = 1; width <= cmd::kPenWidthMenuItems; ++width) {
        if (QAction* action = Action(cmd::kPenWidthFirst + width - 1)) {
            penMenu_->AddPenWidthItem(action, width);
        }
    }
}

void CMainFrame::PopupAtButton(QMenu* menu, int command, int above) {
    QWidget* button = toolBar_->widgetForAction(Action(command));
    if (!button || !button->isVisible()) {
        menu->popup(mapToGlobal(QPoint(0, 0)));
        return;
    }
    const QPoint lowerLeft = button->mapToGlobal(QPoint(0, button->height()));
    if (above < 0) {
        menu->popup(lowerLeft);
    } else {
        menu->popup(lowerLeft - QPoint(0, above + menu->sizeHint().height()));
    }
}

void CMainFrame::UpdateMenu(QMenu* menu) {
    for (QAction* action : menu->actions()) {
        if (action->menu() || action->isSeparator()) continue;
        UpdateAction(action);
    }
}

void CMainFrame::UpdateAction(QAction* action) {
    for (const auto& [id, a] : actions_) {
        if (a != action) continue;
        const CommandState state = QueryState(id);
        action->setEnabled(state.enabled);
        if (action->isCheckable()) action->setChecked(state.checked);
        if (!state.text.empty()) action->setText(QString::fromStdString(state.text));
        return;
    }
}

void CMainFrame::LoadToolBar(int toolBarId) {
    toolBarId_ = toolBarId;
    toolBar_->clear();
    const uint32_t toolMode = app_.Prefs().uiInfo.Get(ui::kToolMode);
    bool separator = false;
    for (int id : ToolBarButtons(toolBarId)) {
        if (id == 0) {
            separator = !toolBar_->actions().isEmpty();
            continue;
        }
        QAction* action = Action(id);
        if (!action) continue;  // the command's feature is not built yet
        // The image view's zoom is never exactly 100 percent while no image view exists.
        if (!ToolButtonVisible(toolMode, id, false)) continue;
        if (separator) toolBar_->addSeparator();
        separator = false;
        toolBar_->addAction(action);
    }
    ScheduleToolBarUpdate();
}

void CMainFrame::ScheduleToolBarUpdate() {
    toolBarUpdate_.start();
}

void CMainFrame::UpdateTitle() {
    // The picture with its size and zoom in the image modes, else the folder.
    const CImageEntry* shown = imgView_->Shown();
    QString title;
    if (IsSingleImageMode(Mode()) && shown != nullptr) {
        title = QString::fromStdString(shown->Name());
        if (shown->Has(kEntryHeader)) {
            title += QStringLiteral(" \u2014 %1 \u00d7 %2 \u2014 %3 %")
                         .arg(shown->Header().width)
                         .arg(shown->Header().height)
                         .arg(imgView_->ZoomPercent());
        }
    } else if (const QString folder = QString::fromStdString(app_.Doc().CurrentFolder());
               !folder.isEmpty()) {
        title = QFileInfo(folder).fileName();
        if (title.isEmpty()) title = folder;
    }
    // The platform adds the program's name after the title.
    setWindowTitle(title.isEmpty() ? Text(kStrAppTitle) : title);
}

void CMainFrame::UpdateToolBar() {
    UpdateTitle();
    for (QAction* action : toolBar_->actions())
        UpdateAction(action);
    // A shortcut works only while its action is enabled: those follow the state too.
    for (const auto& [id, action] : actions_) {
        if (!action->shortcut().isEmpty()) UpdateAction(action);
    }
    for (QAction* action : commandButtons_->actions())
        UpdateAction(action);
}

// Modes -------------------------------------------------------------------------------------

void CMainFrame::SwitchMode(int mode) {
    if (mode == kModeVgaFilmstrip) {
        // The picture would go to an external display; without an output plug-in the mode
        // stays.
        if (!app_.VgaAvailable()) {
            ShowMessage(this, LoadString(kStrNoVgaDevice));
            return;
        }
    }
    // Any other mode ends a running show first; the show itself starts through Slide Show.
    if (slideShow_ && slideShow_->Running() && mode != kModeSlideShowView) slideShow_->End();
    // VGA Slide Show starts through its command, as Slide Show does.
    if (!IsBrowsingMode(mode) && mode != kModeFilmstrip && mode != kModeFullScreen &&
        mode != kModeVgaFilmstrip) {
        return;
    }
    CTavoDoc& doc = app_.Doc();
    if (doc.Count() == 0 && IsImageMode(mode)) mode = kModeThumbnail;
    if (IsSingleImageMode(mode)) KeepOneSelected();
    if (mode == app_.ViewMode()) return;
    const int previous = app_.ViewMode();
    app_.SetFlag(kAppSwitchingMode, true);
    app_.SetPreviousMode(previous);
    app_.SetMode(mode);
    // An animated picture's bar is asked for by the image view as it shows the picture.
    const int imageBar = ImageModeToolBar(mode, false);
    SetFullScreen(mode == kModeFullScreen, imageBar != 0 ? imageBar : kBrowseToolBar);
    if (!IsImageMode(mode)) browsers_->setCurrentWidget(ActiveBrowser());
    ArrangePanes(mode, previous);
    QWidget* browser = ActiveBrowser();
    activeView_ = browser;
    app_.SetFlag(kAppSwitchingMode, false);
    view_->ModeChanged();
    listView_->ModeChanged();
    imgView_->SetImage(IsSingleImageMode(mode) ? doc.EntryAt(doc.FirstSelected()) : nullptr);
    tree_->viewport()->update();
    if (isVisible()) FocusTarget()->setFocus();
    if (vga_) vga_->ModeSwitched();
    ScheduleToolBarUpdate();
}

void CMainFrame::KeepOneSelected() {
    CTavoDoc& doc = app_.Doc();
    if (doc.SelectedCount() == 1) return;
    const int keep = std::max(0, doc.FirstSelected());
    doc.ClearSelection();
    doc.SetSelected(keep, true);
}

void CMainFrame::ArrangePanes(int mode, int previousMode) {
    const bool wasBrowsing = !IsImageMode(previousMode) && previousMode != kModeNone;
    if (wasBrowsing && IsImageMode(mode)) browsingSizes_ = splitter_->sizes();
    // The pane that takes a change of the window's size: the browsing view or the picture.
    splitter_->setStretchFactor(1, IsImageMode(mode) ? 0 : 1);
    splitter_->setStretchFactor(2, IsImageMode(mode) ? 1 : 0);
    if (!IsImageMode(mode)) {
        browsers_->setMinimumSize(0, 0);
        imgView_->hide();
        tree_->show();
        browsers_->show();
        if (!browsingSizes_.isEmpty()) {
            splitter_->setSizes(browsingSizes_);
        } else {
            // Started in an image mode: the tree comes back at its remembered size.
            const int whole = splitter_->orientation() == Qt::Horizontal ? splitter_->width()
                                                                         : splitter_->height();
            splitter_->setSizes({treeExtent_, std::max(1, whole - treeExtent_), 0});
        }
        browsingSizes_.clear();
        return;
    }
    tree_->hide();
    imgView_->show();
    if (mode == kModeFullScreen) {
        browsers_->hide();
        return;
    }
    // The strip beside a landscape picture is one column wide, above a portrait one one row high.
    browsers_->setCurrentWidget(view_);
    browsers_->show();
    // A strip thinner than the scroll area's own minimum must still be allowed.
    browsers_->setMinimumSize(1, 1);
    const bool beside = splitter_->orientation() == Qt::Horizontal;
    const int strip = StripExtent();
    const int whole = beside ? splitter_->width() : splitter_->height();
    splitter_->setSizes({0, strip, std::max(1, whole - strip)});
    // The handle between strip and picture is the one to drag; the splitter settles which
    // handles show only when asked after its panes were hidden and shown.
    splitter_->refresh();
    app_.SetFlag(kAppFilmstripVisible, true);
}

int CMainFrame::StripExtent() const {
    const CellStyle style = view_->Style();
    // A column needs the cell and the 2-pixel gap the grid keeps between columns.
    return splitter_->orientation() == Qt::Horizontal
               ? CellWidth(style.metrics, false, 0) + 2 +
                     view_->verticalScrollBar()->sizeHint().width()
               : CellHeight(style.metrics, false);
}

void CMainFrame::OnSplitterMoved() {
    if (!tree_->isHidden()) treeExtent_ = splitter_->FirstPaneSize();
    if (Mode() != kModeFilmstrip && Mode() != kModeVgaFilmstrip) return;
    // The strip has two sizes: its own, or none once dragged below half of it.
    const QList<int> sizes = splitter_->sizes();
    const int strip = StripExtent();
    const int total = sizes.value(1) + sizes.value(2);
    const bool visible = sizes.value(1) * 2 >= strip;
    const int kept = visible ? strip : 0;
    app_.SetFlag(kAppFilmstripVisible, visible);
    if (sizes.value(1) != kept) splitter_->setSizes({0, kept, std::max(1, total - kept)});
}

void CMainFrame::SetFullScreen(bool on, int toolBarId) {
    if (on) {
        menuBar()->hide();
        // A virtual screen (--screen) is the frame's whole size already; the platform's own
        // full screen would be the real screen's size.
        if (app_.Options().screen) {
            resize(app_.ScreenSize());
        } else {
            showFullScreen();
        }
    } else {
        if (isFullScreen()) showNormal();
        menuBar()->show();
        bottomBand_->hide();
    }
    if (toolBarId != 0) {
        LoadToolBar(toolBarId);
        // Full Screen may start without its tool bar; Toolbar in Full Screen brings it back.
        const bool hidden = Mode() == kModeFullScreen &&
                            app_.Prefs().preferences.IsSet(pref::kHideToolBarFullScreen);
        toolBar_->setVisible(on ? !hidden : app_.Prefs().uiInfo.IsSet(ui::kToolBarShown));
    }
}

QWidget* CMainFrame::ActiveBrowser() const {
    if (app_.ViewMode() == kModeFilename) return listView_;
    if (app_.ViewMode() == kModeFullScreen) return imgView_;
    return view_;
}

void CMainFrame::BeginStart() {
    splitter_->hide();
    bottomBand_->hide();
}

void CMainFrame::EndStart() {
    splitter_->show();
    FocusTarget()->setFocus();
}

QWidget* CMainFrame::FocusTarget() const {
    // In the image modes the keys (zoom, pan, next image) belong to the picture.
    return IsSingleImageMode(app_.ViewMode()) ? imgView_ : ActiveBrowser();
}

// Routing -----------------------------------------------------------------------------------

std::vector<CommandTarget*> CMainFrame::RoutingOrder() const {
    std::vector<CommandTarget*> order;
    // The slide show owns its commands in every mode, and comes first while it runs.
    order.push_back(slideShow_.get());
    if (vga_) order.push_back(vga_.get());
    auto add = [&order](QWidget* w) {
        if (auto* target = dynamic_cast<CommandTarget*>(w)) order.push_back(target);
    };
    // The first pane, then the second (the browsing view), then the frame, then the document.
    // In the image modes the panes are the strip and the image view.
    const int mode = app_.ViewMode();
    if (!IsImageMode(mode)) add(tree_);
    add(ActiveBrowser());
    if (mode == kModeFilmstrip || mode == kModeVgaFilmstrip) add(imgView_);
    order.push_back(const_cast<CMainFrame*>(this));
    order.push_back(docCommands_.get());
    order.push_back(findCommands_.get());
    order.push_back(captureCommands_.get());
    order.push_back(fileCommands_.get());
    order.push_back(imageCommands_.get());
    order.push_back(noteCommands_.get());
    order.push_back(pictureFrames_.get());
    order.push_back(desktopCommands_.get());
    order.push_back(localLinkCommands_.get());
    order.push_back(mailCommands_.get());
    return order;
}

bool CMainFrame::Execute(int id) {
    for (CommandTarget* target : RoutingOrder()) {
        CommandState state;
        if (!target->onUpdate(id, state)) continue;
        if (!state.enabled) return false;
        return target->onCommand(id);
    }
    return false;
}

CommandState CMainFrame::QueryState(int id) {
    for (CommandTarget* target : RoutingOrder()) {
        CommandState state;
        if (target->onUpdate(id, state)) return state;
    }
    CommandState none;
    none.enabled = false;
    return none;
}

bool CMainFrame::onUpdate(int id, CommandState& state) {
    switch (id) {
        case cmd::kThumbnail:
        case cmd::kList:
        case cmd::kFilename:
        case cmd::kFilmstrip:
        case cmd::kFullScreen:
            state.checked = Mode() == id;
            return true;
        case cmd::kToolBar:
            state.checked = app_.Prefs().uiInfo.IsSet(ui::kToolBarShown);
            return true;
        case cmd::kLargeThumbnail:
        case cmd::kNormalThumbnail:
        case cmd::kSmallThumbnail:
        case cmd::kTinyThumbnail:
            state.checked = app_.Prefs().desktopSize == 0 &&
                            static_cast<int>(app_.Prefs().preferences.Get(pref::kThumbnailSize)) ==
                                id - cmd::kLargeThumbnail;
            return true;
        case cmd::kHugeThumbnail:
        case cmd::kGiantThumbnail:
            state.checked = app_.Prefs().desktopSize == id - cmd::kHugeThumbnail + 1;
            return true;
        case cmd::kPanTools:
        case cmd::kZoomTools:
        case cmd::kAnnotationTools:
            state.checked =
                static_cast<int>(app_.Prefs().uiInfo.Get(ui::kToolMode)) == ToolModeOfCommand(id);
            return true;
        case cmd::kExitFullScreen:
            state.enabled = UsesFullScreenLayout(Mode());
            return true;
        case cmd::kToolBarFullScreen:
            state.enabled = UsesFullScreenLayout(Mode());
            state.checked = !toolBar_->isHidden();
            return true;
        case cmd::kRotateMenu:
        case cmd::kPanAndZoom:
            state.enabled = IsSingleImageMode(Mode()) && imgView_->Displayed().width > 0;
            return true;
        case cmd::kPenWidth: {
            const bool slideShow = Mode() == kModeSlideShowView || Mode() == kModeVgaSlideShow;
            state.enabled = (app_.Flags() & kAppGifPlaying) == 0 &&
                            (!slideShow || app_.Prefs().preferences.IsSet(pref::kInkOnSlides));
            return true;
        }
        case cmd::kPanTool:
        case cmd::kZoomTool:
        case cmd::kAnnotationTool:
        case cmd::kSwitchMode:
        case cmd::kThumbnailsAndColors:
        case cmd::kThumbnailOption:
        case cmd::kHomeFolder:
        case cmd::kHelp:
        case cmd::kAbout:
        case cmd::kExit:
            return true;
        case cmd::kForwardedCommandLine:
            return true;
        default:
            return false;
    }
}

bool CMainFrame::onCommand(int id) {
    switch (id) {
        case cmd::kFullScreen:
            // The Full Screen command (F11) toggles, as on every desktop.
            SwitchMode(Mode() == kModeFullScreen ? ExitFullScreenTarget(app_.PreviousMode()) : id);
            return true;
        case cmd::kThumbnail:
        case cmd::kList:
        case cmd::kFilename:
        case cmd::kFilmstrip:
            SwitchMode(id);
            return true;
        case cmd::kToolBar:
            ToggleToolBar();
            return true;
        case cmd::kThumbnailsAndColors:
            EditThumbnailOptions();
            return true;
        case cmd::kLargeThumbnail:
        case cmd::kNormalThumbnail:
        case cmd::kSmallThumbnail:
        case cmd::kTinyThumbnail:
        case cmd::kHugeThumbnail:
        case cmd::kGiantThumbnail:
            SetThumbnailSize(id);
            return true;
        case cmd::kSwitchMode: {
            QWidget* button = commandButtons_->widgetForAction(Action(id));
            const QPoint at = button ? button->mapToGlobal(QPoint(0, button->height()))
                                     : mapToGlobal(QPoint(0, 0));
            modeMenu_->popup(at);
            return true;
        }
        case cmd::kPanTool:
        case cmd::kZoomTool:
        case cmd::kAnnotationTool:
            PopupAtButton(toolMenu_, id, kToolMenuLift);
            return true;
        case cmd::kPanTools:
        case cmd::kZoomTools:
        case cmd::kAnnotationTools:
            SetToolMode(id);
            return true;
        case cmd::kExitFullScreen:
            SwitchMode(ExitFullScreenTarget(app_.PreviousMode()));
            return true;
        case cmd::kToolBarFullScreen:
            toolBar_->setVisible(toolBar_->isHidden());
            return true;
        case cmd::kRotateMenu:
            PopupAtButton(rotateMenu_, id, kToolMenuLift);
            return true;
        case cmd::kPanAndZoom:
            PopupAtButton(zoomMenu_, id, kToolMenuLift);
            return true;
        case cmd::kPenWidth:
            PopupAtButton(penMenu_, id, -1);
            return true;
        case cmd::kThumbnailOption: {
            QWidget* button = toolBar_->widgetForAction(Action(id));
            QMenu* menu = contextMenus_["ThumbnailOpt"];
            menu->popup(button ? button->mapToGlobal(QPoint(0, 0)) -
                                     QPoint(0, menu->sizeHint().height())
                               : mapToGlobal(QPoint(0, 0)));
            return true;
        }
        case cmd::kHomeFolder:
            ShowGoToMenu();
            return true;
        case cmd::kHelp:
            OpenHelp(HelpTopicNow());
            return true;
        case cmd::kAbout: {
            CAboutDialog dialog(this);
            runDialog(dialog);
            return true;
        }
        case cmd::kExit:
            close();
            return true;
        case cmd::kForwardedCommandLine:
            app_.OnForwardedCommandLine();
            return true;
        default:
            return false;
    }
}

void CMainFrame::SetToolMode(int command) {
    const int mode = ToolModeOfCommand(command);
    UiInfoBlock& uiInfo = app_.Prefs().uiInfo;
    if (static_cast<int>(uiInfo.Get(ui::kToolMode)) == mode) return;
    uiInfo.Set(ui::kToolMode, static_cast<uint32_t>(mode));
    if (toolBarId_ != 0) LoadToolBar(toolBarId_);
}

void CMainFrame::ToggleToolBar() {
    UiInfoBlock& uiInfo = app_.Prefs().uiInfo;
    const bool shown = !uiInfo.IsSet(ui::kToolBarShown);
    uiInfo.Set(ui::kToolBarShown, shown ? 1 : 0);
    if (!isFullScreen()) toolBar_->setVisible(shown);
}

void CMainFrame::EditThumbnailOptions() {
    CPreferences& prefs = app_.Prefs();
    CThumbnailsDialog dialog(ThumbnailOptions::Read(prefs), this);
    if (runDialog(dialog) != QDialog::Accepted) return;
    // A size chosen in the dialog replaces a desktop size the dialog does not list.
    if (dialog.Options().size != ThumbnailOptions::Read(prefs).size) prefs.desktopSize = 0;
    dialog.Options().Store(prefs);
    prefs.ApplyDecodeSettings();
    prefs.SavePreferences(app_.Store());
    if (Mode() == kModeThumbnail || Mode() == kModeList) view_->ModeChanged();
}

void CMainFrame::SetThumbnailSize(int command) {
    CPreferences& prefs = app_.Prefs();
    const bool larger = command == cmd::kHugeThumbnail || command == cmd::kGiantThumbnail;
    const int desktopSize = larger ? command - cmd::kHugeThumbnail + 1 : 0;
    const uint32_t size = larger ? prefs.preferences.Get(pref::kThumbnailSize)
                                 : static_cast<uint32_t>(command - cmd::kLargeThumbnail);
    if (prefs.preferences.Get(pref::kThumbnailSize) == size && prefs.desktopSize == desktopSize) {
        return;
    }
    prefs.preferences.Set(pref::kThumbnailSize, size);
    prefs.desktopSize = desktopSize;
    prefs.Derive();
    if (Mode() == kModeThumbnail || Mode() == kModeList) view_->ModeChanged();
}

void CMainFrame::ShowGoToMenu() {
    QWidget* button = toolBar_->widgetForAction(Action(cmd::kHomeFolder));
    const QPoint at = button ? button->mapToGlobal(QPoint(0, 0)) : mapToGlobal(QPoint(0, 0));
    goToMenu_->popup(at - QPoint(0, goToMenu_->sizeHint().height()));
}

QString CMainFrame::HelpTopicNow() const {
    const int mode = app_.ViewMode();
    if ((app_.Flags() & kAppVoiceActive) != 0)
        return QString::fromLatin1(HelpTopic(kHelpRecordAudio));
    if ((mode >= kModeThumbnail && mode <= kModeFilmstrip) || mode == kModeVgaFilmstrip) {
        return QString::fromLatin1(HelpTopic(mode));
    }
    return QString::fromLatin1(HelpTopic(0));
}

void CMainFrame::OpenHelp(const QString& topic) {
    QUrl url = QUrl::fromLocalFile(HelpFilePath());
    url.setFragment(topic);
    openHelp(url);
}

void CMainFrame::RemoteKey(int kind, int digit) {
    constexpr Qt::Key kKeys[] = {Qt::Key_unknown, Qt::Key_Left, Qt::Key_Right,
                                 Qt::Key_Up,      Qt::Key_Down, Qt::Key_Return};
    QString text;
    int key = Qt::Key_unknown;
    if (kind == 0) {
        if (digit < 0 || digit > 9) return;
        key = Qt::Key_0 + digit;
        text = QString(QChar('0' + digit));
    } else if (kind > 0 && kind < static_cast<int>(std::size(kKeys))) {
        key = kKeys[kind];
    } else {
        return;
    }
    QWidget* target = QApplication::focusWidget();
    if (!target) target = this;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
}

// ViewHost ----------------------------------------------------------------------------------

int CMainFrame::Mode() const {
    return app_.ViewMode();
}

CPreferences& CMainFrame::Prefs() {
    return app_.Prefs();
}

void CMainFrame::PostCommand(int command) {
    QTimer::singleShot(0, this, [this, command] { Execute(command); });
}

void CMainFrame::SetActiveView(QWidget* view) {
    activeView_ = view;
    ScheduleToolBarUpdate();
}

QMenu* CMainFrame::ContextMenu(const char* name) {
    const auto it = contextMenus_.find(name);
    if (it == contextMenus_.end()) return nullptr;
    UpdateMenu(it->second);
    return it->second;
}

void CMainFrame::Beep() {
    QApplication::beep();
}

void CMainFrame::FocusBrowser() {
    if (QWidget* browser = ActiveBrowser()) browser->setFocus();
}

bool CMainFrame::RepaintBlocked() const {
    return (app_.Flags() & kAppSwitchingMode) != 0;
}

void CMainFrame::RequestToolBar(int toolBarId) {
    if (toolBarId != 0 && toolBarId != toolBarId_) LoadToolBar(toolBarId);
}

void CMainFrame::SetGifPlaying(bool playing) {
    app_.SetFlag(kAppGifPlaying, playing);
    ScheduleToolBarUpdate();
}

// Window events -----------------------------------------------------------------------------

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!tree_->isHidden()) treeExtent_ = splitter_->FirstPaneSize();
    app_.Prefs().uiInfo.Set(ui::kTreePane1, static_cast<uint16_t>(treeExtent_));
    event->accept();
}

void CMainFrame::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        if (!isActiveWindow()) {
            lastFocus_ = focusWidget();
            // An animation does not play on behind other windows.
            if ((app_.Flags() & kAppGifPlaying) != 0) Execute(cmd::kStop);
        } else {
            // Qt gives the focus to the window's latest focus child after this event; the
            // window that had it when the frame was left gets it back instead, and without one
            // the view the keys belong to.
            QTimer::singleShot(0, this, [this] {
                if (!isActiveWindow()) return;
                if (lastFocus_ && lastFocus_->isVisible()) {
                    lastFocus_->setFocus();
                } else if (!focusWidget()) {
                    FocusTarget()->setFocus();
                }
            });
        }
    }
    QMainWindow::changeEvent(event);
}

}  // namespace xelo
