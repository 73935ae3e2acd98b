// The image view: zoom and orientation commands, the decode-scale choice with memory recovery,
// and the paint that renders the visible part of the picture into one 24-bit buffer.
#include "views/TavoImgView.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <new>

#include "settings/PrefLayout.h"
#include "settings/Preferences.h"
#include "platform/ScreenProbe.h"
#include "base/StringTable.h"
#include "platform/MessageBox.h"
#include "base/ViewModes.h"
#include "codec/ImageFile.h"
#include "command/CommandIds.h"
#include "command/ToolModes.h"
#include "image/ErrorCodes.h"
#include "image/ReducedPicture.h"
#include "image/RenderTransformed.h"
#include "image/TavoException.h"
#include "ink/EntryInk.h"
#include "views/CellPainter.h"
#include "views/FrameDelay.h"
#include "views/ImageViewGeometry.h"
#include "views/QuickView.h"
#include "views/Thumbnail.h"
#include "views/ViewHost.h"
#include "views/ZoomScale.h"
#include "views/ZoomSlider.h"

namespace xelo {

namespace {

using namespace cmd;

// Error steps of a paint.
constexpr int kStepDecode = 2;
constexpr int kStepBuffer = 3;
constexpr int kStepRender = 4;
constexpr int kStepCopy = 5;
constexpr uint32_t kStrUnableToAccess = 20504;

constexpr int kHoldMs = 500;
constexpr int kMinZoomRect = 15;    // width + height below which the zoom tool does nothing
constexpr int kDoubleTapSlop = 12;  // horizontal + vertical distance of a double tap
constexpr int kMinBandRows = 3;
constexpr uint32_t kStrGifTooLarge = 20022;
constexpr int kOptimiseNone = 1;  // "Color optimization:" None

bool IsOrientCommand(int id, OrientCommand& command) {
    switch (id) {
        case kRotateLeft:
            command = OrientCommand::kRotateLeft;
            return true;
        case kRotateRight:
            command = OrientCommand::kRotateRight;
            return true;
        case kRotate180:
            command = OrientCommand::kRotate180;
            return true;
        case kFlipUpDown:
            command = OrientCommand::kFlipUpDown;
            return true;
        case kFlipLeftRight:
            command = OrientCommand::kFlipLeftRight;
            return true;
        case kResetOrientation:
            command = OrientCommand::kReset;
            return true;
        default:
            return false;
    }
}

bool IsZoomCommand(int id) {
    return id == kZoomIn || id == kZoomOut || id == kActualSize || id == kFitToWindow ||
           ZoomStepPercent(id) != 0;
}

}  // namespace

CTavoImgView::CTavoImgView(CTavoDoc& doc, ViewHost& host, const ScreenCaps& screen, QWidget* parent)
    : QWidget(parent), doc_(doc), host_(host), screen_(screen) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    loadFrames = [](const std::string& path, CImageFrames& frames,
                    const std::optional<Size>& size) {
        CImageFile().LoadFrames(path, frames, size);
    };
    frameTimer_.setSingleShot(true);
    connect(&frameTimer_, &QTimer::timeout, this, [this] { OnFrameTimer(); });
    hold_.setSingleShot(true);
    hold_.setInterval(kHoldMs);
    connect(&hold_, &QTimer::timeout, this, [this] {
        const QPoint at = pressPoint_;
        EndDrag();
        ShowContextMenu(at);
    });
    doc_.AddObserver(this);
}

CTavoImgView::~CTavoImgView() {
    doc_.RemoveObserver(this);
}

Size CTavoImgView::Natural() const {
    if (shown_ == nullptr || !shown_->Has(kEntryHeader)) return {};
    return {shown_->Header().width, shown_->Header().height};
}

bool CTavoImgView::HasPicture() const {
    const Size n = Natural();
    return n.width > 0 && n.height > 0;
}

uint32_t CTavoImgView::Background() const {
    return host_.Prefs().preferences.Get(pref::kImageBackground);
}

double CTavoImgView::FitFactorNow() const {
    return FitFactor(Natural(), Window(), placement_.orientation);
}

void CTavoImgView::OnCurrentChanged(const CImageEntry* entry) {
    if (IsSingleImageMode(host_.Mode())) SetImage(entry);
}

