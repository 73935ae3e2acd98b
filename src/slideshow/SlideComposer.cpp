#include "slideshow/SlideComposer.h"

#include <algorithm>
#include <cstring>

#include "album/TextNote.h"
#include "codec/ImageFile.h"
#include "image/FitSize.h"
#include "image/RenderTransformed.h"
#include "image/TavoException.h"
#include "slideshow/PictureFrames.h"

namespace xelo {

namespace {

BgrBuffer BufferOf(CDibImage& image) {
    return BgrBuffer{image.Bits(), image.Width(), image.Height(), image.RowPad()};
}

void EnsureImage(CDibImage& image, Size size) {
    if (image.IsEmpty() || image.Width() != size.width || image.Height() != size.height ||
        image.BytesPerPixel() != 3) {
        image.Create(size.width, size.height, 3, false);
    }
}

void FillArea(CDibImage& image, const Rect& area, uint32_t colour) {
    const Rect r = Intersect(area, Rect{0, 0, image.Width(), image.Height()});
    if (r.IsEmpty()) return;
    const auto b = static_cast<uint8_t>(colour >> 16);
    const auto g = static_cast<uint8_t>(colour >> 8);
    const auto red = static_cast<uint8_t>(colour);
    for (int y = r.top; y < r.bottom; ++y) {
        uint8_t* p = image.Row(y) + static_cast<size_t>(r.left) * 3;
        for (int x = r.left; x < r.right; ++x, p += 3) {
            p[0] = b;
            p[1] = g;
            p[2] = red;
        }
    }
}

void CopyArea(const CDibImage& from, CDibImage& to, const Rect& area) {
    const Rect r = Intersect(area, Rect{0, 0, to.Width(), to.Height()});
    if (r.IsEmpty()) return;
    for (int y = r.top; y < r.bottom; ++y) {
        std::memcpy(to.Row(y) + static_cast<size_t>(r.left) * 3,
                    from.Row(y) + static_cast<size_t>(r.left) * 3,
                    static_cast<size_t>(r.Width()) * 3);
    }
}

// The last steps shared by stills and frames: text, gamma (stills), colour reduction.
void FinishComposition(CDibImage& target, const std::string& text, bool still,
                       const SlideComposeContext& context) {
    const BgrBuffer buffer = BufferOf(target);
    const Rect all{0, 0, target.Width(), target.Height()};
    const SlideSettings& s = context.settings;
    if (s.text.show && !text.empty() && context.textPainter != nullptr) {
        context.textPainter->DrawText(buffer, text, s.text);
    }
    if (still && s.gammaPercent != 100) AdjustGamma(all, buffer, 0, false, s.gammaPercent);
    const int mode = EffectiveDisplayMode(s.displayMode, context.screen);
    if (mode != kDisplayNone) ReduceForDisplay(all, buffer, mode, 0, false, context.screen);
}

}  // namespace

void FillDib(CDibImage& image, uint32_t colour) {
    FillArea(image, Rect{0, 0, image.Width(), image.Height()}, colour);
}

bool RotatesSlide(Size output, Size image, int orientation) {
    const bool portraitScreen = output.width < output.height;
    const bool landscapeScreen = output.width > output.height;
    switch (orientation) {
        case kOrientLandscape:
            return portraitScreen;
        case kOrientPortrait:
            return landscapeScreen;
        default:
            return (image.width > image.height && portraitScreen) ||
                   (image.width < image.height && landscapeScreen);
    }
}

SlidePlacement PlaceSlide(Size output, Size image, int sizeMode, int orientation) {
    SlidePlacement p;
    p.rotated = RotatesSlide(output, image, orientation);
    p.box = p.rotated ? Size{output.height, output.width} : output;
    const int w = std::max(1, image.width);
    const int h = std::max(1, image.height);
    p.scaledSize = Size{w, h};
    const bool fits = w <= p.box.width && h <= p.box.height;
    if (sizeMode == kSlideFit || (sizeMode == kSlideLargeFit && !fits)) {
        p.scaled = true;
        p.scaledSize = FitSize(p.box.width, p.box.height, w, h, true);
        p.zoomPercent = static_cast<int>(p.scaledSize.width == p.box.width
                                             ? p.scaledSize.width * 100.0 / w
                                             : p.scaledSize.height * 100.0 / h);
    }
    const int left = (p.box.width - p.scaledSize.width) / 2;
    const int top = (p.box.height - p.scaledSize.height) / 2;
    p.dest = Rect{left, top, left + p.scaledSize.width, top + p.scaledSize.height};
    return p;
}

void TurnIntoSlide(const CDibImage& source, CDibImage& target) {
    const int W = target.Width();
    const int H = target.Height();
    for (int y = 0; y < H; ++y) {
        uint8_t* out = target.Row(y);
        const int sx = H - 1 - y;
        for (int x = 0; x < W; ++x, out += 3) {
            const uint8_t* in = source.Row(x) + static_cast<size_t>(sx) * 3;
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
        }
    }
}

bool CSlideRenderer::Render(const SlideItem& item, const SlideCheckpoint& checkpoint,
                            ComposedSlide& out) {
    if (!checkpoint()) return false;
    Size natural{item.width, item.height};
    int frameCount = item.frames;
    if (natural.width <= 0 || natural.height <= 0) {
        ImageInfo info;
        CImageFile().ReadInfo(item.path, info);
        natural = Size{info.width, info.height};
        frameCount = std::max(1, info.frameCount);
    }
    const SlidePlacement p =
        PlaceSlide(context_.output, natural, context_.settings.sizeMode,
                   context_.settings.orientation);
    if (!checkpoint()) return false;
    EnsureImage(out.slide, context_.output);
    if (p.rotated) {
        EnsureImage(out.rotation, p.box);
    } else {
        out.rotation.Release();
    }
    if (!checkpoint()) return false;
    out.placement = p;
    out.natural = natural;
    const Rect boxRect{0, 0, p.box.width, p.box.height};
    CImageFile codec;
    out.frames.Clear();
    if (frameCount >= 2) {
        codec.LoadFrames(item.path, out.frames, p.scaledSize);
    } else if (p.scaledSize.width > p.box.width || p.scaledSize.height > p.box.height) {
        // At actual size a larger picture shows its middle: only that part is decoded.
        const Rect clip{-p.dest.left, -p.dest.top, -p.dest.left + p.box.width,
                        -p.dest.top + p.box.height};
        codec.LoadFrames(item.path, out.frames, std::nullopt,
                         Intersect(clip, Rect{0, 0, natural.width, natural.height}));
    } else {
        codec.LoadFirstFrame(item.path, out.frames, p.scaledSize);
    }
    if (out.frames.frames.empty() || out.frames.frames[0]->image.IsEmpty()) {
        ThrowError(kErrNoResources, Origin{});
    }
    if (!checkpoint()) return false;
    out.text.clear();
    const SlideSettings& s = context_.settings;
    if (s.text.show) {
        if (!s.text.fromNote) {
            out.text = item.name;
        } else {
            try {
                ReadTextNote(item.path + ".txt", out.text);
            } catch (const CTavoException&) {
                out.text.clear();  // an unreadable note shows no text, the slide still shows
            }
        }
    }
    if (out.frames.frames.size() >= 2) {
        EnsureImage(out.background, p.box);
        ComposeAnimationFrame(out, 0, context_);
        return checkpoint();
    }
    out.background.Release();
    const CDibImage* frame = nullptr;
    if (s.frames && frames_ != nullptr) {
        if (!checkpoint()) return false;
        frame = frames_->ChooseNext(s.randomFrames);
    }
    CDibImage& target = p.rotated ? out.rotation : out.slide;
    FillDib(target, s.background);
    const CDibImage& picture = out.frames.frames[0]->image;
    // A cropped decode holds exactly the box's part of the picture.
    const Rect dest = picture.Width() == p.scaledSize.width
                          ? p.dest
                          : Rect{std::max(0, p.dest.left), std::max(0, p.dest.top),
                                 std::max(0, p.dest.left) + picture.Width(),
                                 std::max(0, p.dest.top) + picture.Height()};
    const BgrBuffer buffer = BufferOf(target);
    RenderTransformed(picture, dest, buffer, boxRect, kOrientNormal);
    if (frame != nullptr && !frame->IsEmpty()) {
        const bool flip = frames_->Flipped();
        const int orientation = p.rotated ? (flip ? kOrientTransverse : kOrientRotate90)
                                          : (flip ? kOrientMirrorLeftRight : kOrientNormal);
        RenderTransformed(*frame, boxRect, buffer, boxRect, orientation);
    }
    FinishComposition(target, out.text, true, context_);
    if (p.rotated) TurnIntoSlide(out.rotation, out.slide);
    if (!checkpoint()) return false;
    // Only the finished slide stays in memory.
    out.frames.Clear();
    out.rotation.Release();
    return true;
}

void ComposeAnimationFrame(ComposedSlide& slide, int index, const SlideComposeContext& context) {
    if (index < 0 || index >= static_cast<int>(slide.frames.frames.size())) return;
    const SlidePlacement& p = slide.placement;
    CDibImage& target = p.rotated ? slide.rotation : slide.slide;
    const uint32_t background = context.settings.background;
    if (index == 0) {
        FillDib(target, background);
        FillDib(slide.background, background);
    } else {
        CopyArea(slide.background, target, Rect{0, 0, p.box.width, p.box.height});
    }
    const CImageFrame& frame = *slide.frames.frames[static_cast<size_t>(index)];
    const int natW = std::max(1, slide.natural.width);
    const int natH = std::max(1, slide.natural.height);
    const int left = p.dest.left + static_cast<int>(int64_t{frame.frameRect.left} *
                                                    p.scaledSize.width / natW);
    const int top = p.dest.top + static_cast<int>(int64_t{frame.frameRect.top} *
                                                  p.scaledSize.height / natH);
    const Rect area{left, top, left + frame.image.Width(), top + frame.image.Height()};
    const Rect boxRect{0, 0, p.box.width, p.box.height};
    if (!frame.image.IsEmpty()) {
        RenderTransformed(frame.image, area, BufferOf(target), boxRect, kOrientNormal);
    }
    // What the next frame starts from, kept before the text and the reduction go on.
    if (frame.disposal <= 1) {
        CopyArea(target, slide.background, area);
    } else if (frame.disposal == 2) {
        FillArea(slide.background, area, background);
    }
    FinishComposition(target, slide.text, false, context);
    if (p.rotated) TurnIntoSlide(slide.rotation, slide.slide);
}

}  // namespace xelo
