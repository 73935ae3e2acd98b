// What the screen can show, and the last steps of every paint: display gamma and the reduction of
// a 24-bit buffer to the screen's colour depth.
#pragma once

#include <cstdint>
#include <string_view>

#include "image/BgrBuffer.h"
#include "image/Geometry.h"
#include "image/Palette.h"

namespace xelo {

struct ScreenCaps {
    int bitsPerPixel = 24;
    int planes = 1;
    int colourCount = 2 << 24;
    int horizontalResolution = 240;
    int verticalResolution = 320;
    int pixelsPerInchX = 96;
    int pixelsPerInchY = 96;
    bool paletteBased = false;
    bool directAccess = false;
};

// Colour count from the screen's bits per pixel: 2 << bits above 8 bits, else the count the
// device states.
int ColourCountFor(int bitsPerPixel, int statedColours);

// Two handhelds have 16-bit screens that show only 12-bit colour; their OEM string names them.
int AdjustColourCountForDevice(int colourCount, std::string_view oemInfo);

// The colour-optimisation modes: "Automatic|None|16-bits|12-bits|8-bits".
enum DisplayMode : int {
    kDisplayAutomatic = 0,
    kDisplayNone = 1,
    kDisplay16Bit = 2,
    kDisplay12Bit = 3,
    kDisplay8Bit = 4,
};

// The reduction a mode means on this screen: kDisplayNone, kDisplay16Bit, kDisplay12Bit or
// kDisplay8Bit.
int EffectiveDisplayMode(int mode, const ScreenCaps& screen);

// Rewrites every pixel of `region` through the gamma table of `percent` (0 and 100 change
// nothing); with useKey, pixels equal to the key colour 0x00BBGGRR are left alone.
void AdjustGamma(const Rect& region, const BgrBuffer& buffer, uint32_t keyColour, bool useKey,
                 int percent);

// The gamma table of `percent`: table[i] = min(255, trunc((i / 256)^(100 / percent) * 256)).
void BuildGammaTable(int percent, uint8_t table[256]);

// Reduces `region` of the buffer in place to what the screen shows (modes 2 and 3 with
// serpentine Floyd–Steinberg diffusion, mode 4 to the fixed palette through the colour reducer).
// Key-coloured pixels keep their bytes.
void ReduceForDisplay(const Rect& region, const BgrBuffer& buffer, int mode, uint32_t keyColour,
                      bool useKey, const ScreenCaps& screen);

// Channel levels of the two direct-colour reductions.
uint8_t Level12Bit(int value);
uint8_t Level16BitRedBlue(int value);
uint8_t Level16BitGreen(int value);

}  // namespace xelo
