#include "views/AnimationComposer.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

#include "views/AnimationPlayer.h"

namespace xelo {

namespace {
// At most this many copies near the frame a step back went to, within half the cache.
constexpr size_t kMaxNearCopies = 8;
// Going forward, a near copy every this many frames: a first step back after playing stops
// starts close by.
constexpr int kTrailEvery = 8;

void CopyPicture(const CDibImage& from, CDibImage& to) {
    std::memcpy(to.Bits(), from.Bits(), from.Stride() * static_cast<size_t>(from.Height()));
}

// The copy with the largest key at or before `index`, or null.
const std::pair<const int, std::unique_ptr<CDibImage>>* Before(
    const std::map<int, std::unique_ptr<CDibImage>>& copies, int index) {
    auto it = copies.upper_bound(index);
    return it == copies.begin() ? nullptr : &*std::prev(it);
}
}  // namespace

void AnimationComposer::Start(Size natural, Size scaled, uint32_t background, DecodeFn decode) {
    Stop();
    try {
        composition_.Create(scaled.width, scaled.height, 3, false);
        shown_.Create(scaled.width, scaled.height, 3, false);
    } catch (...) {
        Stop();
        throw;
    }
    natural_ = natural;
    scaled_ = scaled;
    background_ = background;
    decode_ = std::move(decode);
    FillImage(composition_, background_);
    FillImage(shown_, background_);
}

void AnimationComposer::Stop() {
    composition_.Release();
    shown_.Release();
    frame_.image.Release();
    copies_.clear();
    near_.clear();
    interval_ = 4;
    index_ = -1;
}

void AnimationComposer::Rewind(int index) {
    // The nearest copy at or before `index`, else the empty composition.
    const auto* regular = Before(copies_, index);
    const auto* near = Before(near_, index);
    const auto* best = !regular                        ? near
                       : !near                         ? regular
                       : near->first > regular->first ? near
                                                       : regular;
    if (best == nullptr) {
        FillImage(composition_, background_);
        index_ = -1;
        return;
    }
    CopyPicture(*best->second, composition_);
    index_ = best->first;
}

bool AnimationComposer::CopyInto(std::map<int, std::unique_ptr<CDibImage>>& into) {
    auto copy = std::make_unique<CDibImage>();
    try {
        copy->Create(composition_.Width(), composition_.Height(), 3, false);
    } catch (...) {
        return false;  // a copy only saves time
    }
    CopyPicture(composition_, *copy);
    into[index_] = std::move(copy);
    return true;
}

void AnimationComposer::Remember() {
    if ((index_ + 1) % interval_ != 0 || copies_.count(index_) != 0) return;
    const size_t bytes = composition_.Stride() * static_cast<size_t>(composition_.Height());
    while ((copies_.size() + 1) * bytes > cacheBytes_ && !copies_.empty()) {
        // Keep every other copy: the interval doubles.
        interval_ *= 2;
        for (auto it = copies_.begin(); it != copies_.end();)
            it = (it->first + 1) % interval_ != 0 ? copies_.erase(it) : std::next(it);
        if ((index_ + 1) % interval_ != 0) return;
    }
    if (bytes > cacheBytes_) return;
    CopyInto(copies_);
}

void AnimationComposer::ComposeTo(int index) {
    if (!Started() || index < 0) return;
    if (index == index_) return;
    // The composition holds what the frames up to index_ leave; going back, start from a copy,
    // and leave copies on the way for the steps back that follow.
    const size_t bytes = composition_.Stride() * static_cast<size_t>(composition_.Height());
    const auto nearCopies =
        static_cast<int>(std::clamp<size_t>(cacheBytes_ / 2 / bytes, 2, kMaxNearCopies));
    int nearEvery = 0;
    if (index < index_) {
        near_.erase(near_.lower_bound(index), near_.end());
        Rewind(index - 1);
        const int distance = index - index_;
        if (distance > 2) nearEvery = (distance + nearCopies - 1) / nearCopies;
    }
    const int from = index_;
    try {
        while (index_ < index) {
            const int next = index_ + 1;
            decode_(next, frame_);
            const Point offset{
                static_cast<int>(int64_t{frame_.frameRect.left} * scaled_.width /
                                 std::max(1, natural_.width)),
                static_cast<int>(int64_t{frame_.frameRect.top} * scaled_.height /
                                 std::max(1, natural_.height))};
            ComposeFrame(frame_, offset, composition_, shown_, background_);
            index_ = next;
            if (index_ < index) Remember();
            const bool keepNear = nearEvery > 0 ? index_ < index && (index_ - from) % nearEvery == 0
                                                : (index_ + 1) % kTrailEvery == 0;
            if (keepNear) {
                while (static_cast<int>(near_.size()) >= nearCopies) near_.erase(near_.begin());
                CopyInto(near_);
            }
        }
        Remember();
    } catch (...) {
        frame_.image.Release();
        Rewind(-1);
        throw;
    }
    frame_.image.Release();
}

}  // namespace xelo
