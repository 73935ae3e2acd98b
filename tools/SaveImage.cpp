// Writing an image by the output file's extension.
#include "SaveImage.h"

#include "ToolArgs.h"
#include "codec/BmpWriter.h"
#include "image/ColourReducer.h"
#include "codec/GifWriter.h"
#include "codec/JpegCodec.h"
#include "codec/PngWriter.h"

namespace xelo::tool {

bool SaveImage(const std::string& path, const CDibImage& image, const SaveOptions& options,
               std::string& error) {
    const std::string ext = Extension(path);
    if (ext == "bmp" || ext == "2bp") {
        WriteBmp(path, image, options.percent, Resolution{options.dpiX, options.dpiY});
        return true;
    }
    if (ext == "gif") {
        CGifWriter writer;
        writer.maxColours = RoundColourCount(options.colours);
        writer.dither = options.dither;
        WriteGif(writer, path, image, options.percent);
        return true;
    }
    if (ext == "jpg" || ext == "jpeg" || ext == "jpe") {
        JpegWriterSettings settings;
        settings.quality = static_cast<uint16_t>(options.quality);
        settings.xDpi = options.dpiX;
        settings.yDpi = options.dpiY;
        WriteJpeg(settings, path, image, options.percent);
        return true;
    }
    if (ext == "png") {
        WritePng(path, image, options.percent, Resolution{options.dpiX, options.dpiY});
        return true;
    }
    error = "cannot write '." + ext + "' files (bmp, gif, jpg, png)";
    return false;
}

}  // namespace xelo::tool
