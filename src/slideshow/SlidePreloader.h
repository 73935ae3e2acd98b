// The preload thread: composes the slides around the current one into seven slots so that an
// advance finds its slide ready, and hands the current slide to the window's thread on request.
// Only the worker touches the slots; the two threads meet under one mutex with a condition.
#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "slideshow/SlideComposer.h"
#include "slideshow/SlideList.h"

namespace xelo {

constexpr int kPreloadSlots = 7;

enum SlotStatus : int { kSlotPending = 0, kSlotLoading = 1, kSlotLoaded = 2, kSlotFailed = 3 };

struct PreloadSlot {
    int status = kSlotPending;
    int index = -1;  // position in the play order; -1 empty
    int slide = -1;  // the slide it holds (index into the slide list)
    std::shared_ptr<ComposedSlide> composed;
    uint32_t error = 0;
    void Reset() { *this = PreloadSlot{}; }
};

// What a request hands back: the composed slide, or null with the error that stopped it.
struct SlideResult {
    std::shared_ptr<ComposedSlide> slide;
    uint32_t error = 0;
};

class CSlidePreloader {
  public:
    // `renderer` (not owned) is used from the worker thread only. `ahead` slides after the
    // current one and `behind` before it are kept (3 and 3 for the window).
    CSlidePreloader(std::vector<SlideItem> slides, ISlideRenderer& renderer, int ahead = 3,
                    int behind = 3);
    ~CSlidePreloader();
    CSlidePreloader(const CSlidePreloader&) = delete;
    CSlidePreloader& operator=(const CSlidePreloader&) = delete;

    void Start(std::vector<int> order);
    // A new play order; slides already composed are found again by the slide they hold.
    void SetOrder(std::vector<int> order);
    // The slide at `position` of the order, composed first if no slot holds it; blocks.
    SlideResult Request(int position);
    // Ends the worker at its next checkpoint and joins it. Safe to call twice.
    void Stop();

    const std::vector<SlideItem>& Slides() const { return slides_; }
    // The slots as the worker left them after the last request (for tests and traces).
    std::array<PreloadSlot, kPreloadSlots> SlotsAfterRequest() const;

  private:
    void Run();
    // Loads `slot` (status loading); returns false when it gave way.
    bool Load(PreloadSlot& slot);
    bool Checkpoint(int slotIndex);
    void Rearrange(int position, const std::vector<int>& order);
    void FreeAll();
    // Under the lock: what the window may take without waiting for the worker.
    void PublishLoaded();

    const std::vector<SlideItem> slides_;
    ISlideRenderer& renderer_;
    const int ahead_;
    const int behind_;
    std::array<PreloadSlot, kPreloadSlots> slots_;  // the worker's alone

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<int> order_;
    bool requested_ = false;
    bool ready_ = false;
    bool abort_ = false;
    bool ended_ = false;
    int requestPosition_ = -1;
    SlideResult result_;
    // Composed slides by slide; a request finds its slide here while the worker still decodes
    // another, and leaves the worker only the re-arrangement around `moved_`.
    std::vector<std::pair<int, std::shared_ptr<ComposedSlide>>> loaded_;
    int moved_ = -1;
    std::array<PreloadSlot, kPreloadSlots> published_;
    std::thread worker_;
};

}  // namespace xelo
