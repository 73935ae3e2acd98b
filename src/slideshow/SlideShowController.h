// The slide-show controller: the play order, the position, playing and animating, the advance
// and GIF-frame timers and the moves, over a host that draws, times and plays sound. The window
// and `xelo-tool slideshow` drive the same controller.
#pragma once

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "image/DibImage.h"
#include "slideshow/SlideComposer.h"
#include "slideshow/SlideList.h"
#include "slideshow/SlidePreloader.h"
#include "slideshow/SlideSettings.h"

namespace xelo {

enum SlideTimer : int { kAdvanceTimer = 22, kFrameTimer = 23 };

// Messages the show reports or draws.
enum SlideShowMessage : uint32_t {
    kMsgAllHidden = 20012,
    kMsgCannotAccess = 20504,
    kMsgCannotPlay = 20013,
    kMsgNoResources = 46041,
};

class ISlideShowHost {
  public:
    virtual ~ISlideShowHost() = default;
    // One-shot timers; setting one first kills it.
    virtual void SetTimer(int timer, int milliseconds) = 0;
    virtual void KillTimer(int timer) = 0;
    // Shows a new slide through transition `effect` (0 none) over `durationMs`; returns once it
    // is drawn, with the input that arrived meanwhile discarded.
    virtual void PresentSlide(const CDibImage& slide, int effect, int durationMs) = 0;
    // Shows the current slide again, or the next frame of an animation, at once.
    virtual void Redraw(const CDibImage& slide) = 0;
    // Draws message `message` in place of a slide.
    virtual void PresentError(uint32_t message) = 0;
    virtual void Beep() {}
    virtual void PlayAudio(const std::string& /*path*/, bool /*loop*/) {}
    virtual void StopAudio() {}
    virtual void ShowToolBar(bool /*on*/) {}
    virtual void ClearSlideInk() {}
    // Playing, the position or the count changed: enabling rules may differ.
    virtual void StateChanged() {}
};

class CSlideShowController {
  public:
    // Throws 20012 when `slides` is empty. `renderer` is used by the preload thread.
    CSlideShowController(ISlideShowHost& host, SlideSettings settings,
                         std::vector<SlideItem> slides, std::unique_ptr<ISlideRenderer> renderer,
                         const SlideComposeContext& frameContext, uint32_t seed);
    ~CSlideShowController();
    CSlideShowController(const CSlideShowController&) = delete;
    CSlideShowController& operator=(const CSlideShowController&) = delete;

    // Starts at slide `slide` of the list (its place in the order), showing it.
    void Start(int slide);
    // Stops sound and timers and ends the preload thread.
    void Exit();

    bool CanMoveBack() const { return !playing_ && position_ > 0; }
    bool CanMoveForward() const { return !playing_ && position_ < Count() - 1; }
    bool CanPlay() const { return !playing_ && Count() >= 2; }
    void First();
    void Previous();
    void Next();
    void Last();
    void GoTo(int position);
    void Play();
    void Stop();
    void OnTimer(int timer);

    bool Playing() const { return playing_; }
    bool Animating() const { return animating_; }
    int Position() const { return position_; }
    int Count() const { return static_cast<int>(order_.size()); }
    int FrameIndex() const { return frameIndex_; }
    const SlideItem& SlideAt(int position) const;
    const std::vector<int>& Order() const { return order_; }
    const SlideSettings& Settings() const { return settings_; }
    // The slide on screen, null after a failure.
    const ComposedSlide* Current() const { return current_.get(); }
    CSlidePreloader& Preloader() { return *preloader_; }

  private:
    void Move(bool allowed, int position);
    void ShowCurrent();
    void ScheduleAdvance();
    void Advance();
    void NextFrame();
    void StartFrameTimer();
    void RebuildOrder();
    void StartAudio();

    ISlideShowHost& host_;
    SlideSettings settings_;
    std::vector<SlideItem> slides_;
    std::unique_ptr<ISlideRenderer> renderer_;
    SlideComposeContext frameContext_;
    std::mt19937 rng_;
    std::vector<int> order_;
    std::unique_ptr<CSlidePreloader> preloader_;
    std::shared_ptr<ComposedSlide> current_;
    int position_ = 0;
    int frameIndex_ = 0;
    bool playing_ = false;
    bool animating_ = false;
};

}  // namespace xelo
