// Sizes and offsets of the picture in the image view: how large it is on screen, the scale it
// is decoded at, the default and fit zooms, and where the window lies inside it.
#pragma once

#include "image/Geometry.h"

namespace xelo {

// The picture's size on screen: each side scaled by `factor` (rounded to nearest when
// enlarging, truncated when shrinking, untouched at exactly 1.0), exchanged for odd
// orientations.
Size DisplayedSize(Size natural, double factor, int orientation);

// The size of a copy decoded at `percent` (100 = full size), exchanged for odd orientations.
// A percent that makes one side exactly 240 or 320 pixels gives exactly that, so a picture
// decoded for a small screen fills it without a resampling step.
Size DecodeSize(Size natural, int percent, int orientation);

// The decode percent (100, 50, 25 or 13) that still has enough detail for `displayed`.
int ChooseDecodePercent(Size natural, Size displayed, int orientation);

// The next percent to try after a decode ran out of memory at `percent`; 0 when there is none.
int LowerDecodePercent(int percent);

// The zoom that fits the (oriented) picture into the window, enlarging small pictures.
double FitFactor(Size natural, Size window, int orientation);

enum class DefaultZoom : int { kSmart = 0, kFitInWindow = 1, kOriginalSize = 2 };

// The zoom factor a newly shown picture starts with.
double DefaultZoomFactor(DefaultZoom mode, Size natural, Size window, int orientation);

// The offset on one axis after the displayed extent changed from `oldExtent` to `extent`: the
// picture point at the window centre stays there; a picture smaller than the window is centred
// (a negative offset).
int ZoomedOffset(int offset, int oldExtent, int extent, int window);

// The offset centred on one axis.
int CentredOffset(int extent, int window);

// `offset` clamped into 0 … extent − window, or centred when the picture is the smaller.
int ClampOffset(int offset, int extent, int window);

// The orientation Auto Rotate gives a picture of `natural` size on a screen of `screen` size:
// a quarter turn (left: 3, right: 1) when one is landscape and the other portrait, else 0.
int AutoRotateOrientation(Size natural, Size screen, bool turnLeft);

}  // namespace xelo
