// xelo-tool exif: the Exif records of JPEG files as the Image Info sheet lists them.
#include <cstdio>

#include "FileOperands.h"
#include "ToolArgs.h"
#include "Verbs.h"
#include "codec/ExifReader.h"
#include "image/TavoException.h"

namespace xelo::tool {

int RunExif(const std::vector<std::string>& args) {
    ToolArgs parsed;
    std::string error;
    if (!parsed.Parse(args, {}, error)) return UsageError("exif", error);
    if (const auto unknown = parsed.Unknown({}); !unknown.empty()) {
        return UsageError("exif", "unknown option " + unknown.front());
    }
    if (parsed.Operands().empty()) return UsageError("exif", "no file given");

    const bool several = parsed.Operands().size() > 1;
    int status = 0;
    for (const std::string& file : parsed.Operands()) {
        if (RefuseFolder(file)) {
            status = 1;
            continue;
        }
        try {
            ExifRecords records;
            const bool found = CExifReader().ReadAll(file, records);
            if (several) std::printf("%s:\n", Printable(file).c_str());
            if (!found) {
                std::printf("%s: no Exif data\n", Printable(file).c_str());
                continue;
            }
            for (const ExifRecord& r : records) {
                if (r.group) {
                    std::printf("%s\n", r.name.c_str());
                } else {
                    std::printf("%s: %s\n", r.name.c_str(), r.value.c_str());
                }
            }
        } catch (const CTavoException& e) {
            PrintFileError(file, e.GetCode(), e.GetErrorMessage());
            status = 1;
        }
    }
    return status;
}

}  // namespace xelo::tool
