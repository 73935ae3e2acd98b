// Writing an image by the output file's extension.
#include "SaveImage.h"

#include "ToolArgs.h"
#include "image/FitSize.h"

namespace xelo::tool {

bool OptionsForPath(const std::string& path, const ToolSaveOptions& tool, SaveOptions& options,
                    std::string& error) {
    const SaveFormatInfo* format = SaveFormatForPath(path);
    if (format == nullptr) {
        error = "cannot write '." + Extension(path) + "' files (bmp, gif, jpg, png)";
        return false;
    }
    options.format = format->format;
    options.xDpi = tool.dpiX;
    options.yDpi = tool.dpiY;
    options.dither = tool.dither;
    switch (format->format) {
        case kSaveJpeg:
            options.value = static_cast<uint32_t>(tool.quality);
            break;
        case kSaveGif:
            options.value = static_cast<uint32_t>(tool.colours);
            break;
        default:
            options.value = kKeepDepthValue;
    }
    return true;
}

bool SaveImage(const std::string& path, CDibImage& image, const ToolSaveOptions& options,
               std::string& error) {
    SaveOptions save;
    if (!OptionsForPath(path, options, save, error)) return false;
    if (options.percent != 100) {
        const Size size{static_cast<int>(PercentLength(image.Width(), options.percent)),
                        static_cast<int>(PercentLength(image.Height(), options.percent))};
        ResizeImage(image, size);
    }
    WriteImageAs(image, path, save);
    return true;
}

}  // namespace xelo::tool
