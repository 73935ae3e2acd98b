// xelo-tool slideshow: plays a folder's slide show — album order, hidden slides left out — with
// the window's controller and composer, into an animated GIF: each transition's steps, then the
// slide held for its delay. Time is virtual, so the file is written as fast as slides compose.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "ToolArgs.h"
#include "Verbs.h"
#include "album/TavoDoc.h"
#include "base/StringTable.h"
#include "codec/GifWriter.h"
#include "image/ColourReducer.h"
#include "image/TavoException.h"
#include "slideshow/DibTransitionTarget.h"
#include "slideshow/EffectTable.h"
#include "slideshow/PictureFrames.h"
#include "slideshow/SlideShowController.h"
#include "slideshow/Transition.h"

namespace xelo::tool {

namespace {

constexpr int kMaxMs = 600000;

class CShowClock : public ITransitionClock {
  public:
    uint32_t TickCount() override { return now_; }
    void Sleep(uint32_t ms) override { now_ += ms; }

  private:
    uint32_t now_ = 0;
};

bool SamePixels(const CDibImage& a, const CDibImage& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    return std::memcmp(a.Bits(), b.Bits(), a.Stride() * static_cast<size_t>(a.Height())) == 0;
}

// The show's host: every picture the screen would show becomes a GIF frame whose delay is the
// virtual time until the next one; the timers just mark how long to hold.
class CGifShowHost : public ISlideShowHost {
  public:
    CGifShowHost(const std::string& path, Size size, int fps, int delayMs)
        : minStepMs_(static_cast<uint32_t>(1000 / std::max(1, fps))), delayMs_(delayMs) {
        surface_.Create(size.width, size.height, 3, false);
        indices_.resize(static_cast<size_t>(size.width) * size.height);
        padded_.resize(static_cast<size_t>(size.width + RowPadFor(size.width)) * size.height);
        writer_.Open(path);
        writer_.WriteHeader(size.width, size.height, nullptr);
    }

    void SetTimer(int timer, int ms) override {
        pendingTimer_ = timer;
        pendingMs_ = timer == kAdvanceTimer ? delayMs_ : ms;
    }
    void KillTimer(int timer) override {
        if (pendingTimer_ == timer) pendingTimer_ = 0;
    }
    void PresentSlide(const CDibImage& slide, int effect, int durationMs) override {
        if (SamePixels(slide, surface_)) return;
        if (frames_ == 0 || effect == 0) {
            Copy(slide);
            return;
        }
        Target target(*this);
        RunTransition(effect, durationMs, target, Rect{0, 0, slide.Width(), slide.Height()}, slide,
                      clock_);
        Capture();  // the finished slide, whatever the frame rate skipped
    }
    void Redraw(const CDibImage& slide) override {
        if (!SamePixels(slide, surface_)) Copy(slide);
    }
    void PresentError(uint32_t message) override {
        std::fprintf(stderr, "%s\n", LoadString(message).c_str());
        FillDib(surface_, 0);
        Capture();
    }

    // Lets the pending timer run out; false when none is set (the show has stopped).
    bool RunPendingTimer(CSlideShowController& show) {
        if (pendingTimer_ == 0) return false;
        const int timer = pendingTimer_;
        pendingTimer_ = 0;
        clock_.Sleep(static_cast<uint32_t>(pendingMs_));
        show.OnTimer(timer);
        return true;
    }

    int Finish() {
        if (frames_ > 0) WritePending(std::max<uint32_t>(clock_.TickCount() - pendingTick_, 10));
        writer_.Close();
        return written_;
    }

  private:
    class Target : public CDibTransitionTarget {
      public:
        explicit Target(CGifShowHost& host) : CDibTransitionTarget(host.surface_), host_(host) {}
        void Present(const Rect&) override {
            if (host_.clock_.TickCount() - host_.pendingTick_ >= host_.minStepMs_) host_.Capture();
        }

      private:
        CGifShowHost& host_;
    };

    void Copy(const CDibImage& slide) {
        std::memcpy(surface_.Bits(), slide.Bits(), slide.Stride() * static_cast<size_t>(slide.Height()));
        Capture();
    }

    void Capture() {
        const uint32_t now = clock_.TickCount();
        if (frames_ > 0) {
            if (now == pendingTick_) {
                --frames_;  // a picture replaced within the same moment is not worth a frame
            } else {
                WritePending(now - pendingTick_);
            }
        }
        const int w = surface_.Width();
        const int h = surface_.Height();
        int32_t transparent = -1;
        ColourReduction options;
        const BgrBuffer source{surface_.Bits(), w, h, surface_.RowPad()};
        ReduceColours(Rect{0, 0, w, h}, source, padded_.data(), RowPadFor(w), 1, options,
                      &palette_, transparent);
        const size_t stride = static_cast<size_t>(w + RowPadFor(w));
        for (int y = 0; y < h; ++y)
            std::memcpy(indices_.data() + static_cast<size_t>(y) * w, padded_.data() + y * stride,
                        static_cast<size_t>(w));
        pendingTick_ = now;
        ++frames_;
    }

    void WritePending(uint32_t delayMs) {
        const int centiseconds = static_cast<int>(std::min<uint32_t>((delayMs + 5) / 10, 0xFFFF));
        writer_.WriteControl(1, false, centiseconds, -1);
        writer_.BeginImage(0, 0, surface_.Width(), surface_.Height(), &palette_, false);
        writer_.WritePixels(indices_.data(), static_cast<uint32_t>(indices_.size()));
        ++written_;
    }

