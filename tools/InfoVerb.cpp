// xelo-tool info: one line of header facts per file.
#include <cstdio>

#include "FileOperands.h"
#include "FormatNames.h"
#include "ToolArgs.h"
#include "Verbs.h"
#include "codec/ImageFile.h"
#include "codec/RecordedFacts.h"
#include "image/TavoException.h"

namespace xelo::tool {

int RunInfo(const std::vector<std::string>& args) {
    ToolArgs parsed;
    std::string error;
    if (!parsed.Parse(args, {}, error)) return UsageError("info", error);
    if (const auto unknown = parsed.Unknown({}); !unknown.empty()) {
        return UsageError("info", "unknown option " + unknown.front());
    }
    if (parsed.Operands().empty()) return UsageError("info", "no file given");

    int status = 0;
    for (const std::string& file : parsed.Operands()) {
        if (RefuseFolder(file)) {
            status = 1;
            continue;
        }
        try {
            ImageInfo info;
            CImageFile image;
            image.ReadInfo(file, info);
            std::printf("%s: %s %dx%d %d bpp, %d frame%s", Printable(file).c_str(),
                        FormatName(info.format).c_str(), info.width, info.height, info.bitsPerPixel,
                        info.frameCount, info.frameCount == 1 ? "" : "s");
            if (info.xResolution > 0 && info.yResolution > 0) {
                std::printf(", %dx%d dpi", info.xResolution, info.yResolution);
            }
            if (info.grey) std::printf(", grey");
            const RecordedFacts recorded = ReadRecordedFacts(file);
            if (recorded.orientation != 1) std::printf(", orientation %d", recorded.orientation);
            if (!recorded.profile.empty()) {
                std::string name = ProfileDescription(recorded.profile);
                for (char& c : name) {
                    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
                }
                std::printf(", colour profile \"%s\"", name.empty() ? "unnamed" : name.c_str());
            }
            std::printf("\n");
        } catch (const CTavoException& e) {
            PrintFileError(file, e.GetCode(), e.GetErrorMessage());
            status = 1;
        }
    }
    return status;
}

}  // namespace xelo::tool
