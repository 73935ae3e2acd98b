// The slide show's readiness: a show of 24-megapixel JPEGs at 1920 x 1080 with a 2-second delay,
// timed from each advance to the moment its slide is ready to draw, over 50 slides. A slide is
// late when the advance had to wait more than a frame (16 ms) for it. Real time: about 100 s.
// Usage: xelo_bench_slideshow [SLIDES] [DELAY_MS]
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

#include "codec/JpegCodec.h"
#include "slideshow/SlideShowController.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kWidth = 6000;
constexpr int kHeight = 4000;
constexpr int kDistinct = 5;
constexpr double kLateMs = 16.0;

// A photograph-like picture: smooth gradients with detail, so the JPEG is of a usual size.
void WritePicture(const std::string& path, int seed) {
    xelo::CDibImage image;
    image.Create(kWidth, kHeight, 3, false);
    for (int y = 0; y < kHeight; ++y) {
        uint8_t* p = image.Row(y);
        for (int x = 0; x < kWidth; ++x, p += 3) {
            const int noise = ((x * 7919 + y * 104729 + seed * 31) >> 3) & 15;
            p[0] = static_cast<uint8_t>((x * 255 / kWidth + seed * 40 + noise) & 0xFF);
            p[1] = static_cast<uint8_t>((y * 255 / kHeight + noise) & 0xFF);
            p[2] = static_cast<uint8_t>(128 + 100 * std::sin((x + y * seed) / 300.0));
        }
    }
    xelo::WriteJpeg(xelo::JpegWriterSettings{90}, path, image, 100);
}

class TimingHost : public xelo::ISlideShowHost {
  public:
    void SetTimer(int timer, int ms) override {
        pending = timer;
        pendingMs = ms;
    }
    void KillTimer(int timer) override {
        if (pending == timer) pending = 0;
    }
    void PresentSlide(const xelo::CDibImage&, int, int) override { ready = Clock::now(); }
    void Redraw(const xelo::CDibImage&) override {}
    void PresentError(uint32_t) override {
        ready = Clock::now();
        ++errors;
    }
    int pending = 0;
    int pendingMs = 0;
    Clock::time_point ready;
    int errors = 0;
};

}  // namespace

int main(int argc, char** argv) {
    const int slides = argc > 1 ? std::max(2, std::atoi(argv[1])) : 50;
    const int delayMs = argc > 2 ? std::max(0, std::atoi(argv[2])) : 2000;
    const auto folder = std::filesystem::temp_directory_path() / "xelo-slideshow-bench";
    std::filesystem::create_directories(folder);
    std::vector<xelo::SlideItem> items;
    for (int i = 0; i < slides; ++i) {
        const auto path = folder / ("slide" + std::to_string(i) + ".jpg");
        const auto source = folder / ("slide" + std::to_string(i % kDistinct) + ".jpg");
        if (!std::filesystem::exists(path)) {
            if (i < kDistinct) {
                WritePicture(path.string(), i);
            } else {
                std::filesystem::copy_file(source, path);
            }
        }
        items.push_back({path.string(), path.filename().string(), kWidth, kHeight, 1});
    }
    xelo::SlideSettings settings;
    settings.delaySeconds = delayMs / 1000;
    settings.orientation = xelo::kOrientLandscape;
    const xelo::SlideComposeContext context{xelo::Size{1920, 1080}, settings, {}, nullptr};
    TimingHost host;
    xelo::CSlideShowController show(host, settings, std::move(items),
                                    std::make_unique<xelo::CSlideRenderer>(context, nullptr),
                                    context, 1);
    const auto start = Clock::now();
    show.Start(0);
    std::printf("first slide ready in %.1f ms (nothing preloaded yet)\n",
                std::chrono::duration<double, std::milli>(host.ready - start).count());
    show.Play();
    std::vector<double> waits;
    while (host.pending != 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        const int timer = host.pending;
        host.pending = 0;
        const auto advance = Clock::now();
        show.OnTimer(timer);
        if (host.pending == 0 && !show.Playing()) break;
        waits.push_back(std::chrono::duration<double, std::milli>(host.ready - advance).count());
    }
    std::sort(waits.begin(), waits.end());
    const auto at = [&](double q) { return waits[static_cast<size_t>(q * (waits.size() - 1))]; };
    const auto late = std::count_if(waits.begin(), waits.end(), [](double w) { return w > kLateMs; });
    std::printf("%zu advances at %d ms, 6000x4000 JPEG -> 1920x1080\n", waits.size(), delayMs);
    std::printf("advance to ready (ms): min %.2f  median %.2f  p90 %.2f  p99 %.2f  max %.2f\n",
                waits.front(), at(0.5), at(0.9), at(0.99), waits.back());
    std::printf("late (> %.0f ms): %ld   errors: %d\n", kLateMs, static_cast<long>(late),
                host.errors);
    return late == 0 && host.errors == 0 ? 0 : 1;
}
