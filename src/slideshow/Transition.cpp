// The transition engine: resolves the effect and runs its family routine.
#include "slideshow/Transition.h"

#include "image/TavoException.h"
#include "slideshow/EffectTable.h"
#include "slideshow/TransitionCanvas.h"
#include "slideshow/TransitionFamilies.h"

namespace xelo {

namespace {

constexpr uint32_t kUnit = 200;
constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kBlack = 0x00000000;

void DrawFamily(CTransitionCanvas& canvas, const EffectKind& kind, int durationMs) {
    switch (kind.family) {
        case kFamilyCut:
            return DrawCut(canvas, kWhite);
        case kFamilyCutThroughBlack:
            return DrawCut(canvas, kBlack);
        case kFamilyBlinds:
            return DrawBlinds(canvas, kind.code, durationMs);
        case kFamilyCheckerboard:
            return DrawCheckerboard(canvas, kind.code, durationMs);
        case kFamilyCover:
            return DrawCover(canvas, kind.code, durationMs);
        case kFamilyDissolve:
            return DrawDissolve(canvas, durationMs);
        case kFamilyFadeThroughBlack:
            return DrawFadeThroughBlack(canvas, durationMs);
        case kFamilyUncover:
            return DrawUncover(canvas, kind.code, durationMs);
        case kFamilyRandomBars:
            return DrawRandomBars(canvas, kind.code, durationMs);
        case kFamilyStrips:
            return DrawStrips(canvas, kind.code, durationMs);
        case kFamilyWipe:
            return DrawWipe(canvas, kind.code, durationMs);
        case kFamilyBox:
            return DrawBox(canvas, kind.code, durationMs);
        case kFamilySplit:
            return DrawSplit(canvas, kind.code, durationMs);
        case kFamilyPush:
            return DrawPush(canvas, kind.code, durationMs);
        case kFamilyComb:
            return DrawComb(canvas, kind.code, durationMs);
        case kFamilyShapePlus:
            return DrawShapePlus(canvas, durationMs);
        default:
            return canvas.DrawAll();
    }
}

}  // namespace

void RunTransition(int effectIndex, int durationMs, ITransitionTarget& target,
                   const Rect& targetRect, const CDibImage& newSlide, ITransitionClock& clock) {
    if (targetRect.IsEmpty()) return;
    if (newSlide.IsEmpty() || newSlide.BytesPerPixel() != 3 ||
        newSlide.Width() < targetRect.Width() || newSlide.Height() < targetRect.Height()) {
        ThrowError(kErrInvalidParameter, {kComponentRasterImage, kUnit, __LINE__});
    }
    if (durationMs < 0) durationMs = kDefaultTransitionMs;
    const EffectKind kind = ResolveEffect(effectIndex, clock.TickCount());

    CTransitionCanvas canvas(target, targetRect, newSlide, clock);
    DrawFamily(canvas, kind, durationMs / 2);
    // A blit that failed on the way leaves part of the old picture; one full copy repairs it.
    if (canvas.BlitFailed()) canvas.DrawAll();
    canvas.Present();
}

void RunTransition(int effectIndex, int durationMs, ITransitionTarget& target,
                   const Rect& targetRect, const CDibImage& newSlide) {
    CSystemTransitionClock clock;
    RunTransition(effectIndex, durationMs, target, targetRect, newSlide, clock);
}

}  // namespace xelo
