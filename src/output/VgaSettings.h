// The stored "VGAOut" record as the external display uses it: the mode it names, the texts the
// VGA page lists modes by, the colour reduction a mode gets, and the slide settings of a show on
// the external display.
#pragma once

#include <string>

#include "settings/PrefLayout.h"
#include "slideshow/SlideSettings.h"
#include "xelo_plugin.h"

namespace xelo::output {

// The record's fields beyond those PrefLayout names by position.
constexpr Field32 kVgaModeFlags = vga::kMode1;  // the stored mode's flags
constexpr Field32 kVgaReduction = vga::kMode2;  // 1 None, 2 16-bit, 3 12-bit, 4 8-bit

XeloOutputMode StoredMode(const VgaOutBlock& block);
void StoreMode(VgaOutBlock& block, const XeloOutputMode& mode);
bool SameMode(const XeloOutputMode& a, const XeloOutputMode& b);

// "640x480x256", "800x600x64k", "720x480x16384k NTSC TV", "1024x768x64k @ 60Hz".
std::string ModeText(const XeloOutputMode& mode);

// Whether dithering means anything for a mode: only below 17 bits per pixel.
bool DitherApplies(int bitsPerPixel);
// The colour reduction stored for a mode: None without dithering, else the depth's own.
int ColourReductionFor(int bitsPerPixel, bool dither);

// The slide settings of a show on the external display: its orientation, its colour reduction,
// and transitions only where the VGA page leaves them on.
SlideSettings ExternalSlideSettings(SlideSettings settings, const VgaOutBlock& block);

}  // namespace xelo::output
