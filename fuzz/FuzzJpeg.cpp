// Fuzz target: the JPEG adapter through the format dispatcher: header, thumbnail (also through an
// embedded Exif thumbnail, as the stream carries a file name) and full decode.
#include "FuzzImage.h"
#include "codec/ImageFile.h"

namespace {
// Thumbnails of pictures larger than this are skipped: libjpeg keeps all coefficients of a
// progressive picture, which is bounded (1 GiB) but too slow for a fuzzer's turn.
constexpr int64_t kMaxThumbnailPixels = int64_t{1} << 27;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace xelo;
    if (size > UINT32_MAX) return 0;
    const auto length = static_cast<uint32_t>(size);
    ImageInfo info;
    bool headerRead = false;
    try {
        CMemoryStream stream(data, length);
        CImageFile().ReadInfo(stream, info);
        headerRead = true;
    } catch (const CTavoException&) {
    }
    const int64_t pixels = headerRead ? int64_t{info.width} * info.height : 0;
    if (pixels <= kMaxThumbnailPixels) {
        try {
            CMemoryStream stream(data, length, "fuzz.jpg");
            CDibImage thumb;
            CImageFile().ReadThumbnail(stream, thumb, 96, 72);
            if (thumb.Width() > 96 || thumb.Height() > 72) __builtin_trap();
        } catch (const CTavoException&) {
        }
    }
    if (!headerRead || pixels > fuzz::kMaxFuzzPixels) return 0;
    try {
        CMemoryStream stream(data, length);
        CImageFrames frames;
        CImageFile().LoadFrames(stream, frames);
        // A JPEG frame is the whole picture (GIF frames, which the dispatcher also reaches, are
        // sized by their own rectangles).
        if (frames.frames.empty() ||
            (info.format == kFormatJpeg && frames.frames[0]->image.Width() != info.width)) {
            __builtin_trap();
        }
    } catch (const CTavoException&) {
    }
    return 0;
}
