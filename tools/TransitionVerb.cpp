// xelo-tool transition: renders every step of a transition effect between two images, with the
// paced delay of each step, as an animated GIF or as numbered bitmap files, so a person can look
// at any effect.
#include <cstdio>
#include <memory>
#include <vector>

#include "ToolArgs.h"
#include "Verbs.h"
#include "codec/BmpWriter.h"
#include "image/ColourReducer.h"
#include "codec/GifWriter.h"
#include "codec/ImageFile.h"
#include "image/TavoException.h"
#include "slideshow/DibTransitionTarget.h"
#include "slideshow/EffectTable.h"
#include "slideshow/Transition.h"

namespace xelo::tool {

namespace {

constexpr int kMaxDurationMs = 60000;

// Time passes only when the transition sleeps, so frames are written as fast as the disk allows
// while their delays are the ones the screen would show.
class CVirtualClock : public ITransitionClock {
  public:
    explicit CVirtualClock(uint32_t start) : now_(start) {}
    uint32_t TickCount() override { return now_; }
    void Sleep(uint32_t ms) override { now_ += ms; }

  private:
    uint32_t now_;
};

// Writes the whole surface as the next numbered file at every Present.
class CFrameFileTarget : public CDibTransitionTarget {
  public:
    CFrameFileTarget(CDibImage& surface, std::string stem, ITransitionClock& clock)
        : CDibTransitionTarget(surface), stem_(std::move(stem)), clock_(clock) {}

    void Present(const Rect&) override { WriteFrame(); }

    void WriteFrame() {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "-%03d.bmp", count_);
        const std::string path = stem_ + suffix;
        WriteBmp(path, Surface(), 100, Resolution{});
        const uint32_t now = clock_.TickCount();
        if (count_ > 0) std::printf("%s  %u ms\n", previous_.c_str(), now - previousTick_);
        previous_ = path;
        previousTick_ = now;
        ++count_;
    }

    void Finish() {
        if (count_ > 0) std::printf("%s  end\n", previous_.c_str());
    }

  private:
    std::string stem_;
    ITransitionClock& clock_;  // not owned
    std::string previous_;
    uint32_t previousTick_ = 0;
    int count_ = 0;
};

// Writes every Present as one frame of an animated GIF whose delay is the time until the next
// frame. All frames share one palette made from both slides and black (what fades pass through).
class CGifFrameTarget : public CDibTransitionTarget {
  public:
    CGifFrameTarget(CDibImage& surface, const CDibImage& newSlide, const std::string& path,
                    ITransitionClock& clock)
        : CDibTransitionTarget(surface),
          clock_(clock),
          width_(surface.Width()),
          height_(surface.Height()) {
        BuildPalette(surface, newSlide);
        indices_.resize(static_cast<size_t>(width_ + RowPadFor(width_)) * height_);
        pending_.resize(static_cast<size_t>(width_) * height_);
        writer_.Open(path);
        writer_.WriteHeader(width_, height_, &palette_);
    }

    void Present(const Rect&) override { Capture(); }

    // Takes the surface as the next frame; the frame before it is written with its delay.
    void Capture() {
        const uint32_t now = clock_.TickCount();
        if (frames_ > 0) WritePending(now - pendingTick_);
        int32_t transparent = -1;
        ColourReduction options;
        options.dither = false;  // a still area keeps the same indices from frame to frame
        options.fixedPalette = &palette_;
        const BgrBuffer source{Surface().Bits(), width_, height_, Surface().RowPad()};
        ReduceColours(Rect{0, 0, width_, height_}, source, indices_.data(), RowPadFor(width_), 1,
                      options, nullptr, transparent);
        const size_t stride = static_cast<size_t>(width_ + RowPadFor(width_));
        for (int y = 0; y < height_; ++y) {
            std::copy_n(indices_.data() + y * stride, width_,
                        pending_.data() + static_cast<size_t>(y) * width_);
        }
        pendingTick_ = now;
        ++frames_;
    }

    // The last frame stays two seconds, so that the end of the effect can be seen.
    void Finish() {
        if (frames_ > 0) WritePending(kHoldLastMs);
        writer_.Close();
        std::printf("%d frames written\n", frames_);
    }

  private:
    static constexpr uint32_t kHoldLastMs = 2000;

    void BuildPalette(const CDibImage& oldSlide, const CDibImage& newSlide) {
        // Both slides one above the other and a black row, reduced together.
        const int rows = oldSlide.Height() + newSlide.Height() + 1;
        CDibImage both;
        both.Create(width_, rows, 3, false);
        for (int y = 0; y < oldSlide.Height(); ++y) {
            std::copy_n(oldSlide.Row(y), width_ * 3, both.Row(y));
        }
        for (int y = 0; y < newSlide.Height(); ++y) {
            std::copy_n(newSlide.Row(y), width_ * 3, both.Row(oldSlide.Height() + y));
        }
        int32_t transparent = -1;
        ColourReduction options;
        options.dither = false;
        const BgrBuffer source{both.Bits(), width_, rows, both.RowPad()};
        ReduceColours(Rect{0, 0, width_, rows}, source, nullptr, 0, 1, options, &palette_,
                      transparent);
    }