void CTavoImgView::SetImage(const CImageEntry* entry) {
    StopAnimation();
    const bool otherEntry = entry != shown_;
    if (otherEntry) {
        inkCapture_.Cancel();
        if (drag_ == Drag::kInk) drag_ = Drag::kNone;
        SaveInkOf(ShownEntry());
        decoded_.Clear();
        decoded_.frames.clear();
        decodedPercent_ = 0;
        ++decodeCount_;
        reduced_.Release();
        composer_.Stop();
        animationFrames_.Close();
    }
    shown_ = entry;
    if (otherEntry) LoadInkOf(entry);
    player_.Reset(entry && entry->Has(kEntryHeader) ? entry->Header().frameCount : 0);
    composedIndex_ = -1;
    percent_ = 100;
    factor_ = 1.0;
    placement_ = {};
    failedStep_ = 0;
    decodeError_.clear();
    // Full Screen turns a picture whose shape goes against the screen's (the stored direction is
    // the only setting; there is no separate switch).
    if (host_.Mode() == kModeFullScreen && HasPicture()) {
        const Size screen{screen_.horizontalResolution, screen_.verticalResolution};
        placement_.orientation = AutoRotateOrientation(
            Natural(), screen, host_.Prefs().preferences.IsSet(pref::kAutoRotateLeft));
    }
    if (host_.Mode() == kModeFullScreen && HasPicture() && onFullScreenPicture &&
        framed_ != shown_) {
        framed_ = shown_;
        onFullScreenPicture();
    }
    ApplyDefaultZoom();
    LayoutZoomSlider();
    RecordView();
    if (IsSingleImageMode(host_.Mode()))
        host_.RequestToolBar(ImageModeToolBar(host_.Mode(), player_.Animated()));
    // An animated picture starts playing as soon as it shows.
    if (player_.Animated()) StartAnimation();
    update();
}

void CTavoImgView::SetPlaying(bool playing) {
    host_.SetGifPlaying(playing);
}

void CTavoImgView::StopAnimation() {
    frameTimer_.stop();
    if (player_.Stop()) SetPlaying(false);
}

bool CTavoImgView::StartAnimation() {
    if (!player_.CanPlay()) return false;
    // A picture that does not decode shows its error when painted; nothing plays.
    if (!EnsureDecoded()) return false;
    composedIndex_ = -1;
    if (!ComposeTo(0)) {
        ShowMessage(this, FormatString(kStrGifTooLarge, shown_->Name().c_str()));
        return false;
    }
    player_.Play();
    SetPlaying(true);
    StartFrameTimer();
    update();
    return true;
}

void CTavoImgView::StartFrameTimer() {
    const int index = player_.FrameIndex();
    // Before the first decode the header's frames are not known yet: a normal frame's wait.
    int delay = 10;
    if (index < static_cast<int>(decoded_.frames.size()))
        delay = decoded_.frames[static_cast<size_t>(index)]->delay;
    const auto speed = static_cast<AnimationSpeed>(host_.Prefs().preferences.Get(pref::kGifSpeed));
    frameTimer_.start(FrameDelayMs(delay, speed));
}

void CTavoImgView::OnFrameTimer() {
    if (!player_.Playing()) return;
    player_.Tick();
    update();
    StartFrameTimer();
}

double CTavoImgView::DefaultFactor() const {
    const auto mode = static_cast<DefaultZoom>(host_.Prefs().preferences.Get(pref::kDefaultZoom));
    return DefaultZoomFactor(mode, Natural(), Window(), placement_.orientation);
}

uint32_t CTavoImgView::ToolMode() const {
    return host_.Prefs().uiInfo.Get(ui::kToolMode);
}

void CTavoImgView::ApplyDefaultZoom() {
    windowSize_ = Window();
    userZoomed_ = false;
    if (!HasPicture()) return;
    factor_ = DefaultFactor();
    percent_ = PercentOfFactor(factor_);
    placement_.displayed = DisplayedSize(Natural(), factor_, placement_.orientation);
    placement_.offset = {CentredOffset(placement_.displayed.width, width()),
                         CentredOffset(placement_.displayed.height, height())};
    emit pictureChanged();
}

void CTavoImgView::SetZoom(int percent, double factor) {
    userZoomed_ = true;
    percent_ = percent;
    factor_ = factor;
    const Size old = placement_.displayed;
    placement_.displayed = DisplayedSize(Natural(), factor_, placement_.orientation);
    placement_.offset = {
        ZoomedOffset(placement_.offset.x, old.width, placement_.displayed.width, width()),
        ZoomedOffset(placement_.offset.y, old.height, placement_.displayed.height, height())};
    if (slider_ != nullptr) slider_->ShowPercent(percent_);
    RecordView();
    update();
}

void CTavoImgView::RecordView() {
    const Size natural = Natural();
    doc_.SetViewRecord({factor_, placement_.orientation, natural.width, natural.height});
    emit pictureChanged();
}

