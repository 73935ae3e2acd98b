#include "views/SlideShowView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSoundEffect>
#include <QUrl>
#include <cstring>

#include "base/StringTable.h"
#include "command/CommandIds.h"
#include "slideshow/DibTransitionTarget.h"
#include "slideshow/Transition.h"

namespace xelo {

// Shows each step of a transition as soon as it is drawn.
class CViewTransitionTarget : public CDibTransitionTarget {
  public:
    CViewTransitionTarget(CDibImage& surface, CSlideShowView& view)
        : CDibTransitionTarget(surface), view_(view) {}
    void Present(const Rect&) override { view_.ShowSurface(); }

  private:
    CSlideShowView& view_;
};

namespace {

bool IsInput(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
            return true;
        default:
            return false;
    }
}

}  // namespace

CSlideShowView::CSlideShowView(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    advance_.setSingleShot(true);
    frame_.setSingleShot(true);
    connect(&advance_, &QTimer::timeout, this, [this] { Fire(kAdvanceTimer); });
    connect(&frame_, &QTimer::timeout, this, [this] { Fire(kFrameTimer); });
}

CSlideShowView::~CSlideShowView() = default;

void CSlideShowView::Attach(CSlideShowController* show, QSize output) {
    show_ = show;
    ink_.NewSlide();
    advance_.stop();
    frame_.stop();
    error_.clear();
    if (show_ == nullptr) {
        StopAudio();
        return;
    }
    surface_.Create(output.width(), output.height(), 3, false);
    FillDib(surface_, show_->Settings().background);
}

void CSlideShowView::Fire(int timer) {
    if (show_ == nullptr) return;
    if (inTransition_) {
        // Comes back once the drawing is over.
        SetTimer(timer, 1);
        return;
    }
    show_->OnTimer(timer);
}

void CSlideShowView::SetTimer(int timer, int milliseconds) {
    QTimer& t = timer == kAdvanceTimer ? advance_ : frame_;
    t.start(std::max(0, milliseconds));
}

void CSlideShowView::KillTimer(int timer) {
    (timer == kAdvanceTimer ? advance_ : frame_).stop();
}

void CSlideShowView::PresentSlide(const CDibImage& slide, int effect, int durationMs) {
    error_.clear();
    if (surface_.Width() != slide.Width() || surface_.Height() != slide.Height()) {
        surface_.Create(slide.Width(), slide.Height(), 3, false);
    }
    inTransition_ = true;
    CViewTransitionTarget target(surface_, *this);
    try {
        RunTransition(effect, durationMs, target, Rect{0, 0, slide.Width(), slide.Height()}, slide,
                      *clock_);
    } catch (const std::exception&) {
        Redraw(slide);
    }
    // Keys and clicks made while the transition ran are dropped, not replayed.
    qApp->installEventFilter(this);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    qApp->removeEventFilter(this);
    inTransition_ = false;
    update();
}

void CSlideShowView::ShowSurface() {
    repaint();
    if (onSurfaceShown) onSurfaceShown(surface_);
}

bool CSlideShowView::eventFilter(QObject* watched, QEvent* event) {
    if (inTransition_ && IsInput(event->type())) return true;
    return QWidget::eventFilter(watched, event);
}

void CSlideShowView::Redraw(const CDibImage& slide) {
    error_.clear();
    if (surface_.Width() != slide.Width() || surface_.Height() != slide.Height()) {
        surface_.Create(slide.Width(), slide.Height(), 3, false);
    }
    for (int y = 0; y < slide.Height(); ++y)
        std::memcpy(surface_.Row(y), slide.Row(y), static_cast<size_t>(slide.Width()) * 3);
    ShowSurface();
}

void CSlideShowView::PresentError(uint32_t message) {
    error_ = QString::fromStdString(LoadString(message));
    if (show_) FillDib(surface_, show_->Settings().background);
    ShowSurface();
}

void CSlideShowView::Beep() {
    QApplication::beep();
}

void CSlideShowView::PlayAudio(const std::string& path, bool loop) {
    // Without an audio device the effect stays silent; the show goes on either way.
    if (!sound_) sound_ = std::make_unique<QSoundEffect>();
    sound_->stop();
    sound_->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
    sound_->setLoopCount(loop ? QSoundEffect::Infinite : 1);
    sound_->play();
}

void CSlideShowView::StopAudio() {
    if (sound_) sound_->stop();
}

void CSlideShowView::ShowToolBar(bool on) {
    if (onShowToolBar) onShowToolBar(on);
}

