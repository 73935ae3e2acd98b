// Fuzz target: the Png reader (header, thumbnail, every frame).
#include "FuzzImage.h"
#include "codec/PngCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    xelo::fuzz::DecodeEverything<xelo::CPngCodec>(data, size);
    return 0;
}
