// The image view's two costs that users feel: a 24-megapixel JPEG's way to its first Full
// Screen frame at 1920 × 1080, and one 1920 × 1080 frame rendered while panning.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "codec/ImageFile.h"
#include "codec/JpegCodec.h"
#include "image/ReducedPicture.h"
#include "image/RenderTransformed.h"
#include "views/ImageViewGeometry.h"

namespace {

using namespace xelo;

const Size kScreen{1920, 1080};
const Size kPhoto{6000, 4000};

// Smooth gradients with a little noise, so the JPEG has a camera-like size.
void FillPhoto(CDibImage& image) {
    uint32_t state = 12345;
    for (int y = 0; y < image.Height(); ++y) {
        uint8_t* row = image.Row(y);
        for (int x = 0; x < image.Width(); ++x) {
            state = state * 1664525u + 1013904223u;
            const int noise = static_cast<int>(state >> 29);
            row[3 * x] = static_cast<uint8_t>((x / 24 + noise) & 0xFF);
            row[3 * x + 1] = static_cast<uint8_t>((y / 16 + noise) & 0xFF);
            row[3 * x + 2] = static_cast<uint8_t>(((x + y) / 40) & 0xFF);
        }
    }
}

const std::string& PhotoJpeg() {
    static const std::string path = [] {
        const std::string p = (std::filesystem::temp_directory_path() /
                               ("xelo-bench-view-" + std::to_string(::getpid()) + ".jpg"))
                                  .string();
        CDibImage image;
        image.Create(kPhoto.width, kPhoto.height, 3, false);
        FillPhoto(image);
        WriteJpeg(JpegWriterSettings{}, p, image, 100);
        std::atexit([] { std::filesystem::remove(PhotoJpeg()); });
        return p;
    }();
    return path;
}

void Fill(const BgrBuffer& b, uint8_t value) {
    for (int y = 0; y < b.height; ++y)
        std::fill_n(b.Row(y), static_cast<size_t>(b.width) * 3, value);
}

// Choosing the decode scale, decoding at it, filtering to the screen and rendering the whole
// screen once, as the first paint in Full Screen does (the screen copy itself is Qt's and not
// counted).
void BM_FirstFullScreenFrame24Mp(benchmark::State& state) {
    const std::string& path = PhotoJpeg();
    CDibImage screen;
    screen.Create(kScreen.width, kScreen.height, 3, false);
    const BgrBuffer target{screen.Bits(), screen.Width(), screen.Height(), screen.RowPad()};
    int percent = 0;
    for (auto _ : state) {
        const double factor = DefaultZoomFactor(DefaultZoom::kSmart, kPhoto, kScreen, 0);
        const Size displayed = DisplayedSize(kPhoto, factor, 0);
        percent = ChooseDecodePercent(kPhoto, displayed, 0);
        CImageFrames frames;
        CImageFile().LoadFrames(path, frames, DecodeSize(kPhoto, percent, 0));
        Fill(target, 0x40);
        const int x = CentredOffset(displayed.width, kScreen.width);
        const int y = CentredOffset(displayed.height, kScreen.height);
        // The view filters the decoded copy to the screen size once, then copies from it.
        CDibImage reduced;
        const bool filtered =
            MakeReducedPicture(frames.frames[0]->image, RenderSource{}, displayed, reduced);
        RenderTransformed(filtered ? reduced : frames.frames[0]->image,
                          Rect{-x, -y, -x + displayed.width, -y + displayed.height}, target,
                          std::nullopt, kOrientNormal);
        benchmark::DoNotOptimize(screen.Bits());
    }
    state.counters["decode_percent"] = percent;
}
BENCHMARK(BM_FirstFullScreenFrame24Mp)->Unit(benchmark::kMillisecond);

// A 24-megapixel picture at 50 % (decoded at 50 %, 3000 × 2000) panned across the screen: each
// frame fills the background and renders the visible part, straight or turned a quarter.
void BM_PanFrame1920x1080(benchmark::State& state) {
    const int orientation = static_cast<int>(state.range(0));
    CDibImage decoded;
    const Size size = DecodeSize(kPhoto, 50, 0);
    decoded.Create(size.width, size.height, 3, false);
    FillPhoto(decoded);
    const Size displayed = DisplayedSize(kPhoto, 0.5, orientation);
    CDibImage screen;
    screen.Create(kScreen.width, kScreen.height, 3, false);
    const BgrBuffer target{screen.Bits(), screen.Width(), screen.Height(), screen.RowPad()};
    int step = 0;
    for (auto _ : state) {
        const int x = (step * 7) % std::max(1, displayed.width - kScreen.width);
        const int y = (step * 5) % std::max(1, displayed.height - kScreen.height);
        ++step;
        Fill(target, 0x40);
        RenderTransformed(decoded, Rect{-x, -y, -x + displayed.width, -y + displayed.height},
                          target, std::nullopt, orientation);
        benchmark::DoNotOptimize(screen.Bits());
    }
}
BENCHMARK(BM_PanFrame1920x1080)->Arg(0)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);

}  // namespace
BENCHMARK_MAIN();
