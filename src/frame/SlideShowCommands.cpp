#include "frame/SlideShowCommands.h"

#include <QApplication>
#include <QCursor>
#include <QDateTime>
#include <QLayout>
#include <QMenu>
#include <QToolBar>
#include <algorithm>

#include "album/TavoDoc.h"
#include "base/StringTable.h"
#include "base/ViewModes.h"
#include "command/CommandIds.h"
#include "frame/FrameHost.h"
#include "frame/MainFrame.h"
#include "frame/OptionsSheet.h"
#include "frame/PictureFrameCommands.h"
#include "frame/TavoSplitter.h"
#include "frame/VgaCommands.h"
#include "image/TavoException.h"
#include "output/ExternalDisplay.h"
#include "output/VgaSettings.h"
#include "platform/MessageBox.h"
#include "settings/Preferences.h"
#include "slideshow/PictureFrames.h"
#include "slideshow/SlideShowController.h"
#include "views/SlideShowView.h"
#include "views/SlideTextPainter.h"

namespace xelo {

namespace {

constexpr int kSlideToolBar = 906;
constexpr int kGoToNameLength = 20;

bool IsSlideMode(int mode) {
    return mode == kModeSlideShowView || mode == kModeVgaSlideShow;
}

}  // namespace

CSlideShowCommands::CSlideShowCommands(FrameHost& app, CMainFrame& frame)
    : app_(app), frame_(frame), textPainter_(std::make_unique<CSlideTextPainter>()) {}

CSlideShowCommands::~CSlideShowCommands() {
    End();
}

bool CSlideShowCommands::onUpdate(int id, CommandState& state) {
    const bool inShow = show_ && IsSlideMode(app_.ViewMode());
    const bool playing = inShow && show_->Playing();
    switch (id) {
        case cmd::kSlideShow: {
            state.enabled = HasVisibleSlides(app_.Doc());  // something to show
            state.checked = app_.ViewMode() == kModeSlideShowView;
            return true;
        }
        case cmd::kSlideFirst:
        case cmd::kSlidePrevious:
            state.enabled = inShow && show_->CanMoveBack();
            return true;
        case cmd::kSlideNext:
        case cmd::kSlideLast:
            state.enabled = inShow && show_->CanMoveForward();
            return true;
        case cmd::kSlidePlay:
            state.enabled = inShow && show_->CanPlay();
            return true;
        case cmd::kSlideStop:
            state.enabled = playing;
            return true;
        case cmd::kSlideExit:
        case cmd::kSlideGoTo:
            state.enabled = inShow;
            return true;
        case cmd::kUndoLastStroke:
            // The slide's own ink while a show is on screen; the picture's otherwise.
            if (!inShow) return false;
            state.enabled = view_->Ink().Layer().Count() > 0;
            return true;
        case cmd::kOptions:
        case cmd::kSlideProperties:
            // Not while slides move on their own.
            state.enabled = !(inShow && (show_->Playing() || show_->Animating()));
            return true;
        default:
            if (id >= cmd::kGoToSlideFirst && id <= cmd::kGoToSlideLast) {
                state.enabled = inShow && !playing;
                return true;
            }
            return false;
    }
}

bool CSlideShowCommands::onCommand(int id) {
    if (id == cmd::kSlideShow) {
        Start();
        return true;
    }
    if (id == cmd::kOptions || id == cmd::kSlideProperties) {
        OpenOptions();
        return true;
    }
    if (id == cmd::kUndoLastStroke) {
        if (!show_ || !IsSlideMode(app_.ViewMode())) return false;
        view_->UndoLastStroke();
        frame_.ScheduleToolBarUpdate();
        return true;
    }
    if (!show_) return id >= cmd::kSlidePrevious && id <= cmd::kSlideGoTo;
    switch (id) {
        case cmd::kSlideFirst:
            show_->First();
            return true;
        case cmd::kSlidePrevious:
            show_->Previous();
            return true;
        case cmd::kSlideNext:
            show_->Next();
            return true;
        case cmd::kSlideLast:
            show_->Last();
            return true;
        case cmd::kSlidePlay:
            show_->Play();
            return true;
        case cmd::kSlideStop:
            show_->Stop();
            return true;
        case cmd::kSlideExit:
            Exit();
            return true;
        case cmd::kSlideGoTo:
            ShowGoToMenu(nullptr);
            return true;
        default:
            if (id >= cmd::kGoToSlideFirst && id <= cmd::kGoToSlideLast) {
                show_->GoTo(id - cmd::kGoToSlideFirst);
                return true;
            }
            return false;
    }
}

bool CSlideShowCommands::StartExternal(output::CExternalDisplay& display) {
    return Start(&display);
}

bool CSlideShowCommands::Start(output::CExternalDisplay* external) {
    End();
    CTavoDoc& doc = app_.Doc();
    CPreferences& prefs = app_.Prefs();
    std::vector<int> albumIndex;
    std::vector<SlideItem> slides = VisibleSlides(doc, &albumIndex);
    SlideSettings settings = ReadSlideSettings(prefs.preferences);
    const QSize screen = app_.ScreenSize();
    Size output{screen.width(), screen.height()};
    if (external) {
        settings = output::ExternalSlideSettings(settings, prefs.vgaOut);
        output = external->OutputSize();
    }
    if (!view_) {
        view_ = new CSlideShowView(frame_.centralWidget());
        frame_.centralWidget()->layout()->addWidget(view_);
        view_->hide();
        view_->onCommand = [this](int command) { onCommand(command); };
        view_->onShowToolBar = [this](bool on) {
            frame_.ToolBar()->setVisible(on);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        };
        view_->onStateChanged = [this] { frame_.ScheduleToolBarUpdate(); };
        view_->onContextMenu = [this](const QPoint& at) { ShowGoToMenu(&at); };
        view_->inkPen = [this](LtPen& pen) {
            const CPreferences& p = app_.Prefs();
            pen = LtPen{0, std::clamp(static_cast<int>(p.uiInfo.Get(ui::kInkWidth)), 1, 99),
                        p.uiInfo.Get(ui::kInkColour) & 0xFFFFFF};
            return p.preferences.IsSet(pref::kInkOnSlides);
        };
    }
    try {
        pictureFrames_.reset();
        if (settings.frames) {
            pictureFrames_ = std::make_unique<CPictureFrames>();
            if (prefs.preferences.IsSet(pref::kSingleFrameFile)) {
                pictureFrames_->BuildFromFile(prefs.frameFile, output);
            } else {
                pictureFrames_->BuildFromFolder(PictureFrameFolder(prefs.framePath), output);
            }
        }
        SlideComposeContext context{output, settings, app_.Screen(), textPainter_.get()};
        auto renderer = std::make_unique<CSlideRenderer>(context, pictureFrames_.get());
        show_ = std::make_unique<CSlideShowController>(
            *view_, settings, std::move(slides), std::move(renderer), context,
            static_cast<uint32_t>(QDateTime::currentMSecsSinceEpoch()));
    } catch (const CTavoException& e) {
        show_.reset();
        ShowMessage(&frame_, LoadString(kMsgCannotPlay) + "\n" + e.GetErrorMessage());
        return false;
    }
    // The show takes the whole window: the browsing panes go.
    const int first = doc.FirstSelected();
    const auto at = std::find(albumIndex.begin(), albumIndex.end(), first);
    const int startSlide = at == albumIndex.end() ? 0 : static_cast<int>(at - albumIndex.begin());
    const int previous = app_.ViewMode();
    app_.SetPreviousMode(previous);
    app_.SetMode(external ? kModeVgaSlideShow : kModeSlideShowView);
    external_ = external;
    view_->onSurfaceShown = [this](const CDibImage& surface) {
        if (external_) external_->Present(surface);
    };
    // A show on the screen lets the external display go and its hot keys with it.
    if (frame_.Vga()) frame_.Vga()->ModeSwitched();
    app_.SetFlag(kAppSlideShow, true);
    frame_.SetFullScreen(true, kSlideToolBar);
    frame_.Splitter()->hide();
    view_->Attach(show_.get(), QSize(output.width, output.height));
    view_->show();
    view_->setFocus();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    show_->Start(startSlide);
    frame_.ScheduleToolBarUpdate();
    return true;
}

void CSlideShowCommands::OpenOptions() {
    const bool inShow = show_ && IsSlideMode(app_.ViewMode());
    if (inShow && (show_->Playing() || show_->Animating())) return;
    if (!RunOptionsSheet(app_, frame_) || !inShow) return;
    // The show starts again with the new settings, on the slide that was showing.
    const std::string current = show_->SlideAt(show_->Position()).name;
    CTavoDoc& doc = app_.Doc();
    int index = -1;
    if (doc.FindByName(current, &index) != nullptr) {
        doc.ClearSelection();
        doc.SetSelected(index, true);
    }
    const int previous = app_.PreviousMode();
    // A VGA show opens the external display again: its mode may have changed.
    const bool restarted = app_.ViewMode() == kModeVgaSlideShow
                               ? frame_.Execute(cmd::kVgaSlideShow) && external_ != nullptr
                               : Start();
    if (!restarted) {
        frame_.SwitchMode(kModeThumbnail);
        return;
    }
    app_.SetPreviousMode(previous);
}

void CSlideShowCommands::End() {
    if (!show_) return;
    show_->Exit();
    // A projector is left black rather than on the last slide, when the VGA page asks so.
    if (external_ && app_.Prefs().vgaOut.IsSet(vga::kCleanOnSwitch)) external_->PresentBlack();
    external_ = nullptr;
    if (view_) {
        view_->Attach(nullptr, QSize());
        view_->hide();
    }
    show_.reset();
    pictureFrames_.reset();
    app_.SetFlag(kAppSlideShow, false);
    frame_.Splitter()->show();
}

void CSlideShowCommands::Exit() {
    const int previous = app_.PreviousMode();
    End();
    const bool back = previous == kModeThumbnail || previous == kModeList ||
                      previous == kModeFilename || previous == kModeFilmstrip ||
                      previous == kModeFullScreen;
    frame_.SwitchMode(back ? previous : kModeThumbnail);
}

void CSlideShowCommands::ShowGoToMenu(const QPoint* at) {
    if (!show_) return;
    QMenu menu(&frame_);
    for (int i = 0; i < show_->Count() && i <= cmd::kGoToSlideLast - cmd::kGoToSlideFirst; ++i) {
        QString name = QString::fromStdString(show_->SlideAt(i).name);
        if (name.size() > kGoToNameLength) name = name.left(kGoToNameLength);
        QAction* item = menu.addAction(QStringLiteral("%1 %2").arg(i + 1).arg(name));
        item->setCheckable(true);
        item->setChecked(i == show_->Position());
        item->setEnabled(!show_->Playing());
        QObject::connect(item, &QAction::triggered, &menu,
                         [this, i] { onCommand(cmd::kGoToSlideFirst + i); });
    }
    menu.addSeparator();
    for (int command : {cmd::kSlideFirst, cmd::kSlideLast}) {
        QAction* item = menu.addAction(QString::fromStdString(LoadString(command)));
        CommandState state;
        onUpdate(command, state);
        item->setEnabled(state.enabled);
        QObject::connect(item, &QAction::triggered, &menu, [this, command] { onCommand(command); });
    }
    QPoint where = at ? *at : QCursor::pos();
    if (!at) {
        if (QWidget* button = frame_.ToolBar()->widgetForAction(frame_.Action(cmd::kSlideGoTo))) {
            where = button->mapToGlobal(QPoint(0, 0)) - QPoint(0, menu.sizeHint().height());
        }
    }
    menu.exec(where);
}

}  // namespace xelo
