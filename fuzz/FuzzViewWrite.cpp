// Fuzz target: the image view's decode (a target size and a clip) of any format, then the BMP,
// GIF and JPEG writers at a percent, each file read back with the size the percent gives.
// The last three input bytes choose the size, the clip and the percent: decoders ignore bytes
// after an image's end, so the seeds stay valid pictures.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "FuzzImage.h"
#include "codec/BmpWriter.h"
#include "codec/GifWriter.h"
#include "codec/ImageFile.h"
#include "codec/JpegCodec.h"
#include "image/FitSize.h"

namespace {

using namespace xelo;

const std::string& OutputBase() {
    static const std::string base = "/tmp/xelo-fuzz-view-" + std::to_string(getpid());
    return base;
}

// Writes `image` with each writer and reads the size back.
void WriteAndCheck(const CDibImage& image, int percent) {
    const int64_t width = PercentLength(image.Width(), percent);
    const int64_t height = PercentLength(image.Height(), percent);
    for (int writer = 0; writer < 3; ++writer) {
        const std::string path = OutputBase() + (writer == 0 ? ".bmp" : writer == 1 ? ".gif" : ".jpg");
        try {
            if (writer == 0) WriteBmp(path, image, percent, Resolution{96, 96});
            if (writer == 1) {
                CGifWriter gif;
                WriteGif(gif, path, image, percent);
            }
            if (writer == 2) WriteJpeg(JpegWriterSettings{}, path, image, percent);
        } catch (const CTavoException&) {
            if (width > 0 && height > 0 && width <= 65500 && height <= 65500) __builtin_trap();
            continue;
        }
        ImageInfo info;
        CImageFile().ReadInfo(path, info);
        if (info.width != width || info.height != height) __builtin_trap();
        std::remove(path.c_str());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4 || size > (size_t{1} << 20)) return 0;
    static const bool budget = (SetDecodeBudgetLimit(fuzz::kFuzzDecodeBudget), true);
    (void)budget;
    const uint8_t* knobs = data + size - 3;
    CMemoryStream stream(data, static_cast<uint32_t>(size));
    ImageInfo info;
    try {
        CImageFile().ReadInfo(stream, info);
    } catch (const CTavoException&) {
        return 0;
    }
    if (info.width <= 0 || info.height <= 0 ||
        int64_t{info.width} * info.height > fuzz::kMaxFuzzPixels)
        return 0;
    const Size target{1 + info.width * (1 + knobs[0] % 16) / 16,
                      1 + info.height * (1 + knobs[0] / 16) / 16};
    const Rect clip{info.width * (knobs[1] % 16) / 32, info.height * (knobs[1] / 16) / 32,
                    info.width, info.height};
    CImageFrames frames;
    try {
        stream.SeekToBegin();
        CImageFile().LoadFrames(stream, frames, target, clip);
    } catch (const CTavoException&) {
        return 0;
    }
    for (const auto& frame : frames.frames) {
        // No frame is larger than the target.
        if (frame->image.Width() > target.width || frame->image.Height() > target.height)
            __builtin_trap();
    }
    const CDibImage& first = frames.frames.front()->image;
    if (!first.IsEmpty()) WriteAndCheck(first, 1 + knobs[2] % 200);
    return 0;
}
