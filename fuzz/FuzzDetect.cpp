// Fuzz target: format detection on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "codec/FormatDetect.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > UINT32_MAX) return 0;
    xelo::CMemoryStream stream(data, static_cast<uint32_t>(size));
    stream.Seek(static_cast<int64_t>(size / 2), xelo::CImageStream::kBegin);
    const uint32_t before = stream.GetPosition();
    const xelo::ImageFormat format = xelo::DetectFormat(stream);
    if (stream.GetPosition() != before || format < xelo::kFormatUnknown ||
        format > xelo::kFormatPgm) {
        __builtin_trap();
    }
    return 0;
}
