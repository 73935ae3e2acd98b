// Each format's writer with the capture's resolution: BMP and JPEG store it in their headers; a
// GIF file has no field for it.
#include "album/CaptureFile.h"

#include "album/SnapName.h"
#include "codec/BmpWriter.h"
#include "codec/GifWriter.h"
#include "codec/JpegCodec.h"

namespace xelo {

void WriteCaptureFile(const CDibImage& image, const std::string& path, int format, int dpi) {
    switch (format) {
        case kSnapJpeg: {
            JpegWriterSettings settings;
            settings.xDpi = settings.yDpi = dpi;
            WriteJpeg(settings, path, image, 100);
            return;
        }
        case kSnapGif: {
            CGifWriter writer;
            WriteGif(writer, path, image, 100);
            return;
        }
        default:
            WriteBmp(path, image, 100, Resolution{dpi, dpi});
            return;
    }
}

}  // namespace xelo