void CTavoImgView::ToggleZoomSlider() {
    if (slider_ == nullptr) {
        slider_ = new CZoomSlider(this);
        slider_->hide();
        connect(slider_, &CZoomSlider::percentChosen, this, [this](int percent) {
            if (HasPicture()) SetZoom(percent, percent / 100.0);
        });
    }
    slider_->setVisible(slider_->isHidden());
    LayoutZoomSlider();
}

void CTavoImgView::LayoutZoomSlider() {
    if (slider_ == nullptr || slider_->isHidden()) return;
    slider_->setGeometry(CZoomSlider::Placement(size(), host_.Mode()));
    slider_->ShowPercent(percent_);
}

void CTavoImgView::ScrollBy(int dx, int dy) {
    const Point before = placement_.offset;
    placement_.offset = {ClampOffset(before.x + dx, placement_.displayed.width, width()),
                         ClampOffset(before.y + dy, placement_.displayed.height, height())};
    if (placement_.offset != before) update();
}

void CTavoImgView::Orient(OrientCommand command) {
    placement_ = ApplyOrientation(command, placement_, Natural(), factor_, Window());
    // A picture still at its default zoom fits its new shape, as after a resize.
    if (!userZoomed_ && width() > 0 && height() > 0) ApplyDefaultZoom();
    RecordView();
    update();
}

void CTavoImgView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // A new window size (a mode's layout, the tool bar shown or hidden) refits a picture still
    // at its default zoom; a zoom the user chose stays, with the same point at the centre.
    const Size old = windowSize_;
    if (Window() != old) {
        if (userZoomed_ && HasPicture()) {
            const Size d = placement_.displayed;
            placement_.offset = {
                ClampOffset(placement_.offset.x + old.width / 2 - width() / 2, d.width, width()),
                ClampOffset(placement_.offset.y + old.height / 2 - height() / 2, d.height,
                            height())};
            windowSize_ = Window();
        } else {
            ApplyDefaultZoom();
        }
    }
    LayoutZoomSlider();
}

// Commands ----------------------------------------------------------------------------------

int CTavoImgView::ShownIndex() const {
    if (shown_ != nullptr) return doc_.IndexOf(shown_);
    return doc_.FirstSelected();
}

void CTavoImgView::StepImage(int step) {
    const int index = ShownIndex();
    const int next = index < 0 ? (step > 0 ? 0 : -1) : index + step;
    if (next < 0 || next >= doc_.Count()) {
        host_.Beep();
        return;
    }
    doc_.ClearSelection();
    doc_.SetSelected(next, true);  // the document tells the strip and this view
}

bool CTavoImgView::onUpdate(int id, CommandState& state) {
    if (id >= kPreviousFrame && id <= kStop) {
        state.enabled =
            IsSingleImageMode(host_.Mode()) && (id == kPreviousFrame ? player_.CanPreviousFrame()
                                                : id == kNextFrame   ? player_.CanNextFrame()
                                                : id == kPlay        ? player_.CanPlay()
                                                                     : player_.CanStop());
        return true;
    }
    if (id == kPreviousImage || id == kNextImage) {
        const int index = ShownIndex();
        state.enabled = IsSingleImageMode(host_.Mode()) &&
                        (id == kPreviousImage ? index > 0 : index + 1 < doc_.Count());
        return true;
    }
    if (id == kZoomSlider) {
        state.enabled = IsSingleImageMode(host_.Mode());
        state.checked = slider_ != nullptr && !slider_->isHidden();
        return true;
    }
    if (id == kQuickView) {
        state.enabled = QuickViewEnabled();
        return true;
    }
    OrientCommand orient;
    if (!IsZoomCommand(id) && !IsOrientCommand(id, orient)) return false;
    state.enabled = IsSingleImageMode(host_.Mode()) && HasPicture();
    if (id == kActualSize) state.checked = factor_ == 1.0;
    if (id == kFitToWindow) state.checked = HasPicture() && factor_ == FitFactorNow();
    if (const int step = ZoomStepPercent(id); step != 0) state.checked = step == percent_;
    return true;
}