    CDibImage surface_;
    CShowClock clock_;
    const uint32_t minStepMs_;
    const int delayMs_;
    CGifWriter writer_;
    LogPalette palette_;
    std::vector<uint8_t> indices_;
    std::vector<uint8_t> padded_;
    uint32_t pendingTick_ = 0;
    int frames_ = 0;
    int written_ = 0;
    int pendingTimer_ = 0;
    int pendingMs_ = 0;
};

std::optional<int> Milliseconds(const ToolArgs& args, const char* option, int fallback) {
    const auto text = args.Value(option);
    if (!text) return fallback;
    const auto value = ParseInt(*text);
    if (!value || *value < 0 || *value > kMaxMs) return std::nullopt;
    return value;
}

}  // namespace

int RunSlideShow(const std::vector<std::string>& args) {
    const char* verb = "slideshow";
    const std::vector<std::string> valued{"-o",    "--size",  "--effect", "--delay",
                                          "--duration", "--fps", "--frame"};
    std::vector<std::string> known = valued;
    known.push_back("--random");
    ToolArgs parsed;
    std::string error;
    if (!parsed.Parse(args, valued, error)) return UsageError(verb, error);
    if (const auto unknown = parsed.Unknown(known); !unknown.empty()) {
        return UsageError(verb, "unknown option " + unknown.front());
    }
    if (parsed.Operands().size() != 1) return UsageError(verb, "give one folder");
    const auto out = parsed.Value("-o");
    if (!out || Extension(*out) != "gif") return UsageError(verb, "no output (-o OUT.gif)");
    Size size{640, 480};
    if (const auto text = parsed.Value("--size")) {
        const auto value = ParseSize(*text);
        if (!value || value->width < 16 || value->height < 16 || value->width > 4096 ||
            value->height > 4096) {
            return UsageError(verb, "--size takes WxH from 16x16 to 4096x4096");
        }
        size = *value;
    }
    SlideSettings settings;
    settings.transitionEffect = kEffectRandom;
    if (const auto text = parsed.Value("--effect")) {
        const auto number = ParseInt(*text);
        if (*text == "none") {
            settings.transitionEffect = 0;
        } else if (*text == "random") {
            settings.transitionEffect = kEffectRandom;
        } else if (number && *number >= 0 && *number < kEffectCount) {
            settings.transitionEffect = *number;
        } else {
            return UsageError(verb, "--effect takes none, random or a number from 0 to 85");
        }
    }
    const auto delay = Milliseconds(parsed, "--delay", 2000);
    const auto duration = Milliseconds(parsed, "--duration", 1000);
    if (!delay || !duration) return UsageError(verb, "times are milliseconds up to 600000");
    const auto fps = ParseInt(parsed.Value("--fps").value_or("25"));
    if (!fps || *fps < 1 || *fps > 100) return UsageError(verb, "--fps takes 1 to 100");
    settings.random = parsed.Has("--random");
    settings.repeat = false;
    settings.delaySeconds = 1;  // the host holds each slide for --delay
    // A file has no way up: slides are never turned.
    settings.orientation = size.width >= size.height ? kOrientLandscape : kOrientPortrait;
    const std::string folder = parsed.Operands().front();
    try {
        CTavoDoc doc;
        doc.OpenFolder(folder);
        std::vector<SlideItem> slides = VisibleSlides(doc);
        if (slides.empty()) {
            std::fprintf(stderr, "%s: %s\n%s\n", folder.c_str(), LoadString(kMsgCannotPlay).c_str(),
                         LoadString(doc.Count() == 0 ? uint32_t{kErrNoImages} : uint32_t{kMsgAllHidden}).c_str());
            return 1;
        }
        CPictureFrames frames;
        if (const auto frame = parsed.Value("--frame")) {
            frames.BuildFromFile(*frame, size);
            if (frames.Count() == 0) {
                std::fprintf(stderr, "%s: not a one-frame GIF within %dx%d\n", frame->c_str(),
                             size.width, size.height);
                return 1;
            }
            settings.frames = true;
        }
        SlideComposeContext context{size, settings, ScreenCaps{}, nullptr};
        CGifShowHost host(*out, size, *fps, *delay);
        CSlideShowController show(host, settings, std::move(slides),
                                  std::make_unique<CSlideRenderer>(context, &frames), context, 1);
        const bool terminal = isatty(STDOUT_FILENO) != 0;
        show.Start(0);
        show.Play();
        int last = -1;
        do {
            if (show.Position() != last) {
                last = show.Position();
                std::printf(terminal ? "\rslide %d/%d %s\x1b[K" : "slide %d/%d %s\n", last + 1,
                            show.Count(), show.SlideAt(last).name.c_str());
                std::fflush(stdout);
            }
        } while (host.RunPendingTimer(show));
        const int written = host.Finish();
        std::printf("%s%d frames written to %s\n", terminal ? "\n" : "", written, out->c_str());
    } catch (const CTavoException& e) {
        PrintFileError(folder, e.GetCode(), e.GetErrorMessage());
        return 1;
    }
    return 0;
}

}  // namespace xelo::tool