void CSlideShowView::ClearSlideInk() {
    // Slide ink is never saved: the next slide starts clean.
    ink_.NewSlide();
    update();
    if (onClearInk) onClearInk();
}

void CSlideShowView::StateChanged() {
    if (onStateChanged) onStateChanged();
}

QRect CSlideShowView::SurfaceRect() const {
    if (surface_.IsEmpty()) return rect();
    QSize size(surface_.Width(), surface_.Height());
    if (size.width() > width() || size.height() > height()) size.scale(this->size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
}

void CSlideShowView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const uint32_t bg = show_ ? show_->Settings().background : 0;
    const QColor background(static_cast<int>(bg & 0xFF), static_cast<int>((bg >> 8) & 0xFF),
                            static_cast<int>((bg >> 16) & 0xFF));
    const QRect target = SurfaceRect();
    if (surface_.IsEmpty()) {
        painter.fillRect(rect(), background);
        return;
    }
    const QImage image(surface_.Bits(), surface_.Width(), surface_.Height(),
                       static_cast<qsizetype>(surface_.Stride()), QImage::Format_BGR888);
    painter.fillRect(rect(), background);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, target.size() != image.size());
    painter.drawImage(target, image);
    if (error_.isEmpty()) ink_.Paint(painter, Geometry());
    if (!error_.isEmpty()) {
        painter.setPen(background.lightness() > 128 ? Qt::black : Qt::white);
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, error_);
    }
}

void CSlideShowView::keyPressEvent(QKeyEvent* event) {
    if (!onCommand) return QWidget::keyPressEvent(event);
    const bool playing = show_ && show_->Playing();
    switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Right:
        case Qt::Key_PageDown:
            onCommand(cmd::kSlideNext);
            return;
        case Qt::Key_Left:
        case Qt::Key_PageUp:
        case Qt::Key_Backspace:
            onCommand(cmd::kSlidePrevious);
            return;
        case Qt::Key_Home:
            onCommand(cmd::kSlideFirst);
            return;
        case Qt::Key_End:
            onCommand(cmd::kSlideLast);
            return;
        case Qt::Key_P:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            onCommand(playing ? cmd::kSlideStop : cmd::kSlidePlay);
            return;
        case Qt::Key_Escape:
            onCommand(cmd::kSlideExit);
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void CSlideShowView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && show_ &&
        show_->Playing() && onCommand) {
        onCommand(cmd::kSlideStop);
    }
}

PictureGeometry CSlideShowView::Geometry() const {
    const QRect r = SurfaceRect();
    return {Size{surface_.Width(), surface_.Height()}, Size{r.width(), r.height()},
            Point{-r.left(), -r.top()}, 0};
}

bool CSlideShowView::UndoLastStroke() {
    if (!ink_.UndoLastStroke()) return false;
    update();
    return true;
}

void CSlideShowView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || show_ == nullptr || surface_.IsEmpty()) {
        return QWidget::mousePressEvent(event);
    }
    LtPen pen;
    const bool inkOn = inkPen && inkPen(pen);
    const QPoint at = event->position().toPoint();
    const auto result = ink_.Press({at.x(), at.y()}, Geometry(), pen, show_->Playing(),
                                   show_->Animating(), inkOn && error_.isEmpty());
    // A tap on a playing show only stops it; the stop runs once the press is over.
    if (result == CSlideInk::PressResult::kStopShow && onCommand) {
        QMetaObject::invokeMethod(
            this, [this] { onCommand(cmd::kSlideStop); }, Qt::QueuedConnection);
    }
}

void CSlideShowView::mouseMoveEvent(QMouseEvent* event) {
    if (!ink_.Drawing()) return QWidget::mouseMoveEvent(event);
    const QPoint at = event->position().toPoint();
    const QRect changed = ink_.Move({at.x(), at.y()}, Geometry());
    if (!changed.isEmpty()) update(changed);
}

void CSlideShowView::mouseReleaseEvent(QMouseEvent* event) {
    if (!ink_.Drawing() || event->button() != Qt::LeftButton) {
        return QWidget::mouseReleaseEvent(event);
    }
    const QPoint at = event->position().toPoint();
    ink_.Release({at.x(), at.y()}, Geometry());
    update();
    if (onStateChanged) onStateChanged();
}

void CSlideShowView::contextMenuEvent(QContextMenuEvent* event) {
    if (onContextMenu) onContextMenu(event->globalPos());
}

}  // namespace xelo
