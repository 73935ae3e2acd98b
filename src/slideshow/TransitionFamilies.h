// The routines of the effect families. Each draws on the canvas, pacing itself over `durationMs`
// (already halved), draws only what changed from one step to the next and leaves the area showing
// the whole new slide.
#pragma once

#include <cstdint>

#include "slideshow/TransitionCanvas.h"

namespace xelo {

void DrawCut(CTransitionCanvas& canvas, uint32_t colour);
void DrawFadeThroughBlack(CTransitionCanvas& canvas, int durationMs);

void DrawBlinds(CTransitionCanvas& canvas, uint32_t code, int durationMs);
void DrawCheckerboard(CTransitionCanvas& canvas, uint32_t code, int durationMs);
void DrawStrips(CTransitionCanvas& canvas, uint32_t code, int durationMs);
void DrawComb(CTransitionCanvas& canvas, uint32_t code, int durationMs);

void DrawCover(CTransitionCanvas& canvas, uint32_t code, int durationMs);
void DrawUncover(CTransitionCanvas& canvas, uint32_t code, int durationMs);
void DrawPush(CTransitionCanvas& canvas, uint32_t code, int durationMs);

void DrawWipe(CTransitionCanvas& canvas, uint32_t code, int durationMs);
void DrawSplit(CTransitionCanvas& canvas, uint32_t code, int durationMs);
void DrawBox(CTransitionCanvas& canvas, uint32_t code, int durationMs);
void DrawShapePlus(CTransitionCanvas& canvas, int durationMs);

void DrawRandomBars(CTransitionCanvas& canvas, uint32_t code, int durationMs);
void DrawDissolve(CTransitionCanvas& canvas, int durationMs);

}  // namespace xelo
