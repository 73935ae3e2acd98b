#include "views/AnimationComposer.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

#include "views/AnimationPlayer.h"

namespace xelo {

namespace {
void CopyPicture(const CDibImage& from, CDibImage& to) {
    std::memcpy(to.Bits(), from.Bits(), from.Stride() * static_cast<size_t>(from.Height()));
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
    interval_ = 4;
    index_ = -1;
}

void AnimationComposer::Rewind(int index) {
    // The nearest copy at or before `index`, else the empty composition.
    auto it = copies_.upper_bound(index);
    if (it == copies_.begin()) {
        FillImage(composition_, background_);
        index_ = -1;
        return;
    }
    --it;
    CopyPicture(*it->second, composition_);
    index_ = it->first;
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
    auto copy = std::make_unique<CDibImage>();
    try {
        copy->Create(composition_.Width(), composition_.Height(), 3, false);
    } catch (...) {
        return;  // a copy only saves time
    }
    CopyPicture(composition_, *copy);
    copies_.emplace(index_, std::move(copy));
}

void AnimationComposer::ComposeTo(int index) {
    if (!Started() || index < 0) return;
    if (index == index_) return;
    // The composition holds what the frames up to index_ leave; going back, start from a copy.
    if (index < index_) Rewind(index - 1);
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
