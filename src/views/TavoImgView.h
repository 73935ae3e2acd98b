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
#include <utility>

#include "album/TavoDoc.h"
#include "codec/FrameReader.h"
#include "codec/ImageCodec.h"
#include "command/CommandTarget.h"
#include "image/DibImage.h"
#include "image/DisplayReduction.h"
#include "image/RenderTransformed.h"
#include "ink/LtManager.h"
#include "views/AnimationComposer.h"
#include "views/AnimationPlayer.h"
#include "views/InkCapture.h"
#include "views/PictureMapping.h"
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
    // The error step of the last paint (0 when it drew the picture), and the text it painted.
    int FailedStep() const { return failedStep_; }
    QString FailedText() const { return failedText_; }
    // The height of the off-screen band the last paint rendered through.
    int BandHeight() const { return bandHeight_; }
    // The memory one band may take; a larger update area is rendered in bands of half the
    // height, then a quarter, and so on, down to 3 rows.
    void SetBandBudget(size_t bytes) { bandBudget_ = bytes; }
    // The focus rectangle the zoom tool is drawing (empty when none).
    QRect ZoomRect() const { return zoomRect_; }

    // Ink: the strokes of the shown picture (its picture layer), where the picture lies in the
    // window, and the steps after the layer was changed from outside.
    CXeloLtManager& PictureInk() { return pictureInk_; }
    PictureGeometry Geometry() const;
    // Writes the picture layer to the shown entry's ink file (deleting it when the layer is
    // empty) and repaints; the first failure per picture is reported.
    void InkEdited();
    // Reads the shown entry's ink file again.
    void ReloadInk();
    // Shows the shown entry afresh: decoded again, from the default zoom.
    void ReloadPicture();

    // Decodes every frame of a file, scaled to the size when one is given (tests replace it to
    // simulate a shortage of memory); the default reads through the codec framework.
    std::function<void(const std::string&, CImageFrames&, const std::optional<Size>&)> loadFrames;

    // Full Screen's picture frame: called as each picture is set there, so a frame can be
    // chosen for it; the frame drawn over the picture (not owned, null for none), mirrored when
    // `flipped`. Setting it repaints.
    std::function<void()> onFullScreenPicture;
    void SetPictureFrame(const CDibImage* frame, bool flipped);

    // DocumentObserver: the view follows the document's current image.
    void OnListChanged(UpdateHint) override {}
    void OnCurrentChanged(const CImageEntry* entry) override;

    // CommandTarget: zoom and orientation commands.
    bool onCommand(int id) override;
    bool onUpdate(int id, CommandState& state) override;

  signals:
    // The shown picture, its zoom or its orientation changed.
    void pictureChanged();
    // The entry at `index` gained or lost its ink file.
    void inkMarkChanged(int index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    enum class Drag { kNone, kPan, kZoomRect, kInk };

    const CDibImage* pictureFrame_ = nullptr;
    bool pictureFrameFlipped_ = false;

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
    // Tells the document the zoom, orientation and natural size now shown.
    void RecordView();
    double DefaultFactor() const;
    bool SingleFrame() const { return !player_.Animated(); }
    uint32_t ToolMode() const;
    // The zoom tool's rectangle: its centre goes to the window centre and the zoom grows until
    // it fills the window.
    void ZoomToRect(const QRect& rect);
    // Tap-and-hold or the right button: the context menu of the mode and tool.
    void ShowContextMenu(const QPoint& at);
    void EndDrag();
    // Play and the automatic start: builds the composition from frame 0; false, with the
    // message, when there is no memory for it.
    bool StartAnimation();
    bool QuickViewEnabled() const;
    void RunQuickView();
    // Zoom Slider: creates the slider on first use, then shows or hides it.
    void ToggleZoomSlider();
    // Places the slider for the window and the mode and moves it to the current percent.
    void LayoutZoomSlider();
    // Decodes the shown file at the percent the zoom needs, stepping down when memory is short.
    bool EnsureDecoded();
    // The decoded picture the view draws (the composed frame of an animation) and its place in
    // the logical picture.
    std::pair<const CDibImage*, RenderSource> PictureSource() const;
    void RenderPicture(const Rect& area, const BgrBuffer& target);
    // Makes the band for an update area `width` wide; its height is the area's, halved while
    // it exceeds the budget or cannot be had. False when not even 3 rows can be had.
    bool MakeBand(int width, int height);
    // Opens an animation for frames decoded on demand: the facts of every frame, frame 0's pixels.
    void OpenAnimation(const std::string& path, CImageFrames& frames,
                       const std::optional<Size>& target);
    // Brings the composition to the animation's current frame; false when out of memory.
    bool ComposeTo(int index);
    void StartFrameTimer();
    void OnFrameTimer();
    void StopAnimation();
    void SetPlaying(bool playing);
    void PaintError(QPainter& painter, int step);
    // Arrow keys: pan a picture larger than the window on that axis; false when it fits.
    bool PanByKey(int dx, int dy);
    uint32_t Background() const;
    // The shown entry as the document holds it, null when it left the list.
    CImageEntry* ShownEntry() const;
    // Leaving a picture: its layer goes to its ink file. Showing one: its file is read.
    void SaveInkOf(CImageEntry* entry);
    void LoadInkOf(const CImageEntry* entry);
    bool InkAllowed() const;
    void FinishStroke(const QPoint& at);

    CTavoDoc& doc_;
    ViewHost& host_;
    const ScreenCaps& screen_;
    const CImageEntry* shown_ = nullptr;
    // The entry the last picture frame was chosen for: a refresh of the same picture keeps it.
    const CImageEntry* framed_ = nullptr;
    int percent_ = 100;
    double factor_ = 1.0;
    ViewPlacement placement_;
    Size windowSize_;          // the window size the zoom and offsets were last set for
    bool userZoomed_ = false;  // the zoom was changed since the picture was shown
    CImageFrames decoded_;
    int decodedPercent_ = 0;
    int decodeCount_ = 0;  // grows whenever decoded_ changes
    // The still picture filtered to its size on screen, made once per zoom: the decode count
    // and unoriented size it was made for, and whether it applies.
    CDibImage reduced_;
    std::pair<int, Size> reducedFor_{-1, Size{}};
    bool reducedValid_ = false;
    int failedStep_ = 0;
    QString decodeError_;  // why the shown picture did not decode
    QString failedText_;
    CDibImage band_;
    int bandHeight_ = 0;
    size_t bandBudget_ = size_t{32} << 20;
    AnimationPlayer player_;
    QTimer frameTimer_;
    CFrameReader animationFrames_;   // an animation's file, its frames decoded as shown
    AnimationComposer composer_;     // the composed frames of an animation
    int composedIndex_ = -1;         // the frame composer_ shows, −1 none
    CZoomSlider* slider_ = nullptr;  // a child, owned by Qt
    Drag drag_ = Drag::kNone;
    QPoint pressPoint_;
    QPoint lastPoint_;
    Point offsetAtPress_;
    QRect zoomRect_;
    QTimer hold_;  // tap-and-hold
    CXeloLtManager pictureInk_;
    CInkCapture inkCapture_;
    bool inkErrorShown_ = false;  // a failed save of this picture was reported
    bool inkUnsaved_ = false;     // the layer holds changes its file does not have yet
    // The folder and name the layer was loaded for: it is never written beside another image.
    std::string inkFolder_;
    std::string inkName_;
};

}  // namespace xelo
