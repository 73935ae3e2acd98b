// Fuzz target: the BMP reader through the format dispatcher (header, thumbnail, full decode).
#include "FuzzImage.h"
#include "codec/ImageFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    xelo::fuzz::DecodeEverything<xelo::CImageFile>(data, size);
    return 0;
}
