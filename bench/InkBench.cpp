// The ink layer of a heavily annotated picture (500 strokes of 100 points): reading and writing
// its file bytes, hit testing the whole layer, and drawing it at a new scale. Also pasting 200
// images with a text note each into another folder (copies are synced to disk one by one).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "album/FileOperations.h"
#include "album/TavoDoc.h"
#include "codec/BmpWriter.h"
#include "image/DibImage.h"
#include "ink/InkFile.h"
#include "ink/LtFreeHand.h"

namespace {

xelo::CXeloLtManager& BusyLayer() {
    static xelo::CXeloLtManager layer;
    if (layer.Count() == 0) {
        for (int s = 0; s < 500; ++s) {
            std::vector<xelo::Point> stroke;
            for (int i = 0; i < 100; ++i)
                stroke.push_back({(s * 7 + i * 3) % 1600, (s * 5 + i * 11) % 1200});
            auto f = std::make_unique<xelo::CXeloLtFreeHand>(static_cast<uint32_t>(s));
            f->SetStrokes({stroke});
            layer.Append(std::move(f));
        }
    }
    return layer;
}

void BM_InkEncode(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(xelo::EncodeInk(BusyLayer()));
}
BENCHMARK(BM_InkEncode)->Unit(benchmark::kMicrosecond);

void BM_InkDecode(benchmark::State& state) {
    const std::vector<uint8_t> bytes = xelo::EncodeInk(BusyLayer());
    for (auto _ : state) {
        xelo::CXeloLtManager layer;
        xelo::DecodeInk(bytes.data(), bytes.size(), layer);
        benchmark::DoNotOptimize(layer.Count());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_InkDecode)->Unit(benchmark::kMicrosecond);

void BM_InkHitTestMiss(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(BusyLayer().HitTest({5000, 5000}));
}
BENCHMARK(BM_InkHitTestMiss)->Unit(benchmark::kMicrosecond);

class CountingPainter : public xelo::LtPainter {
  public:
    xelo::Rect VisibleRect() const override { return {0, 0, 240, 320}; }
    void Polyline(const xelo::Point*, size_t count, const xelo::LtPen&) override {
        points += count;
    }
    void Handle(const xelo::Rect&, bool) override {}
    size_t points = 0;
};

void BM_InkRescaleAndDraw(benchmark::State& state) {
    double scale = 0.15;
    for (auto _ : state) {
        BusyLayer().SetScale(scale);
        scale = scale == 0.15 ? 0.2 : 0.15;
        CountingPainter painter;
        BusyLayer().Draw(painter);
        benchmark::DoNotOptimize(painter.points);
    }
}
BENCHMARK(BM_InkRescaleAndDraw)->Unit(benchmark::kMicrosecond);

class QuietPrompt : public xelo::UserPrompt {
  public:
    xelo::Answer Ask(const xelo::Question&) override { return xelo::Answer::kYesToAll; }
    void ShowMessage(uint32_t, const std::string&) override {}
};

void BM_Paste200ImagesWithNotes(benchmark::State& state) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "xelo-bench-paste-XXXXXX").string();
    const std::string root = ::mkdtemp(pattern.data());
    const std::string src = root + "/src";
    std::filesystem::create_directory(src);
    xelo::CDibImage image;
    image.Create(64, 48, 3, false);
    for (int i = 0; i < 200; ++i) {
        const std::string name = src + "/img" + std::to_string(i) + ".bmp";
        xelo::WriteBmp(name, image, 100, xelo::Resolution{});
        std::ofstream(name + ".txt") << "note " << i;
    }
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string dst = root + "/dst" + std::to_string(round++);
        std::filesystem::create_directory(dst);
        xelo::CTavoDoc doc;
        doc.OpenFolder(src);
        doc.SelectAll();
        xelo::CopySelection(doc, false);
        doc.OpenFolder(dst);
        QuietPrompt prompt;
        state.ResumeTiming();
        xelo::Paste(doc, prompt);
        benchmark::DoNotOptimize(doc.Count());
    }
    std::filesystem::remove_all(root);
}
BENCHMARK(BM_Paste200ImagesWithNotes)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
