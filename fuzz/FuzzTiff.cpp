// Fuzz target: the Tiff reader (header, thumbnail, every frame).
#include "FuzzImage.h"
#include "codec/TiffCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    xelo::fuzz::DecodeEverything<xelo::CTiffCodec>(data, size);
    return 0;
}
