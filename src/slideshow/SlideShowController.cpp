#include "slideshow/SlideShowController.h"

#include <algorithm>
#include <filesystem>

#include "image/TavoException.h"

namespace xelo {

CSlideShowController::CSlideShowController(ISlideShowHost& host, SlideSettings settings,
                                           std::vector<SlideItem> slides,
                                           std::unique_ptr<ISlideRenderer> renderer,
                                           const SlideComposeContext& frameContext, uint32_t seed)
    : host_(host),
      settings_(settings),
      slides_(std::move(slides)),
      renderer_(std::move(renderer)),
      frameContext_(frameContext),
      rng_(seed) {
    if (slides_.empty()) throw CTavoException(kMsgAllHidden);
    order_ = BuildPlayOrder(static_cast<int>(slides_.size()), settings_.random, rng_);
    preloader_ = std::make_unique<CSlidePreloader>(slides_, *renderer_);
}

CSlideShowController::~CSlideShowController() {
    Exit();
}

const SlideItem& CSlideShowController::SlideAt(int position) const {
    return slides_[static_cast<size_t>(order_[static_cast<size_t>(position)])];
}

void CSlideShowController::Start(int slide) {
    const auto it = std::find(order_.begin(), order_.end(), slide);
    position_ = it == order_.end() ? 0 : static_cast<int>(it - order_.begin());
    preloader_->Start(order_);
    ShowCurrent();
}

void CSlideShowController::Exit() {
    host_.StopAudio();
    host_.KillTimer(kAdvanceTimer);
    host_.KillTimer(kFrameTimer);
    playing_ = false;
    animating_ = false;
    if (preloader_) preloader_->Stop();
}

void CSlideShowController::Move(bool allowed, int position) {
    if (playing_) return;
    if (!allowed) {
        host_.Beep();
        return;
    }
    animating_ = false;
    position_ = position;
    ShowCurrent();
}

void CSlideShowController::First() {
    Move(CanMoveBack(), 0);
}

void CSlideShowController::Previous() {
    Move(CanMoveBack(), position_ - 1);
}

void CSlideShowController::Next() {
    Move(CanMoveForward(), position_ + 1);
}

void CSlideShowController::Last() {
    Move(CanMoveForward(), Count() - 1);
}

void CSlideShowController::GoTo(int position) {
    if (playing_ || position < 0 || position >= Count()) return;
    animating_ = false;
    position_ = position;
    ShowCurrent();
}

void CSlideShowController::Play() {
    if (!CanPlay()) return;
    host_.ShowToolBar(false);
    playing_ = true;
    animating_ = false;
    host_.StateChanged();
    ShowCurrent();
}

void CSlideShowController::Stop() {
    host_.StopAudio();
    host_.KillTimer(kAdvanceTimer);
    host_.KillTimer(kFrameTimer);
    playing_ = false;
    animating_ = false;
    host_.ShowToolBar(true);
    if (current_) host_.Redraw(current_->slide);
    host_.StateChanged();
}

void CSlideShowController::OnTimer(int timer) {
    host_.KillTimer(timer);
    if (timer == kAdvanceTimer && playing_) Advance();
    if (timer == kFrameTimer && animating_) NextFrame();
}

void CSlideShowController::ShowCurrent() {
    host_.ClearSlideInk();
    host_.KillTimer(kFrameTimer);
    const SlideResult result = preloader_->Request(position_);
    host_.StateChanged();
    current_ = result.slide;
    if (!current_) {
        host_.PresentError(kMsgNoResources);
        ScheduleAdvance();
        return;
    }
    frameIndex_ = 0;
    if (current_->FrameCount() >= 2) {
        animating_ = true;
        // A slide shown before may have been left on a later frame.
        ComposeAnimationFrame(*current_, 0, frameContext_);
    }
    StartAudio();
    if (!playing_) host_.ShowToolBar(false);
    host_.PresentSlide(current_->slide, settings_.transitionEffect,
                       TransitionDurationMs(settings_.transitionSpeed));
    if (!playing_) host_.ShowToolBar(true);
    if (animating_) {
        StartFrameTimer();
    } else {
        ScheduleAdvance();
    }
}

void CSlideShowController::StartAudio() {
    if (!settings_.playAudio) return;
    const std::string audio = SlideAt(position_).path + ".wav";
    std::error_code ec;
    const bool exists = std::filesystem::is_regular_file(audio, ec);
    if (!playing_ || !settings_.repeatAudio) {
        if (exists) {
            host_.PlayAudio(audio, settings_.repeatAudio);
        } else {
            host_.StopAudio();
        }
    } else if (exists) {
        host_.PlayAudio(audio, true);
    }
}

void CSlideShowController::ScheduleAdvance() {
    if (!playing_) return;
    host_.SetTimer(kAdvanceTimer, AdvanceTimerMs(settings_.delaySeconds));
}

void CSlideShowController::Advance() {
    if (position_ >= Count() - 1) {
        if (!settings_.repeat) {
            Stop();
            return;
        }
        if (settings_.random) RebuildOrder();
        position_ = 0;
    } else {
        ++position_;
    }
    ShowCurrent();
}

void CSlideShowController::RebuildOrder() {
    order_ = BuildPlayOrder(Count(), true, rng_);
    preloader_->SetOrder(order_);
}

void CSlideShowController::NextFrame() {
    ++frameIndex_;
    if (!current_ || frameIndex_ >= current_->FrameCount()) {
        animating_ = false;
        ScheduleAdvance();
        return;
    }
    try {
        ComposeAnimationFrame(*current_, frameIndex_, frameContext_);
    } catch (const CTavoException&) {
        animating_ = false;
        host_.PresentError(kMsgNoResources);
        ScheduleAdvance();
        return;
    }
    host_.Redraw(current_->slide);
    StartFrameTimer();
}

void CSlideShowController::StartFrameTimer() {
    const auto& frames = current_->frames.frames;
    const int delay = FrameTimerMs(frames[static_cast<size_t>(frameIndex_)]->delay,
                                   settings_.gifSpeed);
    if (frameIndex_ + 1 >= static_cast<int>(frames.size())) animating_ = false;
    if (animating_) {
        host_.SetTimer(kFrameTimer, delay);
    } else {
        ScheduleAdvance();
    }
}

}  // namespace xelo
