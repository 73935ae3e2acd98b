#include "output/VgaSettings.h"

#include <cstdio>

#include "base/StringTable.h"
#include "image/DisplayReduction.h"

namespace xelo::output {

namespace {

constexpr uint32_t kStrNtscTv = 2984;
constexpr uint32_t kStrPalTv = 2985;

}  // namespace

XeloOutputMode StoredMode(const VgaOutBlock& block) {
    XeloOutputMode mode{};
    mode.width = static_cast<int32_t>(block.Get(vga::kWidth));
    mode.height = static_cast<int32_t>(block.Get(vga::kHeight));
    mode.bitsPerPixel = static_cast<int32_t>(block.Get(vga::kDepth));
    mode.refreshHz = static_cast<int32_t>(block.Get(vga::kRefresh));
    mode.flags = block.Get(kVgaModeFlags);
    return mode;
}

void StoreMode(VgaOutBlock& block, const XeloOutputMode& mode) {
    block.Set(vga::kWidth, static_cast<uint32_t>(mode.width));
    block.Set(vga::kHeight, static_cast<uint32_t>(mode.height));
    block.Set(vga::kDepth, static_cast<uint32_t>(mode.bitsPerPixel));
    block.Set(vga::kRefresh, static_cast<uint32_t>(mode.refreshHz));
    block.Set(kVgaModeFlags, mode.flags);
}

bool SameMode(const XeloOutputMode& a, const XeloOutputMode& b) {
    return a.width == b.width && a.height == b.height && a.bitsPerPixel == b.bitsPerPixel &&
           a.refreshHz == b.refreshHz && a.flags == b.flags;
}

std::string ModeText(const XeloOutputMode& mode) {
    // Colours: 2^bits up to 10 bits, else 2^(bits - 10) thousands. A plug-in's nonsense depth
    // is clamped rather than shifted out of range.
    const int bits = mode.bitsPerPixel < 0 ? 0 : mode.bitsPerPixel > 40 ? 40 : mode.bitsPerPixel;
    const bool thousands = bits > 10;
    const long long colours = 1LL << (thousands ? bits - 10 : bits);
    char text[96];
    std::snprintf(text, sizeof text, thousands ? "%dx%dx%lldk" : "%dx%dx%lld", mode.width,
                  mode.height, colours);
    std::string out = text;
    if ((mode.flags & XELO_MODE_NTSC_TV) != 0) {
        out += " " + LoadString(kStrNtscTv);
    } else if ((mode.flags & XELO_MODE_PAL_TV) != 0) {
        out += " " + LoadString(kStrPalTv);
    } else if (mode.refreshHz != 0) {
        std::snprintf(text, sizeof text, " @ %dHz", mode.refreshHz);
        out += text;
    }
    return out;
}

bool DitherApplies(int bitsPerPixel) {
    return bitsPerPixel < 17;
}

int ColourReductionFor(int bitsPerPixel, bool dither) {
    if (!dither || bitsPerPixel >= 17) return kDisplayNone;
    if (bitsPerPixel >= 13) return kDisplay16Bit;
    if (bitsPerPixel >= 9) return kDisplay12Bit;
    return kDisplay8Bit;
}

SlideSettings ExternalSlideSettings(SlideSettings settings, const VgaOutBlock& block) {
    settings.orientation = static_cast<int>(block.Get(vga::kOrientation));
    if (settings.orientation > kOrientPortrait) settings.orientation = kOrientAuto;
    if (!block.IsSet(vga::kTransitions)) settings.transitionEffect = 0;
    const int reduction = static_cast<int>(block.Get(kVgaReduction));
    settings.displayMode = reduction >= kDisplayNone && reduction <= kDisplay8Bit ? reduction
                                                                                  : kDisplayNone;
    return settings;
}

}  // namespace xelo::output
