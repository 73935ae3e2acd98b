// Drawing an annotation layer into a picture's own pixels at scale 1.0: round pens of the
// stroke's width in its colour, the same on every run, without the window.
#pragma once

#include "image/DibImage.h"
#include "ink/LtManager.h"

namespace xelo {

// Draws every object of `layer` into `picture` (3 bytes per pixel) in picture pixels; the
// layer's own view block is not used. A 1-byte picture is first made true-colour.
void DrawInkOnPicture(CDibImage& picture, const CXeloLtManager& layer);

}  // namespace xelo
