// Merge Ink: decode at 100 %, draw the strokes, write back with the format's own writer.
#include "ink/InkMerge.h"

#include "codec/BmpWriter.h"
#include "codec/GifWriter.h"
#include "codec/ImageFile.h"
#include "codec/JpegCodec.h"
#include "image/TavoException.h"
#include "ink/InkOrigin.h"
#include "ink/InkRaster.h"

namespace xelo {

namespace {

constexpr uint32_t kUnit = 304;
// A re-encoded photograph should not show the pass it went through.
constexpr uint16_t kMergeJpegQuality = 90;
constexpr int kDefaultDpi = 96;

int DpiOr(int32_t stored) {
    return stored > 0 ? stored : kDefaultDpi;
}

}  // namespace

void MergeInkIntoImage(const std::string& imagePath, const CXeloLtManager& layer,
                       const std::string& outPath) {
    CImageFile file;
    ImageInfo info;
    file.ReadInfo(imagePath, info);
    const bool writable =
        info.format == kFormatBmp || info.format == kFormatJpeg || info.format == kFormatGif;
    // Writing one frame back would throw the others away.
    if (!writable || info.frameCount != 1) {
        ThrowError(kErrFormatUnsupported, {kComponentInk, kUnit, __LINE__});
    }
    CImageFrames frames;
    file.LoadFirstFrame(imagePath, frames);
    if (frames.frames.empty() || frames.frames[0]->image.IsEmpty()) {
        ThrowError(kErrNoMemory, {kComponentInk, kUnit, __LINE__});
    }
    CDibImage& picture = frames.frames[0]->image;
    // Strokes are in the logical picture's pixels; a frame that covers less of it is not one
    // the strokes can be drawn into.
    if (picture.Width() != info.width || picture.Height() != info.height) {
        ThrowError(kErrFormatUnsupported, {kComponentInk, kUnit, __LINE__});
    }
    DrawInkOnPicture(picture, layer);
    const Resolution dpi{DpiOr(info.xResolution), DpiOr(info.yResolution)};
    switch (info.format) {
        case kFormatBmp:
            WriteBmp(outPath, picture, 100, dpi);
            break;
        case kFormatGif: {
            CGifWriter writer;
            WriteGif(writer, outPath, picture, 100);
            break;
        }
        default: {
            JpegWriterSettings settings;
            settings.quality = kMergeJpegQuality;
            settings.xDpi = dpi.x;
            settings.yDpi = dpi.y;
            WriteJpeg(settings, outPath, picture, 100);
            break;
        }
    }
}

}  // namespace xelo
