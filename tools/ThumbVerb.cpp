// xelo-tool thumb: the thumbnail of one image written to a file.
#include <cstdio>

#include "FileOperands.h"
#include "SaveImage.h"
#include "ToolArgs.h"
#include "Verbs.h"
#include "codec/ImageFile.h"
#include "image/TavoException.h"

namespace xelo::tool {

int RunThumb(const std::vector<std::string>& args) {
    ToolArgs parsed;
    std::string error;
    if (!parsed.Parse(args, {"-o", "--box"}, error)) return UsageError("thumb", error);
    if (const auto unknown = parsed.Unknown({"-o", "--box"}); !unknown.empty()) {
        return UsageError("thumb", "unknown option " + unknown.front());
    }
    if (parsed.Operands().size() != 1) return UsageError("thumb", "give exactly one FILE");
    const auto out = parsed.Value("-o");
    if (!out || out->empty()) return UsageError("thumb", "no output file (-o OUT.bmp)");
    Size box{96, 72};
    if (const auto text = parsed.Value("--box")) {
        const auto size = ParseSize(*text);
        if (!size || size->width < 1 || size->height < 1) {
            return UsageError("thumb", "--box takes WxH with both at least 1");
        }
        box = *size;
    }

    const std::string& file = parsed.Operands().front();
    if (RefuseFolder(file)) return 1;
    try {
        CDibImage thumb;
        CImageFile image;
        image.ReadThumbnail(file, thumb, box.width, box.height);
        if (!SaveImage(*out, thumb, SaveOptions{}, error)) return UsageError("thumb", error);
        std::printf("%s: %dx%d thumbnail written to %s\n", Printable(file).c_str(), thumb.Width(),
                    thumb.Height(), Printable(*out).c_str());
    } catch (const CTavoException& e) {
        PrintFileError(file, e.GetCode(), e.GetErrorMessage());
        return 1;
    }
    return 0;
}

}  // namespace xelo::tool
