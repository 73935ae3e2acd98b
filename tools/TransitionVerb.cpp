// xelo-tool transition: renders every step of a transition effect between two images as
// numbered bitmap files, with the paced delay of each step, so a person can look at any effect.
#include <cstdio>
#include <memory>

#include "ToolArgs.h"
#include "Verbs.h"
#include "codec/BmpWriter.h"
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

// OUT without a .gif or .bmp extension: the frames are OUT-000.bmp, OUT-001.bmp, …
std::string FrameStem(const std::string& out) {
    const std::string ext = Extension(out);
    if (ext == "gif" || ext == "bmp") return out.substr(0, out.size() - ext.size() - 1);
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
        CFrameFileTarget target(surface, FrameStem(*out), clock);
        int shown = *effect;
        if (shown == kEffectRandom) shown = PickRandomEffect(clock.TickCount());
        std::printf("%d %s", *effect, EffectName(*effect).c_str());
        if (shown != *effect) std::printf(" (plays %d %s)", shown, EffectName(shown).c_str());
        std::printf(", %d ms, %dx%d\n", duration, newSlide.Width(), newSlide.Height());
        target.WriteFrame();  // the old picture
        RunTransition(*effect, duration, target, Rect{0, 0, newSlide.Width(), newSlide.Height()},
                      newSlide, clock);
        target.Finish();
    } catch (const CTavoException& e) {
        PrintFileError(*current, e.GetCode(), e.GetErrorMessage());
        return 1;
    }
    return 0;
}

}  // namespace xelo::tool
