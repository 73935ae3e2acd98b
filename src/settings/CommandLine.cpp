// Command-line parsing and processing.
#include "settings/CommandLine.h"

#include <strings.h>

#include "album/AlbumFile.h"
#include "album/FolderEnum.h"
#include "album/TavoDoc.h"
#include "settings/Preferences.h"
#include "base/Registry.h"
#include "base/ViewModes.h"

namespace xelo {

namespace {

constexpr struct {
    const char* option;
    int mode;
} kOptions[] = {{"t", kStartThumbnail},    {"l", kStartList},         {"f", kStartFilename},
                {"i", kStartFilmstrip},    {"fs", kStartFullScreen},  {"s", kStartSlideShow},
                {"v", kStartVgaFilmstrip}, {"vs", kStartVgaSlideShow}};

bool TakesFolder(int mode) {
    return mode == kStartThumbnail || mode == kStartList || mode == kStartFilename ||
           mode == kStartSlideShow || mode == kStartVgaSlideShow;
}

bool TakesImage(int mode) {
    return mode == kStartFilmstrip || mode == kStartFullScreen || mode == kStartVgaFilmstrip;
}

// The entry named exactly `name`, else the first whose name matches without regard to case.
int FindFile(const CTavoDoc& doc, const std::string& name) {
    for (int i = 0; i < doc.Count(); ++i) {
        if (doc.EntryAt(i)->Name() == name) return i;
    }
    int index = -1;
    doc.FindByName(name, &index);
    return index;
}

}  // namespace

void CTavoCommandLineInfo::ParseArgument(const std::string& text, bool isFlag, bool isLast) {
    if (isFlag) {
        mode = kStartDefault;
        for (const auto& o : kOptions) {
            if (::strcasecmp(text.c_str(), o.option) == 0) mode = o.mode;
        }
    } else if (TakesFolder(mode)) {
        folder = text;
        if (folder.size() >= 2 && folder.back() == '/') folder.pop_back();
    } else {
        const size_t slash = text.rfind('/');
        if (slash == std::string::npos || slash + 1 == text.size()) {
            mode = kStartDefault;
            folder.clear();
            file.clear();
        } else {
            folder = slash == 0 ? std::string("/") : text.substr(0, slash);
            file = text.substr(slash + 1);
            // Opening an album data file opens its folder.
            if (::strcasecmp(file.c_str(), kAlbumFileName) == 0) {
                mode = kStartThumbnail;
                file.clear();
            }
        }
    }
    if (isLast) CheckResult();
}

void CTavoCommandLineInfo::CheckResult() {
    if (TakesFolder(mode)) {
        if (folder.empty() || !IsDirectory(folder)) {
            folder.clear();
            mode = kStartDefault;
        }
    } else if (TakesImage(mode)) {
        if (folder.empty() || file.empty() || !IsDirectory(folder) ||
            !IsRegularFile(JoinPath(folder, file))) {
            folder.clear();
            file.clear();
            mode = kStartDefault;
        }
    } else if (mode == kStartDefault && !folder.empty() && !file.empty()) {
        if (IsDirectory(folder) && IsRegularFile(JoinPath(folder, file))) {
            mode = openImageMode_ == 4 ? kStartFullScreen : kStartFilmstrip;
        } else {
            folder.clear();
            file.clear();
        }
    } else {
        mode = kStartDefault;
    }
}

std::vector<std::string> SplitCommandLine(std::string_view line) {
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false;
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '\\' && i + 1 < line.size() &&
            (line[i + 1] == '"' || line[i + 1] == '\\')) {
            current += line[++i];
        } else if (c == '"') {
            quoted = !quoted;
            inArgument = true;
        } else if (!quoted && (c == ' ' || c == '\t' || c == '\n')) {
            if (inArgument) arguments.push_back(std::move(current));
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument) arguments.push_back(std::move(current));
    return arguments;
}

std::string JoinCommandLine(const std::vector<std::string>& arguments) {
    std::string line;
    for (const std::string& a : arguments) {
        if (!line.empty()) line += ' ';
        line += '"';
        for (char c : a) {
            if (c == '"' || c == '\\') line += '\\';
            line += c;
        }
        line += '"';
    }
    return line;
}

void ParseCommandLine(const std::vector<std::string>& arguments, CTavoCommandLineInfo& info) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        const bool isFlag = !a.empty() && a[0] == '-';
        info.ParseArgument(isFlag ? a.substr(1) : a, isFlag, i + 1 == arguments.size());
    }
}

int StartModeCommand(int mode) {
    switch (mode) {
        case kStartThumbnail:
            return kModeThumbnail;
        case kStartList:
            return kModeList;
        case kStartFilename:
            return kModeFilename;
        case kStartFilmstrip:
            return kModeFilmstrip;
        case kStartFullScreen:
            return kModeFullScreen;
        case kStartSlideShow:
            return kCmdSlideShow;
        case kStartVgaFilmstrip:
            return kModeVgaFilmstrip;
        case kStartVgaSlideShow:
            return kModeVgaSlideShow;
        default:
            return 0;
    }
}

StartResult ProcessCommandLine(const CTavoCommandLineInfo& info, CTavoDoc& doc,
                               const CPreferences& preferences, bool vgaAvailable) {
    StartResult result;
    result.command = StartModeCommand(info.mode);
    if (result.command == 0) result.command = preferences.StartCommand();
    if ((result.command == kModeVgaFilmstrip || result.command == kModeVgaSlideShow) &&
        !vgaAvailable) {
        result.noVgaDevice = true;
        result.command = kModeThumbnail;
    }
    // The folder asked for, else the one the program showed last.
    const std::string target = info.folder.empty() ? doc.CurrentFolder() : info.folder;
    if (IsDirectory(target)) {
        doc.SaveAlbum();  // the folder being left, when a running instance is re-targeted
        doc.OpenFolder(target);
    } else if (!info.folder.empty()) {
        doc.SetCurrentFolder(info.folder);
    }
    if (doc.Count() == 0) result.command = kModeThumbnail;
    if (!info.file.empty()) {
        doc.ClearSelection();
        doc.SetSelected(FindFile(doc, info.file), true);
    }
    return result;
}

bool ReadForwardedCommandLine(const Registry& registry, CTavoCommandLineInfo& info) {
    const auto line = registry.ReadString(reg::kStrings, reg::kCommand);
    if (!line || line->empty()) return false;
    ParseCommandLine(SplitCommandLine(*line), info);
    return true;
}

}  // namespace xelo
