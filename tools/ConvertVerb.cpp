// xelo-tool convert: the first frame of an image written in another format or size.
#include <cstdint>
#include <cstdio>
#include <optional>
#include <utility>

#include "FileOperands.h"
#include "SaveImage.h"
#include "ToolArgs.h"
#include "Verbs.h"
#include "codec/ImageFile.h"
#include "image/FitSize.h"
#include "image/TavoException.h"

namespace xelo::tool {

int RunConvert(const std::vector<std::string>& args) {
    const std::vector<std::string> options{"-o", "--percent", "--colors", "--quality", "--dpi"};
    const std::vector<std::string> known{"-o",          "--percent", "--colors",
                                         "--no-dither", "--quality", "--dpi"};
    ToolArgs parsed;
    std::string error;
    if (!parsed.Parse(args, options, error)) return UsageError("convert", error);
    if (const auto unknown = parsed.Unknown(known); !unknown.empty()) {
        return UsageError("convert", "unknown option " + unknown.front());
    }
    if (parsed.Operands().size() != 1) return UsageError("convert", "give exactly one FILE");
    const auto out = parsed.Value("-o");
    if (!out || out->empty()) return UsageError("convert", "no output file (-o OUT)");
    ToolSaveOptions save;
    if (const auto text = parsed.Value("--percent")) {
        const auto percent = ParseInt(*text);
        if (!percent || *percent < 1 || *percent > 1000) {
            return UsageError("convert", "--percent takes a whole number from 1 to 1000");
        }
        save.percent = *percent;
    }
    if (const auto text = parsed.Value("--colors")) {
        const auto colours = ParseInt(*text);
        if (!colours || *colours < 2 || *colours > 256) {
            return UsageError("convert", "--colors takes a whole number from 2 to 256");
        }
        save.colours = *colours;
    }
    save.dither = !parsed.Has("--no-dither");
    if (const auto text = parsed.Value("--quality")) {
        // Above 100 the writer uses its default of 75.
        const auto quality = ParseInt(*text);
        if (!quality || *quality < 0 || *quality > 65535) {
            return UsageError("convert", "--quality takes a whole number from 0 to 100");
        }
        save.quality = *quality;
    }
    std::optional<std::pair<int, int>> dpi;
    if (const auto text = parsed.Value("--dpi")) {
        const size_t comma = text->find(',');
        const auto x = ParseInt(text->substr(0, comma));
        const auto y = comma == std::string::npos ? x : ParseInt(text->substr(comma + 1));
        if (!x || !y || *x < 1 || *y < 1 || *x > 65535 || *y > 65535) {
            return UsageError("convert", "--dpi takes X,Y (or one number) from 1 to 65535");
        }
        dpi = std::make_pair(*x, *y);
    }

    const std::string& file = parsed.Operands().front();
    if (RefuseFolder(file)) return 1;
    try {
        ImageInfo info;
        CImageFile().ReadInfo(file, info);
        if (dpi) {
            save.dpiX = dpi->first;
            save.dpiY = dpi->second;
        } else if (info.xResolution > 0 && info.yResolution > 0) {
            save.dpiX = info.xResolution;
            save.dpiY = info.yResolution;
        }
        SaveOptions options;
        if (!OptionsForPath(*out, save, options, error)) return UsageError("convert", error);
        // A reduction may decode a JPEG at a smaller library scale, so a picture too big to hold
        // whole still converts. Only the first frame is written, so only it is decoded.
        SaveEdit edit;
        edit.scaledDecode = true;
        const Size scaled{static_cast<int>(PercentLength(info.width, save.percent)),
                          static_cast<int>(PercentLength(info.height, save.percent))};
        if (save.percent != 100 && scaled.width >= 1 && scaled.height >= 1) edit.size = scaled;
        SaveImageAs(file, *out, options, edit);
        std::printf("%s: written to %s\n", Printable(file).c_str(), Printable(*out).c_str());
    } catch (const CTavoException& e) {
        PrintFileError(file, e.GetCode(), e.GetErrorMessage());
        return 1;
    }
    return 0;
}

}  // namespace xelo::tool
