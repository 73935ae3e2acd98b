// Drawing cost of every transition effect on a 1920 × 1080 target. The clock is virtual, so the
// figures are pure drawing: at duration 0 (each family's minimum steps) and at Fast (1000 ms,
// run over 500 ms), whose paced duration the drawing should stay well under.
#include <benchmark/benchmark.h>

#include <string>

#include "slideshow/DibTransitionTarget.h"
#include "slideshow/EffectTable.h"
#include "slideshow/Transition.h"

namespace xelo {
namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

class CVirtualClock : public ITransitionClock {
  public:
    uint32_t TickCount() override { return now_; }
    void Sleep(uint32_t ms) override { now_ += ms; }

  private:
    uint32_t now_ = 5000;
};

void Paint(CDibImage& image, uint8_t red) {
    image.Create(kWidth, kHeight, 3, false);
    for (int y = 0; y < kHeight; ++y) {
        uint8_t* p = image.Row(y);
        for (int x = 0; x < kWidth; ++x, p += 3) {
            p[0] = static_cast<uint8_t>(x);
            p[1] = static_cast<uint8_t>(y);
            p[2] = red;
        }
    }
}

void BM_Transition(benchmark::State& state) {
    const int effect = static_cast<int>(state.range(0));
    const int duration = static_cast<int>(state.range(1));
    CDibImage surface;
    CDibImage slide;
    Paint(surface, 0x10);
    Paint(slide, 0xE0);
    CDibTransitionTarget target(surface);
    CVirtualClock clock;
    for (auto _ : state) {
        RunTransition(effect, duration, target, Rect{0, 0, kWidth, kHeight}, slide, clock);
        benchmark::ClobberMemory();
    }
    state.SetLabel(EffectName(effect));
}

void RegisterAll() {
    for (int duration : {0, 1000}) {
        for (int effect = 0; effect < kEffectCount; ++effect) {
            const std::string name =
                "Transition/" + std::to_string(effect) + "/" + std::to_string(duration) + "ms";
            benchmark::RegisterBenchmark(name.c_str(), BM_Transition)
                ->Args({effect, duration})
                ->Unit(benchmark::kMillisecond);
        }
    }
}

const bool kRegistered = (RegisterAll(), true);

}  // namespace
}  // namespace xelo

BENCHMARK_MAIN();
