// Fuzz target: the Webp reader (header, thumbnail, every frame).
#include "FuzzImage.h"
#include "codec/WebpCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    xelo::fuzz::DecodeEverything<xelo::CWebpCodec>(data, size);
    return 0;
}
