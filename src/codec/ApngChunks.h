// Animated PNG, read by the program itself: Debian's libpng passes over the animation chunks
// (acTL, fcTL, fdAT). Each frame is rebuilt as a PNG stream of its own, the file's header with the
// frame's size, the chunks all frames share (palette, transparency) and the frame's data, which
// libpng then decodes like any PNG file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "image/Geometry.h"

namespace xelo {

enum ApngDispose : uint8_t {
    kApngDisposeNone = 0,
    kApngDisposeBackground = 1,
    kApngDisposePrevious = 2
};
enum ApngBlend : uint8_t { kApngBlendSource = 0, kApngBlendOver = 1 };

struct ApngFrame {
    Rect rect;      // on the canvas
    int delay = 0;  // hundredths of a second
    uint8_t dispose = kApngDisposeNone;
    uint8_t blend = kApngBlendSource;
    std::vector<std::pair<size_t, size_t>> data;  // offset and length of each run of image data
};

struct ApngAnimation {
    int plays = 0;  // 0: for ever
    std::vector<ApngFrame> frames;
    size_t header = 0;                              // offset of the IHDR chunk's 13 bytes
    std::vector<std::pair<size_t, size_t>> shared;  // whole PLTE and tRNS chunks
};

// Animations longer than this are refused: the file shows as its still picture.
constexpr uint32_t kMaxApngFrames = 100000;

// The animation of the PNG file `data`; none when the file has no animation or its animation
// chunks break the format's rules (lengths, sequence numbers, frame places, frame count).
std::optional<ApngAnimation> ReadApng(const uint8_t* data, size_t size);

// Frame `index` of the animation as a PNG stream of its own.
std::vector<uint8_t> ApngFrameStream(const uint8_t* data, const ApngAnimation& animation,
                                     size_t index);

}  // namespace xelo
