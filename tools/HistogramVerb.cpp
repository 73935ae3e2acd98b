// xelo-tool histogram: the four channel counts the Image Info sheet draws, taken from the
// image's 96x72 thumbnail as the sheet takes them.
#include <cstdio>

#include "FileOperands.h"
#include "ToolArgs.h"
#include "Verbs.h"
#include "codec/ImageFile.h"
#include "image/ChannelHistogram.h"
#include "image/TavoException.h"

namespace xelo::tool {

int RunHistogram(const std::vector<std::string>& args) {
    ToolArgs parsed;
    std::string error;
    if (!parsed.Parse(args, {}, error)) return UsageError("histogram", error);
    if (const auto unknown = parsed.Unknown({}); !unknown.empty()) {
        return UsageError("histogram", "unknown option " + unknown.front());
    }
    if (parsed.Operands().size() != 1) return UsageError("histogram", "give exactly one FILE");
    const std::string& file = parsed.Operands().front();
    if (RefuseFolder(file)) return 1;
    try {
        CDibImage thumb;
        CImageFile().ReadThumbnail(file, thumb, 96, 72);
        const auto bins = CountChannels(thumb);
        std::printf("# %s: %dx%d thumbnail\n# value luminance red green blue\n",
                    Printable(file).c_str(), thumb.Width(), thumb.Height());
        for (int v = 0; v < 256; ++v) {
            std::printf("%d %u %u %u %u\n", v, bins[kChannelLuminance][v], bins[kChannelRed][v],
                        bins[kChannelGreen][v], bins[kChannelBlue][v]);
        }
    } catch (const CTavoException& e) {
        PrintFileError(file, e.GetCode(), e.GetErrorMessage());
        return 1;
    }
    return 0;
}

}  // namespace xelo::tool
