// The slide composer: one output-sized 24-bit picture per slide — background, the picture
// centred and scaled, the picture frame, the text line, gamma, colour reduction, the quarter
// turn — and, for animations, each later frame over what the frames before it leave.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "codec/ImageCodec.h"
#include "image/BgrBuffer.h"
#include "image/DibImage.h"
#include "image/DisplayReduction.h"
#include "image/Geometry.h"
#include "slideshow/SlideList.h"
#include "slideshow/SlideSettings.h"

namespace xelo {

class CPictureFrames;

// Draws the text line of a slide. Called from the preload thread and the window's thread, never
// at once on the same buffer.
class ISlideTextPainter {
  public:
    virtual ~ISlideTextPainter() = default;
    virtual void DrawText(const BgrBuffer& target, const std::string& text,
                          const SlideTextStyle& style) = 0;
};

// Where a picture goes on a slide.
struct SlidePlacement {
    bool rotated = false;
    bool scaled = false;
    int zoomPercent = 100;
    Size box;         // the output, or its turn when rotated
    Size scaledSize;  // the picture as drawn
    Rect dest;        // in box coordinates; larger than the box when cropped at 100 %
};

// Whether a picture of `image` size is turned a quarter on an `output`-sized slide.
bool RotatesSlide(Size output, Size image, int orientation);
SlidePlacement PlaceSlide(Size output, Size image, int sizeMode, int orientation);

// A finished slide and, for animations, what the next frames need.
struct ComposedSlide {
    CDibImage slide;  // output width × height, 3 bytes per pixel
    SlidePlacement placement;
    std::string text;  // the overlay line, empty for none
    // Animations only: the decoded frames, the composite kept between frames and the
    // unturned composition of a rotated slide.
    CImageFrames frames;
    CDibImage background;
    CDibImage rotation;
    Size natural;
    int FrameCount() const { return frames.frames.empty() ? 1 : static_cast<int>(frames.frames.size()); }
};

// What composing needs besides the slide.
struct SlideComposeContext {
    Size output;
    SlideSettings settings;
    ScreenCaps screen;
    ISlideTextPainter* textPainter = nullptr;  // not owned; null: no text
};

// Returns false to give up (the show is ending, or another slide is wanted first).
using SlideCheckpoint = std::function<bool()>;

// Decodes and composes slides; the preload thread's one dependency, so tests can count decodes.
class ISlideRenderer {
  public:
    virtual ~ISlideRenderer() = default;
    // Composes `item` into `out`; false when a checkpoint gave up. Decoding failures throw.
    virtual bool Render(const SlideItem& item, const SlideCheckpoint& checkpoint,
                        ComposedSlide& out) = 0;
};

class CSlideRenderer : public ISlideRenderer {
  public:
    // `frames` (not owned, may be null) gives the picture frame of each still slide; it is
    // used from the preload thread only.
    CSlideRenderer(SlideComposeContext context, CPictureFrames* frames)
        : context_(std::move(context)), frames_(frames) {}
    bool Render(const SlideItem& item, const SlideCheckpoint& checkpoint,
                ComposedSlide& out) override;
    const SlideComposeContext& Context() const { return context_; }

  private:
    SlideComposeContext context_;
    CPictureFrames* frames_;
};

// Composes frame `index` of an animated slide (0 starts over) into its slide picture.
void ComposeAnimationFrame(ComposedSlide& slide, int index, const SlideComposeContext& context);

// Turns `source` (H wide, W high) into `target` (W × H): target (x, y) takes source (H−1−y, x).
void TurnIntoSlide(const CDibImage& source, CDibImage& target);

void FillDib(CDibImage& image, uint32_t colour);

}  // namespace xelo
