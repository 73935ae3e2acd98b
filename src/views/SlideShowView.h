// CSlideShowView: the full-screen surface a slide show draws on. It is the controller's host on
// the window: its two one-shot timers, transitions drawn in place with the input that arrived
// meanwhile thrown away, error texts, audio notes and the keys of the show.
#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "image/DibImage.h"
#include "slideshow/SlideShowController.h"
#include "slideshow/TransitionClock.h"
#include "views/SlideInk.h"

class QSoundEffect;

namespace xelo {

class CSlideShowView : public QWidget, public ISlideShowHost {
    Q_OBJECT

  public:
    explicit CSlideShowView(QWidget* parent = nullptr);
    ~CSlideShowView() override;

    // The show this view hosts (not owned), or null; the surface takes `output` size.
    void Attach(CSlideShowController* show, QSize output);
    CSlideShowController* Show() const { return show_; }
    const CDibImage& Surface() const { return surface_; }
    // The clock transitions pace themselves by (tests use one that posts input as it sleeps);
    // null is the machine's.
    void SetClock(ITransitionClock* clock) { clock_ = clock ? clock : &systemClock_; }

    // Where the show's commands and the tool bar go.
    std::function<void(int command)> onCommand;
    std::function<void(bool)> onShowToolBar;
    std::function<void()> onStateChanged;
    std::function<void(const QPoint&)> onContextMenu;
    std::function<void()> onClearInk;
    // Each time the surface shows a new picture (every step of a transition included): a show on
    // an external display presents it there too.
    std::function<void(const CDibImage& surface)> onSurfaceShown;
    // Whether ink may go on slides ("Enable ink annotation"), and with which pen.
    std::function<bool(LtPen& pen)> inkPen;

    // The ink of the slide showing: Undo Last Stroke; false when there was no stroke.
    bool UndoLastStroke();
    const CSlideInk& Ink() const { return ink_; }
    // Where the slide lies in the view, for the ink.
    PictureGeometry Geometry() const;

    // ISlideShowHost
    void SetTimer(int timer, int milliseconds) override;
    void KillTimer(int timer) override;
    void PresentSlide(const CDibImage& slide, int effect, int durationMs) override;
    void Redraw(const CDibImage& slide) override;
    void PresentError(uint32_t message) override;
    void Beep() override;
    void PlayAudio(const std::string& path, bool loop) override;
    void StopAudio() override;
    void ShowToolBar(bool on) override;
    void ClearSlideInk() override;
    void StateChanged() override;

    bool InTransition() const { return inTransition_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Leaving the window for another program stops a playing show.
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    friend class CViewTransitionTarget;
    void Fire(int timer);
    // Repaints at once and hands the surface on.
    void ShowSurface();
    QRect SurfaceRect() const;

    CSlideShowController* show_ = nullptr;  // not owned
    CDibImage surface_;
    QString error_;
    QTimer advance_;
    QTimer frame_;
    bool inTransition_ = false;
    CSystemTransitionClock systemClock_;
    ITransitionClock* clock_ = &systemClock_;
    std::unique_ptr<QSoundEffect> sound_;
    CSlideInk ink_;
};

}  // namespace xelo
