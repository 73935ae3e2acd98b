// xelo-tool desktop: the program's place on the desktop, through the same code as its dialogs.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "ToolArgs.h"
#include "Verbs.h"
#include "image/TavoException.h"
#include "settings/DesktopShortcuts.h"
#include "settings/FileAssociation.h"

namespace xelo::tool {

namespace {

int RunAssociation(const std::string& action, const std::vector<std::string>& names) {
    if (names.empty()) return UsageError("desktop", action + ": give at least one TYPE");
    std::vector<std::string> types;
    for (const std::string& name : names) {
        const std::string type = ImageMimeType(name);
        if (type.empty())
            return UsageError("desktop", "'" + name + "' is no image type the program opens");
        types.push_back(type);
    }
    CFileAssociation association(XdgConfigHome());
    try {
        if (action == "associate") {
            association.Claim(types);
        } else {
            association.Release(types);
        }
    } catch (const CTavoException& e) {
        PrintFileError(association.MimeAppsPath(), e.GetCode(), e.GetErrorMessage());
        return 1;
    }
    for (const std::string& type : types) {
        std::printf("%s: %s\n", type.c_str(),
                    association.IsClaimed(type) ? "opens in Xelo Album" : "not ours");
    }
    return 0;
}

// The program the launchers start: beside the tool when installed, in the build tree's src/
// when run from a build.
std::string ProgramPath() {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path toolDir = fs::read_symlink("/proc/self/exe", ec).parent_path();
    for (const fs::path& candidate :
         {toolDir / "xelo_album", toolDir / ".." / "src" / "xelo_album"}) {
        if (fs::exists(candidate, ec)) return fs::canonical(candidate, ec).string();
    }
    return (toolDir / "xelo_album").string();
}

std::optional<ShortcutPlace> ParsePlace(const ToolArgs& parsed) {
    const std::string at = parsed.Value("--at").value_or("programs");
    if (at == "programs") return ShortcutPlace::kPrograms;
    if (at == "desktop") return ShortcutPlace::kDesktop;
    return std::nullopt;
}

int RunShortcut(const std::vector<std::string>& args, bool list) {
    ToolArgs parsed;
    std::string error;
    if (!parsed.Parse(args, {"--folder", "--image", "--mode", "--at"}, error)) {
        return UsageError("desktop", error);
    }
    const auto known = list ? std::vector<std::string>{"--at"}
                            : std::vector<std::string>{"--folder", "--image", "--mode", "--at"};
    if (const auto unknown = parsed.Unknown(known); !unknown.empty()) {
        return UsageError("desktop", "unknown option " + unknown.front());
    }
    if (!parsed.Operands().empty())
        return UsageError("desktop", "unexpected " + parsed.Operands().front());
    const std::optional<ShortcutPlace> place = ParsePlace(parsed);
    if (!place) return UsageError("desktop", "--at takes programs or desktop");
    const CDesktopShortcuts shortcuts(ProgramPath());
    if (list) {
        for (const Shortcut& s : shortcuts.List(*place)) {
            std::printf("%s\t-%s %s\t%s\n", s.name.c_str(), s.option.c_str(), s.target.c_str(),
                        s.file.c_str());
        }
        return 0;
    }
    const bool image = parsed.Has("--image");
    if (image == parsed.Has("--folder"))
        return UsageError("desktop", "give --folder DIR or --image FILE");
    const ShortcutMode* mode = FindShortcutMode(parsed.Value("--mode").value_or(image ? "i" : "t"));
    if (!mode || mode->forImage != image) {
        return UsageError("desktop",
                          std::string("no such ") + (image ? "image" : "folder") + " mode");
    }
    std::error_code ec;
    const std::string target =
        std::filesystem::absolute(*parsed.Value(image ? "--image" : "--folder"), ec);
    if (image ? !std::filesystem::is_regular_file(target, ec)
              : !std::filesystem::is_directory(target, ec)) {
        std::fprintf(stderr, "xelo-tool desktop: %s: no such %s\n", target.c_str(),
                     image ? "image" : "folder");
        return 1;
    }
    try {
        std::printf("%s\n", shortcuts.Make(target, *mode, *place).c_str());
    } catch (const CTavoException& e) {
        PrintFileError(shortcuts.Folder(*place), e.GetCode(), e.GetErrorMessage());
        return 1;
    }
    return 0;
}

}  // namespace

int RunDesktop(const std::vector<std::string>& args) {
    if (args.empty())
        return UsageError("desktop", "give associate, release, shortcut or shortcuts");
    const std::string& action = args.front();
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (action == "associate" || action == "release") return RunAssociation(action, rest);
    if (action == "shortcut" || action == "shortcuts")
        return RunShortcut(rest, action == "shortcuts");
    return UsageError("desktop", "unknown action '" + action + "'");
}

}  // namespace xelo::tool
