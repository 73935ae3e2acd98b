// The body shared by the image-reader fuzz targets: header, thumbnail and every frame, with
// memory bounded by refusing inputs that claim huge pictures.
#pragma once

#include <cstddef>
#include <cstdint>

#include "codec/ImageCodec.h"
#include "image/TavoException.h"

namespace xelo::fuzz {

// Largest picture the fuzzer decodes in full; larger ones still get header and thumbnail.
constexpr int64_t kMaxFuzzPixels = int64_t{1} << 22;
// The decode budget under the fuzzer: every frame of an animation together stays well inside
// the sanitizers' memory limit.
constexpr size_t kFuzzDecodeBudget = size_t{64} << 20;

template <typename Codec>
void DecodeEverything(const uint8_t* data, size_t size) {
    if (size > UINT32_MAX) return;
    static const bool budget = (SetDecodeBudgetLimit(kFuzzDecodeBudget), true);
    (void)budget;
    CMemoryStream stream(data, static_cast<uint32_t>(size));
    ImageInfo info;
    try {
        Codec codec;
        codec.ReadInfo(stream, info);
    } catch (const CTavoException&) {
        return;
    }
    try {
        Codec codec;
        CDibImage thumb;
        codec.ReadThumbnail(stream, thumb, 96, 72);
        if (thumb.Width() > 96 || thumb.Height() > 72) __builtin_trap();
    } catch (const CTavoException&) {
    }
    if (int64_t{info.width} * info.height > kMaxFuzzPixels) return;
    try {
        Codec codec;
        CImageFrames frames;
        codec.LoadFrames(stream, frames);
    } catch (const CTavoException&) {
    }
}

}  // namespace xelo::fuzz
