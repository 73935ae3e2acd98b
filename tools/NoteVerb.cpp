// xelo-tool note: print, set or remove the text note of an image (IMAGE.txt).
#include <cerrno>
#include <cstdio>

#include "ToolArgs.h"
#include "Verbs.h"
#include "album/FolderEnum.h"
#include "album/TextNote.h"
#include "image/FileError.h"
#include "image/TavoException.h"

namespace xelo::tool {

int RunNote(const std::vector<std::string>& args) {
    ToolArgs parsed;
    std::string error;
    if (!parsed.Parse(args, {"--set"}, error)) return UsageError("note", error);
    if (const auto unknown = parsed.Unknown({"--set", "--remove"}); !unknown.empty()) {
        return UsageError("note", "unknown option " + unknown.front());
    }
    if (parsed.Operands().size() != 1) return UsageError("note", "give exactly one IMAGE");
    const std::optional<std::string> text = parsed.Value("--set");
    const bool remove = parsed.Has("--remove");
    if (text && remove) return UsageError("note", "give --set or --remove, not both");
    const std::string& image = parsed.Operands().front();
    try {
        // A note belongs to an image; none is made for a file that is not there.
        if (!IsRegularFile(image)) ThrowFileError(ENOENT, image, {});
        const std::string path = image + ".txt";
        if (text || remove) {
            WriteTextNote(path, remove ? std::string() : *text);
            return 0;
        }
        std::string note;
        if (ReadTextNote(path, note)) {
            // The note keeps "\r\n" between lines; the terminal gets plain line ends.
            std::string lines;
            for (size_t i = 0; i < note.size(); ++i) {
                if (note[i] == '\r' && i + 1 < note.size() && note[i + 1] == '\n') continue;
                lines += note[i];
            }
            if (lines.empty() || lines.back() != '\n') lines += '\n';
            std::fputs(lines.c_str(), stdout);
        }
        return 0;
    } catch (const CTavoException& e) {
        PrintFileError(image, e.GetCode(), e.GetErrorMessage());
        return 1;
    }
}

}  // namespace xelo::tool
