// The playing state of an animated picture and the composition of its frames: what each frame
// leaves behind for the next one by its disposal method.
#pragma once

#include <cstdint>

#include "codec/ImageCodec.h"
#include "image/BgrBuffer.h"
#include "image/DibImage.h"
#include "image/Geometry.h"

namespace xelo {

class AnimationPlayer {
  public:
    // A newly shown picture: stopped at frame 0.
    void Reset(int frameCount);

    int FrameIndex() const { return index_; }
    int FrameCount() const { return count_; }
    bool Playing() const { return playing_; }
    bool Animated() const { return count_ >= 2; }

    // The enabling rules of Previous Frame, Next Frame, Play and Stop.
    bool CanPreviousFrame() const { return Animated() && !playing_ && index_ >= 1; }
    bool CanNextFrame() const { return Animated() && !playing_ && index_ < count_ - 1; }
    bool CanPlay() const { return Animated() && !playing_; }
    bool CanStop() const { return Animated() && playing_; }

    // Each returns false (and changes nothing) when its rule does not allow it.
    bool PreviousFrame();
    bool NextFrame();
    // Playing always starts from the first frame.
    bool Play();
    bool Stop();
    // The frame timer fired: the next frame, after the last the first again.
    void Tick();

  private:
    int index_ = 0;
    int count_ = 0;
    bool playing_ = false;
};

// Fills a 24-bit buffer, or image, with a colour 0x00BBGGRR.
void FillBuffer(const BgrBuffer& buffer, uint32_t colour);
void FillImage(CDibImage& image, uint32_t colour);

// Shows `frame` (its image placed at `offset` in the picture) over the composition into `shown`
// (both the picture's size, 24-bit), then lets the frame's disposal update the composition:
// 0 or 1 keep what was shown in the frame's area, 2 clears it to `background`, any other value
// leaves the composition as it was.
void ComposeFrame(const CImageFrame& frame, Point offset, CDibImage& composition, CDibImage& shown,
                  uint32_t background);

}  // namespace xelo
