// Random bars and dissolve: one-pixel bars or blocks drawn in a random order.
#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include "slideshow/EffectTable.h"
#include "slideshow/TransitionFamilies.h"
#include "slideshow/TransitionMath.h"

namespace xelo {

namespace {

constexpr int kBarsMinSteps = 15;
constexpr int kDissolveMinSteps = 50;
constexpr int kRandomPercent = 100;

// A small linear congruential generator of 15-bit values, seeded with the tick count, so a run
// with a given clock always draws in the same order.
class CShuffleRandom {
  public:
    explicit CShuffleRandom(uint32_t seed) : state_(seed) {}
    int Next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFF);
    }

  private:
    uint32_t state_;
};

// Visits all `count` items in random order: a random pick, or the nearest free item looking
// alternately below and above it. Returns false when the map of taken items cannot be made.
template <typename Visit>
bool VisitInRandomOrder(int count, uint32_t seed, Visit visit) {
    std::unique_ptr<uint8_t[]> taken(new (std::nothrow) uint8_t[static_cast<size_t>(count)]());
    if (!taken) return false;
    CShuffleRandom random(seed);
    for (int drawn = 0; drawn < count; ++drawn) {
        int pick = random.Next() % count;
        for (int d = 1; taken[static_cast<size_t>(pick)]; ++d) {
            if (pick - d >= 0 && !taken[static_cast<size_t>(pick - d)]) {
                pick -= d;
                break;
            }
            if (pick + d < count && !taken[static_cast<size_t>(pick + d)]) {
                pick += d;
                break;
            }
        }
        taken[static_cast<size_t>(pick)] = 1;
        visit(drawn, pick);
    }
    return true;
}

}  // namespace

void DrawRandomBars(CTransitionCanvas& canvas, uint32_t code, int durationMs) {
    const bool rows = code != kDirVertical;
    const int count = rows ? canvas.Height() : canvas.Width();
    const PaceSteps pace =
        ComputePacing(count, durationMs, kBarsMinSteps, CeilDiv(count, 2), kRandomPercent);
    CPacer pacer(canvas.Clock(), pace.delay);
    // The columns of one tick are drawn together in one pass over the rows: one column at a
    // time would walk every row of both pictures once per column.
    std::vector<int> columns;
    const bool drawn = VisitInRandomOrder(count, canvas.Clock().TickCount(), [&](int n, int bar) {
        if (n % pace.step == 0) {
            canvas.DrawColumns(columns);
            columns.clear();
            canvas.Pause(pacer);
        }
        if (rows) {
            canvas.Draw(0, bar, canvas.Width(), bar + 1);
        } else {
            columns.push_back(bar);
        }
    });
    canvas.DrawColumns(columns);
    if (!drawn) canvas.DrawAll();
}

void DrawDissolve(CTransitionCanvas& canvas, int durationMs) {
    const int w = canvas.Width();
    const int h = canvas.Height();
    const bool wide = w >= h;
    const int longer = wide ? w : h;
    const int shorter = wide ? h : w;
    const PaceSteps pace =
        ComputePacing(longer, durationMs, kDissolveMinSteps, longer / 2, kRandomPercent);
    const int alongShorter = CeilDiv(shorter, pace.step);
    const int shorterBlock = CeilDiv(shorter, alongShorter);
    const int columns = wide ? pace.count : alongShorter;
    const int blockWidth = wide ? pace.step : shorterBlock;
    const int blockHeight = wide ? shorterBlock : pace.step;
    const int rows = wide ? alongShorter : pace.count;
    // One tick draws as many blocks as there are across the shorter side.
    const int perTick = alongShorter;
    CPacer pacer(canvas.Clock(), pace.delay);
    const bool drawn =
        VisitInRandomOrder(rows * columns, canvas.Clock().TickCount(), [&](int n, int block) {
            if (n % perTick == 0) canvas.Pause(pacer);
            const int x = (block % columns) * blockWidth;
            const int y = (block / columns) * blockHeight;
            canvas.Draw(x, y, x + blockWidth, y + blockHeight);
        });
    if (!drawn) canvas.DrawAll();
}

}  // namespace xelo
