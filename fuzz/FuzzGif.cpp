// Fuzz target: the GIF reader (block index, thumbnail and every frame's decode).
#include "FuzzImage.h"
#include "codec/GifCodec.h"

// Larger inputs (the big animations among the seeds) only slow each run: the reader's paths
// are all reached by small files.
constexpr size_t kMaxInput = 32 * 1024;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kMaxInput) return 0;
    xelo::fuzz::DecodeEverything<xelo::CGifCodec>(data, size);
    return 0;
}