bool CTavoImgView::onCommand(int id) {
    if (id == kPreviousImage || id == kNextImage) {
        StepImage(id == kPreviousImage ? -1 : 1);
        return true;
    }
    if (id >= kPreviousFrame && id <= kStop) {
        bool changed = false;
        if (id == kPreviousFrame) changed = player_.PreviousFrame();
        if (id == kNextFrame) changed = player_.NextFrame();
        if (id == kPlay) StartAnimation();
        if (id == kStop && player_.Playing()) {
            StopAnimation();
            changed = true;
        }
        if (changed) update();
        return true;
    }
    if (id == kZoomSlider) {
        ToggleZoomSlider();
        return true;
    }
    if (id == kQuickView) {
        RunQuickView();
        return true;
    }
    if (!HasPicture()) return false;
    OrientCommand orient;
    if (IsOrientCommand(id, orient)) {
        Orient(orient);
        return true;
    }
    const Size d = placement_.displayed;
    std::optional<int> percent;
    double factor = 0;
    if (id == kZoomIn) {
        percent = GenericZoomIn(percent_, d.width, d.height);
    } else if (id == kZoomOut) {
        percent = GenericZoomOut(percent_, d.width, d.height);
    } else if (id == kActualSize) {
        if (factor_ != 1.0) percent = 100;
    } else if (id == kFitToWindow) {
        factor = FitFactorNow();
        if (factor != factor_) percent = PercentOfFactor(factor);
    } else if (const int step = ZoomStepPercent(id); step != 0) {
        // Growing beyond the largest side or shrinking below one pixel changes nothing.
        const bool refused = step > percent_
                                 ? (d.width >= kMaxDisplayedSide || d.height >= kMaxDisplayedSide)
                                 : (d.width <= kMinDisplayedSide || d.height <= kMinDisplayedSide);
        if (!refused && step != percent_) percent = step;
    } else {
        return false;
    }
    if (!percent) {
        host_.Beep();
        return true;
    }
    SetZoom(*percent, factor != 0 ? factor : *percent / 100.0);
    return true;
}

// Input -------------------------------------------------------------------------------------

void CTavoImgView::keyPressEvent(QKeyEvent* event) {
    if (drag_ != Drag::kNone) return;
    const int mode = host_.Mode();
    const bool upDownBrowse = host_.Prefs().preferences.IsSet(pref::kUpDownBrowse);
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (mode == kModeFilmstrip) host_.PostCommand(kModeFullScreen);
            if (mode == kModeFullScreen) host_.PostCommand(kModeThumbnail);
            return;
        case Qt::Key_Left:
            if (!PanByKey(-1, 0)) StepImage(-1);
            return;
        case Qt::Key_Right:
            if (!PanByKey(1, 0)) StepImage(1);
            return;
        case Qt::Key_Up:
            if (PanByKey(0, -1)) return;
            if (upDownBrowse) {
                StepImage(-1);
            } else {
                onCommand(kZoomIn);
            }
            return;
        case Qt::Key_Down:
            if (PanByKey(0, 1)) return;
            if (upDownBrowse) {
                StepImage(1);
            } else {
                onCommand(kZoomOut);
            }
            return;
        // What a desktop keyboard offers besides the handheld's keys.
        case Qt::Key_Escape:
            if (mode == kModeFullScreen) host_.PostCommand(kExitFullScreen);
            return;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            onCommand(kZoomIn);
            return;
        case Qt::Key_Minus:
            onCommand(kZoomOut);
            return;
        case Qt::Key_1:
            if (event->modifiers() == Qt::NoModifier) onCommand(kActualSize);
            return;
        case Qt::Key_Menu:
            ShowContextMenu(rect().center());
            return;
        case Qt::Key_F10:
            if (event->modifiers() == Qt::ShiftModifier) {
                ShowContextMenu(rect().center());
                return;
            }
            QWidget::keyPressEvent(event);
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

bool CTavoImgView::PanByKey(int dx, int dy) {
    if (!HasPicture()) return false;
    const bool wider = placement_.displayed.width > width();
    const bool taller = placement_.displayed.height > height();
    if ((dx != 0 && !wider) || (dy != 0 && !taller)) return false;
    // An eighth of the window a press, as far as the picture's edge.
    ScrollBy(dx * std::max(16, width() / 8), dy * std::max(16, height() / 8));
    return true;
}

void CTavoImgView::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
    if (notches == 0 || drag_ != Drag::kNone) return;
    // The wheel steps through the images; with Ctrl it zooms.
    if (event->modifiers() & Qt::ControlModifier) {
        onCommand(notches > 0 ? kZoomIn : kZoomOut);
    } else {
        StepImage(notches > 0 ? -1 : 1);
    }
    event->accept();
}

void CTavoImgView::mousePressEvent(QMouseEvent* event) {
    host_.SetActiveView(this);
    setFocus();
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        EndDrag();
        ShowContextMenu(at);
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    pressPoint_ = at;
    lastPoint_ = at;
    offsetAtPress_ = placement_.offset;
    hold_.start();
    if (!HasPicture()) return;
    const uint32_t tool = ToolMode();
    if (tool == kToolAnnotate && InkAllowed()) {
        const CPreferences& prefs = host_.Prefs();
        const LtPen pen{0, std::clamp(static_cast<int>(prefs.uiInfo.Get(ui::kInkWidth)), 1, 99),
                        prefs.uiInfo.Get(ui::kInkColour) & 0xFFFFFF};
        if (inkCapture_.Press({at.x(), at.y()}, Geometry(), pen,
                              static_cast<uint32_t>(pictureInk_.Count()))) {
            drag_ = Drag::kInk;
        }
    } else if (tool == kToolZoom && SingleFrame()) {
        drag_ = Drag::kZoomRect;
        zoomRect_ = QRect();
    } else if (tool == kToolPan) {
        drag_ = Drag::kPan;
    }
}

