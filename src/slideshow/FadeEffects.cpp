// Cut, cut through black and fade through black: the old picture is blanked or darkened before
// the new slide appears.
#include <array>

#include "image/TavoException.h"
#include "slideshow/TransitionFamilies.h"

namespace xelo {

namespace {

constexpr uint32_t kCutPauseMs = 100;
constexpr int kPatternSize = 88;  // 11 repeats of the 8 × 8 dither cell
constexpr int kCell = 8;
constexpr int kFadeSteps = 7;

// Cell positions (row × 8 + column) turned black at each step: an ordered dither that leaves
// 49 of the 64 positions black after the last step.
constexpr std::array<std::array<int, 7>, kFadeSteps> kFadePositions = {{
    {4, 9, 21, 26, 39, 44, 48},
    {6, 10, 16, 28, 37, 41, 59},
    {0, 13, 18, 31, 33, 54, 60},
    {2, 15, 19, 24, 46, 49, 61},
    {7, 12, 22, 35, 45, 50, 56},
    {3, 14, 29, 32, 42, 52, 63},
    {1, 23, 30, 34, 40, 53, 58},
}};

// Repeats the black positions of `cell` over the whole pattern (white elsewhere).
void PaintPattern(CDibImage& pattern, const std::array<bool, kCell * kCell>& cell) {
    for (int y = 0; y < kPatternSize; ++y) {
        uint8_t* p = pattern.Row(y);
        for (int x = 0; x < kPatternSize; ++x, p += 3) {
            const uint8_t v = cell[static_cast<size_t>((y % kCell) * kCell + x % kCell)] ? 0 : 0xFF;
            p[0] = p[1] = p[2] = v;
        }
    }
}

}  // namespace

void DrawCut(CTransitionCanvas& canvas, uint32_t colour) {
    canvas.Fill(colour);
    canvas.Sleep(kCutPauseMs);
    canvas.DrawAll();
}

void DrawFadeThroughBlack(CTransitionCanvas& canvas, int durationMs) {
    CDibImage pattern;
    try {
        pattern.Create(kPatternSize, kPatternSize, 3, false);
    } catch (const CTavoException&) {
        canvas.DrawAll();
        return;
    }
    std::array<bool, kCell * kCell> black{};
    CPacer pacer(canvas.Clock(), static_cast<uint32_t>(durationMs / kFadeSteps));
    for (const auto& positions : kFadePositions) {
        for (int position : positions)
            black[static_cast<size_t>(position)] = true;
        PaintPattern(pattern, black);
        canvas.Pause(pacer);
        canvas.AndPattern(pattern);
    }
    canvas.Pause(pacer);
    canvas.DrawAll();
}

}  // namespace xelo
