#include "slideshow/SlidePreloader.h"

#include <utility>

#include "image/TavoException.h"

namespace xelo {

CSlidePreloader::CSlidePreloader(std::vector<SlideItem> slides, ISlideRenderer& renderer,
                                 int ahead, int behind)
    : slides_(std::move(slides)), renderer_(renderer), ahead_(ahead), behind_(behind) {}

CSlidePreloader::~CSlidePreloader() {
    Stop();
}

void CSlidePreloader::Start(std::vector<int> order) {
    {
        std::lock_guard lock(mutex_);
        order_ = std::move(order);
    }
    worker_ = std::thread([this] { Run(); });
}

void CSlidePreloader::SetOrder(std::vector<int> order) {
    std::lock_guard lock(mutex_);
    order_ = std::move(order);
}

SlideResult CSlidePreloader::Request(int position) {
    std::unique_lock lock(mutex_);
    if (ended_ || !worker_.joinable()) return SlideResult{nullptr, kErrNoResources};
    if (position >= 0 && position < static_cast<int>(order_.size())) {
        const int slide = order_[static_cast<size_t>(position)];
        for (const auto& [held, composed] : loaded_) {
            if (held != slide) continue;
            moved_ = position;
            changed_.notify_all();
            return SlideResult{composed, 0};
        }
    }
    requestPosition_ = position;
    ready_ = false;
    requested_ = true;
    changed_.notify_all();
    changed_.wait(lock, [this] { return ready_ || ended_; });
    if (!ready_) return SlideResult{nullptr, kErrNoResources};
    return result_;
}

void CSlidePreloader::Stop() {
    {
        std::lock_guard lock(mutex_);
        abort_ = true;
        changed_.notify_all();
    }
    if (worker_.joinable()) worker_.join();
}

std::array<PreloadSlot, kPreloadSlots> CSlidePreloader::SlotsAfterRequest() const {
    std::lock_guard lock(mutex_);
    return published_;
}

bool CSlidePreloader::Checkpoint(int slotIndex) {
    std::lock_guard lock(mutex_);
    if (abort_) return false;
    // A background preload gives way to a request for another slide.
    return !(requested_ && !ready_ && slotIndex != requestPosition_);
}

bool CSlidePreloader::Load(PreloadSlot& slot) {
    const int count = static_cast<int>(slides_.size());
    if (slot.slide < 0 || slot.slide >= count || slot.index < 0) {
        slot.Reset();
        return true;
    }
    slot.status = kSlotLoading;
    auto composed = std::make_shared<ComposedSlide>();
    const int index = slot.index;
    try {
        if (!renderer_.Render(slides_[static_cast<size_t>(slot.slide)],
                              [this, index] { return Checkpoint(index); }, *composed)) {
            slot.composed.reset();
            slot.status = kSlotPending;  // tried again later
            return false;
        }
    } catch (const CTavoException& e) {
        slot.composed.reset();
        slot.error = e.GetCode() == kErrNoMemory ? kErrNoMemory : kErrNoResources;
        slot.status = kSlotFailed;
        return true;
    } catch (const std::bad_alloc&) {
        slot.composed.reset();
        slot.error = kErrNoMemory;
        slot.status = kSlotFailed;
        return true;
    }
    slot.composed = std::move(composed);
    slot.status = kSlotLoaded;
    return true;
}

void CSlidePreloader::PublishLoaded() {
    loaded_.clear();
    for (const PreloadSlot& slot : slots_) {
        if (slot.status == kSlotLoaded) loaded_.emplace_back(slot.slide, slot.composed);
    }
    published_ = slots_;
}

void CSlidePreloader::FreeAll() {
    for (PreloadSlot& slot : slots_)
        slot.Reset();
}

void CSlidePreloader::Rearrange(int position, const std::vector<int>& order) {
    std::array<PreloadSlot, kPreloadSlots> old;
    std::swap(old, slots_);
    std::array<bool, kPreloadSlots> taken{};
    const int count = static_cast<int>(order.size());
    int next = 0;
    auto place = [&](int pos) {
        PreloadSlot& target = slots_[static_cast<size_t>(next++)];
        const int slide = order[static_cast<size_t>(pos)];
        for (int i = 0; i < kPreloadSlots; ++i) {
            if (!taken[static_cast<size_t>(i)] && old[static_cast<size_t>(i)].slide == slide &&
                old[static_cast<size_t>(i)].index != -1) {
                target = std::move(old[static_cast<size_t>(i)]);
                taken[static_cast<size_t>(i)] = true;
                break;
            }
        }
        target.slide = slide;
        target.index = pos;
        if (target.status != kSlotLoaded) {
            target.status = kSlotPending;
            target.composed.reset();
        }
    };
    place(position);
    for (int k = 1; k <= ahead_ && position + k < count && next < kPreloadSlots; ++k)
        place(position + k);
    for (int k = 1; k <= behind_ && position - k >= 0 && next < kPreloadSlots; ++k)
        place(position - k);
    // Slots not moved are dropped with `old`.
}

void CSlidePreloader::Run() {
    std::unique_lock lock(mutex_);
    while (true) {
        if (abort_) {
            ended_ = true;
            changed_.notify_all();
            return;
        }
        if (requested_ && !ready_) {
            const int position = requestPosition_;
            const std::vector<int> order = order_;
            lock.unlock();
            SlideResult result;
            if (position >= 0 && position < static_cast<int>(order.size())) {
                const int slide = order[static_cast<size_t>(position)];
                PreloadSlot* found = nullptr;
                for (PreloadSlot& slot : slots_) {
                    if (slot.status == kSlotLoaded && slot.slide == slide) found = &slot;
                }
                if (found == nullptr) {
                    // Not preloaded: everything goes, and this slide is composed first.
                    FreeAll();
                    slots_[0].slide = slide;
                    slots_[0].index = position;
                    Load(slots_[0]);
                    found = &slots_[0];
                }
                result.slide = found->composed;
                result.error = found->status == kSlotLoaded ? 0 : found->error;
                if (found->status != kSlotLoaded && result.error == 0) {
                    result.error = kErrNoResources;  // gave way to the end of the show
                }
                found->index = position;
                Rearrange(position, order);
            } else {
                result.error = kErrNoResources;
            }
            lock.lock();
            result_ = std::move(result);
            PublishLoaded();
            requested_ = false;
            ready_ = true;
            changed_.notify_all();
            continue;
        }
        if (moved_ >= 0) {
            // The window took a composed slide itself: the slots follow it.
            const int position = moved_;
            moved_ = -1;
            const std::vector<int> order = order_;
            lock.unlock();
            Rearrange(position, order);
            lock.lock();
            PublishLoaded();
            continue;
        }
        // Idle: the first pending slot is composed, unless a failed one comes first.
        PreloadSlot* next = nullptr;
        for (PreloadSlot& slot : slots_) {
            if (slot.index == -1) continue;
            if (slot.status == kSlotFailed) break;
            if (slot.status == kSlotPending) {
                next = &slot;
                break;
            }
        }
        if (next != nullptr) {
            lock.unlock();
            Load(*next);
            lock.lock();
            PublishLoaded();
            continue;
        }
        changed_.wait(lock, [this] { return abort_ || moved_ >= 0 || (requested_ && !ready_); });
    }
}

}  // namespace xelo