void CTavoImgView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    // Any movement ends the wait for tap-and-hold.
    if (hold_.isActive() && at != pressPoint_) hold_.stop();
    if (drag_ == Drag::kPan) {
        // Nothing to pan when the whole picture is in the window; otherwise the picture
        // follows the pointer on each axis where it is larger than the window.
        const Size d = placement_.displayed;
        const int dx = d.width > width() ? lastPoint_.x() - at.x() : 0;
        const int dy = d.height > height() ? lastPoint_.y() - at.y() : 0;
        if (dx != 0 || dy != 0) ScrollBy(dx, dy);
    } else if (drag_ == Drag::kInk) {
        const QRect dirty = inkCapture_.Move({at.x(), at.y()}, Geometry());
        if (!dirty.isEmpty()) update(dirty);
    } else if (drag_ == Drag::kZoomRect) {
        const QRect before = zoomRect_;
        zoomRect_ = QRect(pressPoint_, at).normalized();
        update(before.united(zoomRect_).adjusted(-2, -2, 2, 2));
    }
    lastPoint_ = at;
}

void CTavoImgView::mouseReleaseEvent(QMouseEvent* event) {
    hold_.stop();
    if (drag_ == Drag::kInk && event->button() == Qt::LeftButton) {
        FinishStroke(event->position().toPoint());
        return;
    }
    const Drag drag = drag_;
    const QRect rect = zoomRect_;
    EndDrag();
    if (event->button() != Qt::LeftButton) return;
    if (drag == Drag::kZoomRect && !rect.isNull()) ZoomToRect(rect);
    // The drag drew without colour optimisation; the picture is drawn again with it.
    if (drag == Drag::kPan && placement_.offset != offsetAtPress_) update();
}

void CTavoImgView::EndDrag() {
    hold_.stop();
    if (drag_ == Drag::kInk) {
        inkCapture_.Cancel();
        update();
    }
    if (drag_ == Drag::kZoomRect && !zoomRect_.isNull()) update(zoomRect_.adjusted(-2, -2, 2, 2));
    drag_ = Drag::kNone;
    zoomRect_ = QRect();
}

void CTavoImgView::ZoomToRect(const QRect& rect) {
    const int rw = rect.width() - 1;
    const int rh = rect.height() - 1;
    if (rw + rh < kMinZoomRect) return;
    // The rectangle's centre moves to the window centre; SetZoom keeps it there.
    placement_.offset.x += rect.left() + rw / 2 - width() / 2;
    placement_.offset.y += rect.top() + rh / 2 - height() / 2;
    const double grow = std::min(rw > 0 ? static_cast<double>(width()) / rw : 1e9,
                                 rh > 0 ? static_cast<double>(height()) / rh : 1e9);
    double factor = factor_ * grow;
    int percent = PercentOfFactor(factor);
    if (percent > kMaxZoomPercent) {
        host_.Beep();
        percent = kMaxZoomPercent;
        factor = kMaxZoomPercent / 100.0;
    }
    SetZoom(percent, factor);
}

void CTavoImgView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    // Quick strokes come as double clicks: with the pen, the second press starts a stroke.
    if (ToolMode() == kToolAnnotate && InkAllowed()) {
        mousePressEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    EndDrag();
    const QPoint moved = at - pressPoint_;
    if (std::abs(moved.x()) + std::abs(moved.y()) >= kDoubleTapSlop) return;
    const int mode = host_.Mode();
    if (mode == kModeFilmstrip) host_.PostCommand(kModeFullScreen);
    if (mode == kModeFullScreen) host_.PostCommand(kExitFullScreen);
    // The zoom tool's double tap also brings the picture back to its default zoom.
    if (ToolMode() == kToolZoom && SingleFrame() && HasPicture()) {
        const double factor = DefaultFactor();
        SetZoom(PercentOfFactor(factor), factor);
        userZoomed_ = false;
    }
}

void CTavoImgView::ShowContextMenu(const QPoint& at) {
    const int mode = host_.Mode();
    if (!IsSingleImageMode(mode)) return;
    if (mode != kModeFullScreen && ToolMode() == kToolZoom) {
        host_.PostCommand(kQuickView);
        return;
    }
    QMenu* menu = host_.ContextMenu(mode == kModeFullScreen ? "FS Menu" : "Image");
    if (menu != nullptr) menu->popup(mapToGlobal(at));
}

