// AnimationComposer: an animation's frames decoded one at a time as they are shown and composed
// by their disposal methods, so its memory does not grow with the number of frames. Copies of
// the composition at regular frames, within a small cache, let a step backward start near the
// frame asked for instead of at the first one, and a step back leaves closer copies behind it
// for the next step back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "codec/ImageCodec.h"
#include "image/DibImage.h"
#include "image/Geometry.h"

namespace xelo {

class AnimationComposer {
  public:
    // Decodes frame `index` (its facts, and its pixels at the composed scale) into `frame`.
    using DecodeFn = std::function<void(int index, CImageFrame& frame)>;

    // Starts over for a picture of `natural` size composed at `scaled` size (the frames' places
    // scale alike) on `background`. Throws 46040 when the two pictures cannot be had.
    void Start(Size natural, Size scaled, uint32_t background, DecodeFn decode);
    // Releases every picture.
    void Stop();
    bool Started() const { return !shown_.IsEmpty(); }
    Size Scaled() const { return scaled_; }
    uint32_t Background() const { return background_; }

    // Shows frame `index` over what the frames before it leave. Throws the decoder's error or
    // 46040; the composition then starts from the first frame on the next call.
    void ComposeTo(int index);
    // The last frame composed, -1 before the first.
    int Index() const { return index_; }
    const CDibImage& Shown() const { return shown_; }

    // The memory the copies may take (12 MB unless set).
    void SetCacheBytes(size_t bytes) { cacheBytes_ = bytes; }

  private:
    // Puts the composition back to what the frames up to `index` leave behind (-1: nothing).
    void Rewind(int index);
    void Remember();
    // Copies the composition (after frame index_) into `into`; false when memory is short.
    bool CopyInto(std::map<int, std::unique_ptr<CDibImage>>& into);

    Size natural_;
    Size scaled_;
    uint32_t background_ = 0;
    DecodeFn decode_;
    CDibImage composition_;  // what the frames so far leave behind
    CDibImage shown_;        // the current frame over the composition
    CImageFrame frame_;      // the frame being composed, decoded afresh each time
    int index_ = -1;
    // Copies of the composition after frame `key`, taken every `interval_` frames; the interval
    // doubles whenever the copies would pass the cache.
    std::map<int, std::unique_ptr<CDibImage>> copies_;
    int interval_ = 4;
    // Copies left by the last step back between the copy it started from and its frame, or
    // the last few frames composed going forward.
    std::map<int, std::unique_ptr<CDibImage>> near_;
    size_t cacheBytes_ = size_t{12} << 20;
};

}  // namespace xelo
