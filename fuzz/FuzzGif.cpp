// Fuzz target: the GIF reader (block index, thumbnail and every frame's decode).
#include "FuzzImage.h"
#include "codec/GifCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    xelo::fuzz::DecodeEverything<xelo::CGifCodec>(data, size);
    return 0;
}