// Quick View ----------------------------------------------------------------------------------

bool CTavoImgView::QuickViewEnabled() const {
    return IsSingleImageMode(host_.Mode()) && HasPicture() &&
           (placement_.displayed.width > width() || placement_.displayed.height > height());
}

void CTavoImgView::RunQuickView() {
    if (!QuickViewEnabled()) return;
    StopAnimation();
    if (!EnsureDecoded()) return;
    if (decoded_.frames.size() >= 2 && !ComposeTo(player_.FrameIndex())) composedIndex_ = -1;
    const auto [picture, source] = PictureSource();
    const QuickViewState state{placement_.displayed, placement_.offset, placement_.orientation,
                               Window(), Background()};
    const std::optional<Point> offset = xelo::RunQuickView(this, state, *picture, source);
    // The keys come back to the picture, whichever way the overview was left: the window
    // under a closed dialog is not always made active again (no window manager, say).
    window()->activateWindow();
    setFocus();
    if (!offset || *offset == placement_.offset) return;
    placement_.offset = *offset;
    update();
}

// Painting ----------------------------------------------------------------------------------

bool CTavoImgView::EnsureDecoded() {
    const Size natural = Natural();
    int percent = ChooseDecodePercent(natural, placement_.displayed, placement_.orientation);
    if (decodedPercent_ >= percent && !decoded_.frames.empty()) return true;
    const std::string path = doc_.CurrentFolder() + "/" + shown_->Name();
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        decodeError_ = QString::fromStdString(LoadString(kStrUnableToAccess));
        return false;
    }
    while (percent > 0) {
        try {
            CImageFrames frames;
            std::optional<Size> target;
            if (percent != 100) target = DecodeSize(natural, percent, 0);
            if (player_.Animated())
                OpenAnimation(path, frames, target);
            else
                loadFrames(path, frames, target);
            decoded_.Clear();
            decoded_.frames = std::move(frames.frames);
            decoded_.width = frames.width;
            decoded_.height = frames.height;
            decoded_.frameCount = frames.frameCount;
            decodedPercent_ = percent;
            decodeError_.clear();
            ++decodeCount_;
            composedIndex_ = -1;  // the composition follows the new copy
            return !decoded_.frames.empty() && !decoded_.frames[0]->image.IsEmpty();
        } catch (const CTavoException& e) {
            if (e.GetCode() != kErrNoMemory && e.GetCode() != kErrNoResources) {
                decodeError_ = QString::fromStdString(e.GetErrorMessage());
                return false;
            }
            // The other entries' pictures go first; only then a smaller copy is tried.
            if (!FreeImageMemory(doc_, true)) percent = LowerDecodePercent(percent);
        } catch (const std::bad_alloc&) {
            if (!FreeImageMemory(doc_, true)) percent = LowerDecodePercent(percent);
        }
    }
    return false;
}

void CTavoImgView::OpenAnimation(const std::string& path, CImageFrames& frames,
                                 const std::optional<Size>& target) {
    composer_.Stop();
    animationFrames_.Open(path, FrameScale{target, std::nullopt, std::nullopt}, frames);
}

bool CTavoImgView::ComposeTo(int index) {
    const Size natural = Natural();
    const Size logical = decodedPercent_ == 100 ? natural : DecodeSize(natural, decodedPercent_, 0);
    index = std::min(index, static_cast<int>(decoded_.frames.size()) - 1);
    try {
        if (!composer_.Started() || composer_.Scaled() != logical || composedIndex_ < 0 ||
            composer_.Background() != Background()) {
            composedIndex_ = -1;
            composer_.Start(natural, logical, Background(), [this](int i, CImageFrame& frame) {
                animationFrames_.Decode(i, frame);
            });
        }
        composer_.ComposeTo(index);
        composedIndex_ = index;
    } catch (const CTavoException&) {
        composer_.Stop();
        composedIndex_ = -1;
        return false;
    } catch (const std::bad_alloc&) {
        composer_.Stop();
        composedIndex_ = -1;
        return false;
    }
    return true;
}

std::pair<const CDibImage*, RenderSource> CTavoImgView::PictureSource() const {
    if (decoded_.frames.size() >= 2 && composedIndex_ >= 0) return {&composer_.Shown(), {}};
    const CImageFrame& frame = *decoded_.frames[0];
    const Size natural = Natural();
    // The frame's place in the picture, in the decoded copy's pixels.
    const Size logical = decodedPercent_ == 100 ? natural : DecodeSize(natural, decodedPercent_, 0);
    RenderSource source;
    source.offset = {static_cast<int>(int64_t{frame.frameRect.left} * logical.width /
                                      std::max(1, natural.width)),
                     static_cast<int>(int64_t{frame.frameRect.top} * logical.height /
                                      std::max(1, natural.height))};
    source.size = logical;
    return {&frame.image, source};
}

