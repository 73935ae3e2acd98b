// Decoding, thumbnailing, resampling and oriented rendering of camera-size pictures.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "codec/BmpWriter.h"
#include "codec/ImageFile.h"
#include "image/RenderTransformed.h"
#include "image/Resampler.h"

namespace {

using namespace xelo;

void FillNoise(CDibImage& image) {
    uint32_t state = 12345;
    for (int y = 0; y < image.Height(); ++y) {
        uint8_t* row = image.Row(y);
        for (int i = 0; i < image.Width() * image.BytesPerPixel(); ++i) {
            state = state * 1664525u + 1013904223u;
            row[i] = static_cast<uint8_t>(state >> 24);
        }
    }
}

// A 4000 × 3000 24-bit bitmap written once per run into a temporary folder.
const std::string& CameraBmp() {
    static const std::string path = [] {
        const std::string p = (std::filesystem::temp_directory_path() /
                               ("xelo-bench-" + std::to_string(::getpid()) + ".bmp"))
                                  .string();
        CDibImage image;
        image.Create(4000, 3000, 3, false);
        FillNoise(image);
        WriteBmp(p, image, 100, Resolution{});
        std::atexit([] { std::filesystem::remove(CameraBmp()); });
        return p;
    }();
    return path;
}

void BM_BmpFullDecode4000x3000(benchmark::State& state) {
    const std::string& path = CameraBmp();
    for (auto _ : state) {
        CImageFrames frames;
        CImageFile().LoadFrames(path, frames);
        benchmark::DoNotOptimize(frames.frames[0]->image.Bits());
    }
}
BENCHMARK(BM_BmpFullDecode4000x3000)->Unit(benchmark::kMillisecond);

void BM_BmpThumbnail96x72(benchmark::State& state) {
    const std::string& path = CameraBmp();
    for (auto _ : state) {
        CDibImage thumb;
        CImageFile().ReadThumbnail(path, thumb, 96, 72);
        benchmark::DoNotOptimize(thumb.Bits());
    }
}
BENCHMARK(BM_BmpThumbnail96x72)->Unit(benchmark::kMillisecond);

void Resample(benchmark::State& state, int sw, int sh, int tw, int th) {
    CDibImage source, target;
    source.Create(sw, sh, 3, false);
    FillNoise(source);
    target.Create(tw, th, 3, false);
    for (auto _ : state) {
        Resample24(source.Bits(), sw, sh, source.RowPad(), 3, nullptr, target.Bits(), tw, th,
                   target.RowPad());
        benchmark::DoNotOptimize(target.Bits());
    }
}
void BM_Resample24_4000x3000_to_96x72(benchmark::State& state) {
    Resample(state, 4000, 3000, 96, 72);
}
void BM_Resample24_1600x1200_to_800x600(benchmark::State& state) {
    Resample(state, 1600, 1200, 800, 600);
}
BENCHMARK(BM_Resample24_4000x3000_to_96x72)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Resample24_1600x1200_to_800x600)->Unit(benchmark::kMillisecond);

// The whole 1600 × 1200 picture fitted into a 240 × 320 screen in each orientation.
void BM_RenderTransformed1600x1200Into240x320(benchmark::State& state) {
    const int orientation = static_cast<int>(state.range(0));
    CDibImage image, screen;
    image.Create(1600, 1200, 3, false);
    FillNoise(image);
    screen.Create(240, 320, 3, false);
    const BgrBuffer target{screen.Bits(), 240, 320, screen.RowPad()};
    const Rect dest = SwapsAxes(orientation) ? Rect{0, 0, 240, 320} : Rect{0, 70, 240, 250};
    for (auto _ : state) {
        RenderTransformed(image, dest, target, std::nullopt, orientation);
        benchmark::DoNotOptimize(screen.Bits());
    }
}
BENCHMARK(BM_RenderTransformed1600x1200Into240x320)
    ->DenseRange(0, 7)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