    void WritePending(uint32_t delayMs) {
        const int centiseconds = static_cast<int>(std::min<uint32_t>((delayMs + 5) / 10, 0xFFFF));
        writer_.WriteControl(1, false, centiseconds, -1);
        writer_.BeginImage(0, 0, width_, height_, nullptr, false);
        writer_.WritePixels(pending_.data(), static_cast<uint32_t>(pending_.size()));
        std::printf("frame %d  %u ms\n", written_++, delayMs);
    }

    ITransitionClock& clock_;  // not owned
    int width_;
    int height_;
    LogPalette palette_;
    std::vector<uint8_t> indices_;  // padded rows
    std::vector<uint8_t> pending_;  // the last captured frame, rows without padding
    uint32_t pendingTick_ = 0;
    int frames_ = 0;
    int written_ = 0;
    CGifWriter writer_;
};

// OUT without a .bmp extension: the frames are OUT-000.bmp, OUT-001.bmp, …
std::string FrameStem(const std::string& out) {
    const std::string ext = Extension(out);
    if (ext == "bmp") return out.substr(0, out.size() - ext.size() - 1);
    return out;
}

// The first frame of `path` in 3 bytes per pixel, scaled to `size` when one is given.
void LoadSlide(const std::string& path, CDibImage& slide, const std::optional<Size>& size) {
    CImageFrames frames;
    CImageFile file;
    file.LoadFrames(path, frames, size);
    if (frames.frames.empty() || frames.frames.front()->image.IsEmpty()) {
        ThrowError(kErrNoImages, {});
    }
    CDibImage& image = frames.frames.front()->image;
    if (image.BytesPerPixel() != 3) image.ConvertToTrueColour();
    image.TransferTo(slide);
}

}  // namespace

int RunTransitionVerb(const std::vector<std::string>& args) {
    const std::vector<std::string> options{"-o", "--effect", "--from", "--to", "--duration"};
    ToolArgs parsed;
    std::string error;
    if (!parsed.Parse(args, options, error)) return UsageError("transition", error);
    if (const auto unknown = parsed.Unknown(options); !unknown.empty()) {
        return UsageError("transition", "unknown option " + unknown.front());
    }
    if (!parsed.Operands().empty()) return UsageError("transition", "unexpected operand");
    const auto out = parsed.Value("-o");
    const auto from = parsed.Value("--from");
    const auto to = parsed.Value("--to");
    const auto effectText = parsed.Value("--effect");
    if (!out || out->empty()) return UsageError("transition", "no output (-o OUT)");
    if (!from || !to) return UsageError("transition", "give both --from A and --to B");
    const auto effect = effectText ? ParseInt(*effectText) : std::nullopt;
    if (!effect || *effect < 0 || *effect >= kEffectCount) {
        return UsageError("transition", "--effect takes an effect number from 0 to 85");
    }
    int duration = 1000;
    if (const auto text = parsed.Value("--duration")) {
        const auto value = ParseInt(*text);
        if (!value || *value < 0 || *value > kMaxDurationMs) {
            return UsageError("transition", "--duration takes milliseconds from 0 to 60000");
        }
        duration = *value;
    }

    const std::string* current = &*to;
    try {
        CDibImage newSlide;
        LoadSlide(*to, newSlide, std::nullopt);
        current = &*from;
        // The old picture fills the new slide's area, as the slide show composes both the same.
        CDibImage surface;
        LoadSlide(*from, surface, Size{newSlide.Width(), newSlide.Height()});
        if (surface.Width() != newSlide.Width() || surface.Height() != newSlide.Height()) {
            surface.Release();
            surface.Create(newSlide.Width(), newSlide.Height(), 3, false);
        }
        current = &*out;
        CVirtualClock clock(0);
        int shown = *effect;
        if (shown == kEffectRandom) shown = PickRandomEffect(clock.TickCount());
        std::printf("%d %s", *effect, EffectName(*effect).c_str());
        if (shown != *effect) std::printf(" (plays %d %s)", shown, EffectName(shown).c_str());
        std::printf(", %d ms, %dx%d\n", duration, newSlide.Width(), newSlide.Height());
        const Rect area{0, 0, newSlide.Width(), newSlide.Height()};
        if (Extension(*out) == "gif") {
            CGifFrameTarget target(surface, newSlide, *out, clock);
            target.Capture();  // the old picture
            RunTransition(*effect, duration, target, area, newSlide, clock);
            target.Finish();
        } else {
            CFrameFileTarget target(surface, FrameStem(*out), clock);
            target.WriteFrame();  // the old picture
            RunTransition(*effect, duration, target, area, newSlide, clock);
            target.Finish();
        }
    } catch (const CTavoException& e) {
        PrintFileError(*current, e.GetCode(), e.GetErrorMessage());
        return 1;
    }
    return 0;
}

}  // namespace xelo::tool