void CTavoImgView::RenderPicture(const Rect& area, const BgrBuffer& target) {
    const Rect whole{-placement_.offset.x - area.left, -placement_.offset.y - area.top,
                     -placement_.offset.x - area.left + placement_.displayed.width,
                     -placement_.offset.y - area.top + placement_.displayed.height};
    auto [picture, source] = PictureSource();
    // A still picture shown smaller than decoded is filtered once per zoom; pans copy from it.
    if (decoded_.frames.size() == 1) {
        const Size shown = UnorientedSize(placement_.displayed, placement_.orientation);
        if (reducedFor_ != std::make_pair(decodeCount_, shown)) {
            reducedFor_ = {decodeCount_, shown};
            reducedValid_ = MakeReducedPicture(*picture, source, shown, reduced_);
        }
        if (reducedValid_) {
            picture = &reduced_;
            source = RenderSource{};
        }
    }
    RenderTransformed(*picture, whole, target, std::nullopt, placement_.orientation, source);
    // The frame's transparent colour lets the picture show through.
    if (pictureFrame_ != nullptr && !pictureFrame_->IsEmpty() && host_.Mode() == kModeFullScreen) {
        RenderTransformed(*pictureFrame_, whole, target, std::nullopt,
                          pictureFrameFlipped_ ? kOrientMirrorLeftRight : kOrientNormal);
    }
}

void CTavoImgView::SetPictureFrame(const CDibImage* frame, bool flipped) {
    pictureFrame_ = frame;
    pictureFrameFlipped_ = flipped;
    update();
}

bool CTavoImgView::MakeBand(int width, int height) {
    const size_t stride = static_cast<size_t>(width) * 3;
    int rows = height;
    while (rows > kMinBandRows && stride * static_cast<size_t>(rows) > bandBudget_)
        rows = (rows + 1) / 2;
    if (stride * static_cast<size_t>(rows) > bandBudget_) return false;
    while (true) {
        if (band_.Width() == width && band_.Height() >= rows) break;
        try {
            band_.Create(width, rows, 3, false);
            break;
        } catch (const CTavoException&) {
            band_.Release();
            if (rows <= kMinBandRows) return false;
            rows = (rows + 1) / 2;
        }
    }
    bandHeight_ = rows;
    return true;
}

void CTavoImgView::PaintError(QPainter& painter, int step) {
    failedStep_ = step;
    // A file that cannot be read says why; a shortage names the step that ran short.
    failedText_ = step == kStepDecode && !decodeError_.isEmpty()
                      ? decodeError_
                      : QStringLiteral("%1 (%2)")
                            .arg(QString::fromStdString(LoadString(kErrNoResources)))
                            .arg(step);
    painter.setPen(Qt::white);
    painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap,
                     failedText_);
}

void CTavoImgView::paintEvent(QPaintEvent* event) {
    if (host_.RepaintBlocked()) return;
    QPainter painter(this);
    const uint32_t background = Background();
    const QRect update = event->rect();
    if (!HasPicture()) {
        painter.fillRect(update, ToQColor(background));
        return;
    }
    failedStep_ = 0;
    failedText_.clear();
    const QRect picture(-placement_.offset.x, -placement_.offset.y, placement_.displayed.width,
                        placement_.displayed.height);
    const QRect shown = update & picture;
    // The window outside the picture takes the background colour.
    for (const QRect& r : QRegion(update).subtracted(QRegion(shown)))
        painter.fillRect(r, ToQColor(background));
    if (!shown.isEmpty()) {
        if (!EnsureDecoded()) {
            painter.fillRect(shown, ToQColor(background));
            PaintError(painter, kStepDecode);
            return;
        }
        if (decoded_.frames.size() >= 2 && !ComposeTo(player_.FrameIndex())) {
            // No room for the composition: the animation stops on its first frame.
            StopAnimation();
            composedIndex_ = -1;
        }
        // Rows padded to a multiple of 4 pixels, as the screen copy wants them.
        if (!MakeBand((shown.width() + 3) & ~3, shown.height())) {
            painter.fillRect(shown, ToQColor(background));
            PaintError(painter, kStepBuffer);
            return;
        }
        // While the pointer drags, the bands go to the screen as they are: reducing their
        // colours would cost more than the pan may take.
        const int optimisation =
            drag_ != Drag::kNone
                ? kOptimiseNone
                : static_cast<int>(host_.Prefs().preferences.Get(pref::kColourOptimisation));
        const int gamma = static_cast<int>(host_.Prefs().preferences.Get(pref::kGamma));
        for (int top = shown.top(); top <= shown.bottom(); top += bandHeight_) {
            const int rows = std::min(bandHeight_, shown.bottom() + 1 - top);
            const BgrBuffer target{band_.Bits(), band_.Width(), rows, band_.RowPad()};
            const QRect dest(shown.left(), top, shown.width(), rows);
            try {
                FillBuffer(target, background);
                RenderPicture(Rect{dest.left(), top, dest.right() + 1, top + rows}, target);
                if (!painter.isActive()) {
                    PaintError(painter, kStepCopy);
                    return;
                }
                DrawToDevice(painter, dest, target, Rect{0, 0, shown.width(), rows}, optimisation,
                             0, false, gamma, screen_);
            } catch (const CTavoException&) {
                painter.fillRect(shown, ToQColor(background));
                PaintError(painter, kStepRender);
                return;
            }
        }
    }
    PaintInk(painter, Geometry(), pictureInk_, inkCapture_.Stroke());
    if (drag_ == Drag::kZoomRect && !zoomRect_.isNull()) {
        // The focus rectangle: a dotted line that shows on any picture.
        painter.setPen(QPen(Qt::white, 1, Qt::SolidLine));
        painter.drawRect(zoomRect_);
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(zoomRect_);
    }
}

}  // namespace xelo

