// xelo-tool frames: the facts of every frame of an image, one line each, without decoding pixels.
#include <cstdio>

#include "FileOperands.h"
#include "FormatNames.h"
#include "ToolArgs.h"
#include "Verbs.h"
#include "codec/ImageFile.h"
#include "codec/MappedFile.h"
#include "image/TavoException.h"

namespace xelo::tool {

int RunFrames(const std::vector<std::string>& args) {
    ToolArgs parsed;
    std::string error;
    if (!parsed.Parse(args, {}, error)) return UsageError("frames", error);
    if (const auto unknown = parsed.Unknown({}); !unknown.empty()) {
        return UsageError("frames", "unknown option " + unknown.front());
    }
    if (parsed.Operands().empty()) return UsageError("frames", "no file given");

    int status = 0;
    for (const std::string& file : parsed.Operands()) {
        if (RefuseFolder(file)) {
            status = 1;
            continue;
        }
        CImageFile image;
        try {
            CMappedFile stream;
            stream.Open(file);
            ImageInfo info;
            image.ReadHeader(stream, &info);
            std::printf("%s: %s %dx%d, %d frame%s\n", Printable(file).c_str(),
                        FormatName(info.format).c_str(), info.width, info.height, info.frameCount,
                        info.frameCount == 1 ? "" : "s");
            for (int i = 0; i < info.frameCount; ++i) {
                LogPalette palette;
                CFrameInfo frame;
                frame.destPalette = &palette;
                image.BeginFrame(stream, frame, i);
                const Rect& r = frame.frameRect;
                std::printf(
                    "frame %d: %d,%d %dx%d delay %d disposal %d transparent %d interlaced %d "
                    "palette %d\n",
                    i, r.left, r.top, r.Width(), r.Height(), frame.delay, frame.disposal,
                    frame.transparent, frame.interlaced,
                    frame.bytesPerPixel == 1 ? palette.count : 0);
            }
            image.End();
            stream.ThrowIfChanged();
        } catch (const CTavoException& e) {
            image.End();
            PrintFileError(file, e.GetCode(), e.GetErrorMessage());
            status = 1;
        }
    }
    return status;
}

}  // namespace xelo::tool
