// xelo-tool save: Convert, Resize and Crop of the save sheet from the command line, through the
// same flows (questions, naming, album update) as the window.
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "FileOperands.h"
#include "TerminalPrompt.h"
#include "ToolArgs.h"
#include "Verbs.h"
#include "album/SaveFlows.h"
#include "album/TavoDoc.h"
#include "codec/ImageFile.h"
#include "image/TavoException.h"

namespace xelo::tool {

namespace {

// The sources of one folder, in command-line order.
struct FolderGroup {
    std::string folder;
    std::vector<std::string> names;
    std::vector<std::string> operands;
};

std::vector<FolderGroup> GroupByFolder(const std::vector<std::string>& files) {
    std::vector<FolderGroup> groups;
    for (const std::string& file : files) {
        const size_t slash = file.rfind('/');
        std::string folder = slash == std::string::npos ? "." : file.substr(0, slash);
        if (folder.empty()) folder = "/";
        char resolved[PATH_MAX];
        if (::realpath(folder.c_str(), resolved) != nullptr) folder = resolved;
        const std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
        FolderGroup* group = nullptr;
        for (FolderGroup& g : groups) {
            if (g.folder == folder) group = &g;
        }
        if (group == nullptr) group = &groups.emplace_back(FolderGroup{folder, {}, {}});
        group->names.push_back(name);
        group->operands.push_back(file);
    }
    return groups;
}

std::optional<std::vector<int>> ParseInts(const std::string& text, size_t count) {
    std::vector<int> values;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = text.find(',', start);
        const auto value = ParseInt(text.substr(start, comma - start));
        if (!value) return std::nullopt;
        values.push_back(*value);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (values.size() != count) return std::nullopt;
    return values;
}

// Why a source is not in its folder's album: its own read error, or not an image the album lists.
void ReportUnlisted(const std::string& file) {
    try {
        ImageInfo info;
        CImageFile().ReadInfo(file, info);
        PrintFileError(file, kErrNoImages, "not an image file of the album");
    } catch (const CTavoException& e) {
        PrintFileError(file, e.GetCode(), e.GetErrorMessage());
    }
}

}  // namespace

int RunSave(const std::vector<std::string>& args) {
    const std::vector<std::string> valued{"--format", "--quality", "--colors", "--dpi",
                                          "--append", "--dest",    "--resize", "--size",
                                          "--crop",   "--screen"};
    std::vector<std::string> known = valued;
    known.insert(known.end(), {"--yes-to-all", "--no"});
    ToolArgs parsed;
    std::string error;
    if (!parsed.Parse(args, valued, error)) return UsageError("save", error);
    if (const auto unknown = parsed.Unknown(known); !unknown.empty()) {
        return UsageError("save", "unknown option " + unknown.front());
    }
    if (parsed.Operands().empty()) return UsageError("save", "give at least one SRC");

    SaveRequest request;
    if (const auto name = parsed.Value("--format")) {
        const SaveFormatInfo* found = nullptr;
        for (const SaveFormatInfo& f : SaveFormats()) {
            if (*name == f.name) found = &f;
        }
        if (found == nullptr) return UsageError("save", "--format takes jpg, gif, bmp or png");
        request.options.format = found->format;
    }
    switch (request.options.format) {
        case kSaveGif:
            request.options.value = 256;
            break;
        case kSaveBmp:
            request.options.value = kTrueColourValue;
            break;
        default:
            request.options.value = 75;
    }
    if (const auto text = parsed.Value("--quality")) {
        const auto quality = ParseInt(*text);
        if (request.options.format != kSaveJpeg || !quality || *quality < 0 || *quality > 100) {
            return UsageError("save", "--quality takes 0 to 100, for jpg");
        }
        request.options.value = static_cast<uint32_t>(*quality);
    }
    if (const auto text = parsed.Value("--colors")) {
        const auto colours = ParseInt(*text);
        const bool gif = request.options.format == kSaveGif && colours && *colours >= 2 &&
                         *colours <= 256;
        const bool bmp = request.options.format == kSaveBmp && colours &&
                         (*colours == 2 || *colours == 16 || *colours == 256 ||
                          *colours == static_cast<int>(kTrueColourValue));
        if (!gif && !bmp) {
            return UsageError("save", "--colors takes 2-256 for gif, 2, 16, 256 or 16777216 for bmp");
        }
        request.options.value = static_cast<uint32_t>(*colours);
    }
    if (const auto text = parsed.Value("--dpi")) {
        const auto dpi = ParseInts(*text, 2);
        if (!dpi || (*dpi)[0] < 1 || (*dpi)[1] < 1 || (*dpi)[0] > 65535 || (*dpi)[1] > 65535) {
            return UsageError("save", "--dpi takes X,Y from 1 to 65535");
        }
        request.options.xDpi = (*dpi)[0];
        request.options.yDpi = (*dpi)[1];
    }
    if (const auto text = parsed.Value("--append")) {
        if (text->find('/') != std::string::npos) return UsageError("save", "--append takes no '/'");
        request.appendage = *text;
    }
    if (const auto text = parsed.Value("--dest")) {
        char resolved[PATH_MAX];
        if (::realpath(text->c_str(), resolved) == nullptr || !IsDirectory(resolved)) {
            return UsageError("save", "--dest is not a folder: " + *text);
        }
        request.destination = resolved;
    }
    const auto resize = parsed.Value("--resize");
    const auto size = parsed.Value("--size");
    const auto crop = parsed.Value("--crop");
    if ((resize && size) || (crop && (resize || size))) {
        return UsageError("save", "give one of --resize, --size and --crop");
    }
    if (const auto text = parsed.Value("--screen")) {
        const auto screen = ParseSize(*text);
        if (!screen || screen->width < 1 || screen->height < 1) {
            return UsageError("save", "--screen takes WxH");
        }
        request.screen = *screen;
    } else if (resize && *resize == "fit-screen") {
        return UsageError("save", "fit-screen needs --screen WxH");
    }
    if (resize) {
        const auto preset = PresetByName(*resize);
        if (!preset) return UsageError("save", "unknown --resize preset " + *resize);
        request.action = SaveAction::kResize;
        request.preset = *preset;
    } else if (size) {
        const auto user = ParseSize(*size);
        if (!user || user->width < 1 || user->height < 1 || user->width > 65535 ||
            user->height > 65535) {
            return UsageError("save", "--size takes WxH");
        }
        request.action = SaveAction::kResize;
        request.userSize = *user;
    } else if (crop) {
        const auto box = ParseInts(*crop, 4);
        if (!box || (*box)[0] < 0 || (*box)[1] < 0 || (*box)[2] < 1 || (*box)[3] < 1) {
            return UsageError("save", "--crop takes X,Y,W,H");
        }
        request.action = SaveAction::kCrop;
        request.crop = Rect{(*box)[0], (*box)[1], (*box)[0] + (*box)[2], (*box)[1] + (*box)[3]};
    }
    if (parsed.Has("--yes-to-all") && parsed.Has("--no")) {
        return UsageError("save", "give one of --yes-to-all and --no");
    }
    TerminalPrompt prompt(parsed.Has("--yes-to-all") ? OverwriteChoice::kYesToAll
                          : parsed.Has("--no")       ? OverwriteChoice::kNo
                                                     : OverwriteChoice::kAsk);

    const bool showProgress = ::isatty(STDERR_FILENO) != 0;
    const SaveProgress progress = [showProgress](int done, int total, const std::string& name) {
        if (!showProgress) return true;
        if (done < total) {
            std::fprintf(stderr, "\r\033[K[%d/%d] %s", done + 1, total, Printable(name).c_str());
        } else {
            std::fprintf(stderr, "\r\033[K");
        }
        std::fflush(stderr);
        return true;
    };
    const bool batch = parsed.Operands().size() > 1;
    int failures = 0;
    for (const FolderGroup& group : GroupByFolder(parsed.Operands())) {
        CTavoDoc doc;
        try {
            doc.OpenFolder(group.folder);
        } catch (const CTavoException& e) {
            PrintFileError(group.folder, e.GetCode(), e.GetErrorMessage());
            failures += static_cast<int>(group.names.size());
            continue;
        }
        // The album's order, as the window's batch goes.
        std::vector<int> indices;
        for (int i = 0; i < doc.Count(); ++i) {
            for (const std::string& name : group.names) {
                if (doc.EntryAt(i)->Name() == name) {
                    indices.push_back(i);
                    break;
                }
            }
        }
        for (size_t k = 0; k < group.names.size(); ++k) {
            bool listed = false;
            for (int i : indices) listed = listed || doc.EntryAt(i)->Name() == group.names[k];
            if (!listed) {
                ReportUnlisted(group.operands[k]);
                ++failures;
            }
        }
        const SaveReport report = batch ? SaveBatch(doc, indices, request, prompt, progress, DefaultSaveWorkers())
                                  : indices.empty() ? SaveReport{}
                                                    : SaveCurrent(doc, indices.front(), request, prompt);
        failures += report.failed;
        if (batch) {
            for (const std::string& written : report.written) {
                std::printf("%s: written\n", Printable(written).c_str());
            }
        }
        doc.SaveAlbum();
        if (report.cancelled) break;
    }
    return failures > 0 ? 1 : 0;
}

}  // namespace xelo::tool
