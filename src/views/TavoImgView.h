// CTavoImgView: the image view of the image modes. It shows the document's current entry with
// zoom, pan and orientation, decodes the file at the smallest scale that still has the detail
// the zoom needs, and draws through one off-screen 24-bit buffer.
#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "album/TavoDoc.h"
#include "codec/ImageCodec.h"
#include "frame/CommandTarget.h"
#include "image/DibImage.h"
#include "image/DisplayReduction.h"
#include "views/AnimationPlayer.h"
#include "views/ViewOrientation.h"

namespace xelo {

class ViewHost;
class CZoomSlider;

class CTavoImgView : public QWidget, public DocumentObserver, public CommandTarget {
    Q_OBJECT

  public:
    CTavoImgView(CTavoDoc& doc, ViewHost& host, const ScreenCaps& screen,
                 QWidget* parent = nullptr);
    ~CTavoImgView() override;

    // Shows `entry` (null: nothing) from the reset state with the default zoom.
    void SetImage(const CImageEntry* entry);
    // Applies a zoom keeping the picture point at the window centre where it is.
    void SetZoom(int percent, double factor);
    // Pans by (dx, dy) pixels of the displayed picture, clamped to its edges.
    void ScrollBy(int dx, int dy);
    void Orient(OrientCommand command);

    const CImageEntry* Shown() const { return shown_; }
    int ZoomPercent() const { return percent_; }
    double ZoomFactor() const { return factor_; }
    int Orientation() const { return placement_.orientation; }
    Size Displayed() const { return placement_.displayed; }
    Point Offset() const { return placement_.offset; }
    // The percent the shown picture is decoded at, 0 before the first paint decoded it.
    int DecodedPercent() const { return decodedPercent_; }
    const AnimationPlayer& Animation() const { return player_; }
    // The zoom slider, null until Zoom Slider first shows it.
    CZoomSlider* ZoomSlider() const { return slider_; }
    // The frame timer's interval while it runs, else -1.
    int FrameTimerInterval() const { return frameTimer_.isActive() ? frameTimer_.interval() : -1; }
    // The error step of the last paint (0 when it drew the picture).
    int FailedStep() const { return failedStep_; }

    // Decodes every frame of a file, scaled to the size when one is given (tests replace it to
    // simulate a shortage of memory); the default reads through the codec framework.
    std::function<void(const std::string&, CImageFrames&, const std::optional<Size>&)> loadFrames;

    // DocumentObserver: the view follows the document's current image.
    void OnListChanged(UpdateHint) override {}
    void OnCurrentChanged(const CImageEntry* entry) override;

    // CommandTarget: zoom and orientation commands.
    bool onCommand(int id) override;
    bool onUpdate(int id, CommandState& state) override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    Size Window() const { return {width(), height()}; }
    Size Natural() const;
    bool HasPicture() const;
    double FitFactorNow() const;
    // The index of the shown image, else of the current one; -1 when there is none.
    int ShownIndex() const;
    // Previous / Next Image: selects only the neighbour and makes it current; beeps at the ends.
    void StepImage(int step);
    // The default zoom for the window's size, the picture centred; the orientation stays.
    void ApplyDefaultZoom();
    // Zoom Slider: creates the slider on first use, then shows or hides it.
    void ToggleZoomSlider();
    // Places the slider for the window and the mode and moves it to the current percent.
    void LayoutZoomSlider();
    // Decodes the shown file at the percent the zoom needs, stepping down when memory is short.
    bool EnsureDecoded();
    void RenderPicture(const Rect& area);
    // Brings the composition to the animation's current frame; false when out of memory.
    bool ComposeTo(int index);
    void StartFrameTimer();
    void OnFrameTimer();
    void StopAnimation();
    void PaintError(QPainter& painter, int step);
    uint32_t Background() const;

    CTavoDoc& doc_;
    ViewHost& host_;
    const ScreenCaps& screen_;
    const CImageEntry* shown_ = nullptr;
    int percent_ = 100;
    double factor_ = 1.0;
    ViewPlacement placement_;
    Size fittedTo_;  // the window size the default zoom was chosen for
    CImageFrames decoded_;
    int decodedPercent_ = 0;
    int failedStep_ = 0;
    CDibImage band_;
    AnimationPlayer player_;
    QTimer frameTimer_;
    CDibImage composition_;          // what the frames so far leave behind
    CDibImage frameShown_;           // the current frame over the composition
    int composedIndex_ = -1;         // the frame frameShown_ holds, −1 none
    CZoomSlider* slider_ = nullptr;  // a child, owned by Qt
    bool panning_ = false;
    QPoint lastPan_;
};

}  // namespace xelo
