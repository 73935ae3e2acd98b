// The reduction filter on its own and inside the paths that use it: the filter step of a
// thumbnail after the library's 1/8 decode, the image view's filter on a zoom change, and a
// 4000 × 3000 JPEG's whole thumbnail (scripts/reduction_compare.py sets it against djpeg).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "codec/ImageFile.h"
#include "codec/JpegCodec.h"
#include "image/Reducer.h"

namespace {

using namespace xelo;

void Paint(CDibImage& image, int width, int height) {
    image.Create(width, height, 3, false);
    uint32_t state = 99;
    for (int y = 0; y < height; ++y) {
        uint8_t* row = image.Row(y);
        for (int x = 0; x < width * 3; ++x) {
            state = state * 1664525u + 1013904223u;
            row[x] = static_cast<uint8_t>((x / 9 + y / 5) + (state >> 29));
        }
    }
}

void BM_Reduce(benchmark::State& state) {
    const int sw = static_cast<int>(state.range(0));
    const int sh = static_cast<int>(state.range(1));
    const Size target{static_cast<int>(state.range(2)), static_cast<int>(state.range(3))};
    CDibImage source, reduced;
    Paint(source, sw, sh);
    for (auto _ : state) {
        ReduceImage(source, reduced, target);
        benchmark::DoNotOptimize(reduced.Bits());
    }
    state.SetItemsProcessed(state.iterations() * sw * sh);
}
// After a 1/8 decode of 4000 × 3000; the image view at 40 % of 6000 × 4000 (decoded at 50 %).
BENCHMARK(BM_Reduce)
    ->Args({500, 375, 96, 72})
    ->Args({3000, 2000, 2400, 1600})
    ->Unit(benchmark::kMillisecond);

const std::string& CameraJpeg() {
    static const std::string path = [] {
        const std::string p = (std::filesystem::temp_directory_path() /
                               ("xelo-bench-reduce-" + std::to_string(::getpid()) + ".jpg"))
                                  .string();
        CDibImage image;
        Paint(image, 4000, 3000);
        JpegWriterSettings settings;
        settings.quality = 90;
        WriteJpeg(settings, p, image, 100);
        std::atexit([] { std::filesystem::remove(CameraJpeg()); });
        return p;
    }();
    return path;
}

// The thumbnail path: 1/8 decode, then the filter to 96 × 72.
void BM_JpegThumbnail(benchmark::State& state) {
    const std::string& path = CameraJpeg();
    for (auto _ : state) {
        CDibImage thumb;
        CImageFile().ReadThumbnail(path, thumb, 96, 72);
        benchmark::DoNotOptimize(thumb.Bits());
    }
}
BENCHMARK(BM_JpegThumbnail)->Unit(benchmark::kMillisecond);

}  // namespace
BENCHMARK_MAIN();
