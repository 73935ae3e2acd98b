// Fuzz target: the HEIC and AVIF reader through the format dispatcher (header, the file's own
// thumbnail, the whole picture).
#include "FuzzImage.h"
#include "codec/ImageFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    xelo::fuzz::DecodeEverything<xelo::CImageFile>(data, size);
    return 0;
}
