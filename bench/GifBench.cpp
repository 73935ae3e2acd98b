// GIF benchmarks: reducing and writing a 1920 × 1080 photograph as a 256-colour dithered GIF,
// and decoding every frame of a 100-frame animation.
//
// XELO_BENCH_PHOTO may name a 24-bit BMP to use as the photograph (any size); without it a
// synthetic 1920 × 1080 picture of smooth shading and grain stands in.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "image/ColourReducer.h"
#include "codec/GifCodec.h"
#include "codec/GifWriter.h"
#include "codec/ImageFile.h"
#include "codec/MappedFile.h"

namespace xelo {
namespace {

std::string TempPath(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

const CDibImage& Photo() {
    static CDibImage photo;
    if (!photo.IsEmpty()) return photo;
    if (const char* path = std::getenv("XELO_BENCH_PHOTO")) {
        CImageFrames frames;
        CImageFile file;
        file.LoadFrames(path, frames);
        frames.frames.at(0)->image.TransferTo(photo);
        return photo;
    }
    photo.Create(1920, 1080, 3, false);
    std::mt19937 random(7);
    std::normal_distribution<double> grain(0.0, 6.0);
    for (int y = 0; y < 1080; ++y) {
        uint8_t* p = photo.Row(y);
        for (int x = 0; x < 1920; ++x, p += 3) {
            const double u = x / 1920.0, v = y / 1080.0;
            const double shade[3] = {
                120 + 90 * std::sin(6.0 * u + 2.0 * v) + 30 * std::cos(17.0 * v),
                110 + 80 * std::cos(4.0 * u - 3.0 * v) + 25 * std::sin(23.0 * u * v),
                100 + 100 * std::sin(3.0 * v + 1.0) * std::cos(5.0 * u)};
            for (int c = 0; c < 3; ++c)
                p[c] = static_cast<uint8_t>(std::clamp(shade[c] + grain(random), 0.0, 255.0));
        }
    }
    return photo;
}

void BM_ReducePhotoTo256Dithered(benchmark::State& state) {
    const CDibImage& photo = Photo();
    std::vector<uint8_t> indices(static_cast<size_t>(photo.Width()) * photo.Height());
    const BgrBuffer source{const_cast<uint8_t*>(photo.Bits()), photo.Width(), photo.Height(),
                           photo.RowPad()};
    for (auto _ : state) {
        LogPalette palette;
        int32_t transparent = -1;
        ReduceColours(Rect{0, 0, photo.Width(), photo.Height()}, source, indices.data(), 0, 1,
                      ColourReduction{256, true, nullptr, kNoColour}, &palette, transparent);
        benchmark::DoNotOptimize(indices.data());
    }
    state.SetItemsProcessed(state.iterations() * photo.Width() * photo.Height());
}
BENCHMARK(BM_ReducePhotoTo256Dithered)->Unit(benchmark::kMillisecond);

void BM_SavePhotoAsGif(benchmark::State& state) {
    const CDibImage& photo = Photo();
    const std::string path = TempPath("xelo-bench-photo.gif");
    for (auto _ : state) {
        CGifWriter writer;
        writer.maxColours = 256;
        writer.dither = state.range(0) != 0;
        WriteGif(writer, path, photo, 100);
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
    std::filesystem::remove(path);
    state.SetItemsProcessed(state.iterations() * photo.Width() * photo.Height());
}
BENCHMARK(BM_SavePhotoAsGif)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// A 100-frame 320 × 240 animation written with our writer: a full first frame, then moving
// sub-rectangles with local tables and transparency, like the animations people keep.
const std::string& Animation() {
    static const std::string path = [] {
        const std::string p = TempPath("xelo-bench-animation.gif");
        LogPalette palette;
        palette.count = 256;
        for (int i = 0; i < 256; ++i)
            palette.entries[i] = PaletteEntry{static_cast<uint8_t>(i), static_cast<uint8_t>(i * 3),
                                              static_cast<uint8_t>(255 - i), 0};
        CGifWriter writer;
        writer.Open(p);
        writer.WriteHeader(320, 240, &palette);
        std::vector<uint8_t> row(320);
        for (int f = 0; f < 100; ++f) {
            const int w = f == 0 ? 320 : 160, h = f == 0 ? 240 : 120;
            const int left = f == 0 ? 0 : (f * 7) % 160, top = f == 0 ? 0 : (f * 5) % 120;
            writer.WriteControl(1, false, 4, f == 0 ? -1 : 0);
            writer.BeginImage(left, top, w, h, f % 3 == 0 ? &palette : nullptr, f % 4 == 1);
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x)
                    row[x] = static_cast<uint8_t>(((x + f) / 4 ^ (y + 2 * f) / 6) * 3 + x / 40);
                writer.WritePixels(row.data(), static_cast<uint32_t>(w));
            }
        }
        writer.Close();
        return p;
    }();
    return path;
}

void BM_DecodeAnimation100Frames(benchmark::State& state) {
    const std::string& path = Animation();
    for (auto _ : state) {
        CImageFrames frames;
        CGifCodec codec;
        codec.LoadFrames(path, frames);
        if (frames.frames.size() != 100) state.SkipWithError("expected 100 frames");
        benchmark::DoNotOptimize(frames.frames.back()->image.Bits());
    }
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_DecodeAnimation100Frames)->Unit(benchmark::kMillisecond);

// The header index alone: what opening an animation costs before any frame is decoded.
void BM_IndexAnimation100Frames(benchmark::State& state) {
    CMappedFile file;
    file.Open(Animation());
    for (auto _ : state) {
        ImageInfo info;
        CGifCodec codec;
        codec.ReadInfo(file, info);
        benchmark::DoNotOptimize(info.frameCount);
    }
}
BENCHMARK(BM_IndexAnimation100Frames)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace xelo

BENCHMARK_MAIN();