// Ink -----------------------------------------------------------------------------------------

namespace xelo {

PictureGeometry CTavoImgView::Geometry() const {
    return {Natural(), placement_.displayed, placement_.offset, placement_.orientation};
}

CImageEntry* CTavoImgView::ShownEntry() const {
    const int index = shown_ != nullptr ? doc_.IndexOf(shown_) : -1;
    return index >= 0 ? doc_.EntryAt(index) : nullptr;
}

bool CTavoImgView::InkAllowed() const {
    return IsSingleImageMode(host_.Mode()) && HasPicture() && !player_.Playing();
}

void CTavoImgView::SaveInkOf(CImageEntry* entry) {
    // Every change is written as it is made; only one whose write failed is tried again here.
    if (entry == nullptr || !inkUnsaved_) return;
    if (entry->Name() != inkName_ || doc_.CurrentFolder() != inkFolder_) return;
    try {
        if (SaveEntryInk(doc_.CurrentFolder(), *entry, pictureInk_)) {
            emit inkMarkChanged(doc_.IndexOf(entry));
        }
        inkUnsaved_ = false;
    } catch (const CTavoException& e) {
        ReportError(this, e);
    }
}

void CTavoImgView::LoadInkOf(const CImageEntry* entry) {
    inkErrorShown_ = false;
    inkUnsaved_ = false;
    pictureInk_.RemoveAll();
    inkFolder_ = doc_.CurrentFolder();
    inkName_ = entry != nullptr ? entry->Name() : std::string();
    if (entry == nullptr) return;
    try {
        LoadEntryInk(doc_.CurrentFolder(), *entry, pictureInk_);
    } catch (const CTavoException& e) {
        // Reported once the picture is up, not from inside the change of picture.
        const CTavoException error = e;
        QTimer::singleShot(0, this, [this, error] { ReportError(this, error); });
    }
}

void CTavoImgView::InkEdited() {
    CImageEntry* entry = ShownEntry();
    if (entry != nullptr && entry->Name() == inkName_) {
        inkUnsaved_ = true;
        try {
            if (SaveEntryInk(doc_.CurrentFolder(), *entry, pictureInk_)) {
                emit inkMarkChanged(doc_.IndexOf(entry));
            }
            inkUnsaved_ = false;
            inkErrorShown_ = false;
        } catch (const CTavoException& e) {
            // Once per picture: the strokes stay in the layer and the next change tries again.
            if (!inkErrorShown_) {
                inkErrorShown_ = true;
                ReportError(this, e);
            }
        }
    }
    update();
}

void CTavoImgView::ReloadInk() {
    LoadInkOf(ShownEntry());
    update();
}

void CTavoImgView::ReloadPicture() {
    const CImageEntry* entry = shown_;
    pictureInk_.RemoveAll();
    shown_ = nullptr;  // the next SetImage decodes anew
    SetImage(entry);
}

void CTavoImgView::FinishStroke(const QPoint& at) {
    drag_ = Drag::kNone;
    if (inkCapture_.Release({at.x(), at.y()}, Geometry(), pictureInk_)) {
        InkEdited();
    } else {
        update();  // a tap: the dot drawn while pressing goes
    }
}

}  // namespace xelo
