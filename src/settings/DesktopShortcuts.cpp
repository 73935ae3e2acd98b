#include "settings/DesktopShortcuts.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "album/FolderEnum.h"
#include "album/WholeFile.h"
#include "codec/FileWriter.h"
#include "settings/DesktopEntryText.h"
#include "settings/FileAssociation.h"
#include "settings/KeyFileText.h"

namespace xelo {

namespace fs = std::filesystem;

namespace {

constexpr char kGroup[] = "Desktop Entry";
constexpr char kExtension[] = ".desktop";
constexpr size_t kMaxEntry = 64u << 10;

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// A launcher name that can also be a file name.
bool UsableName(const std::string& name) {
    if (name.empty() || name[0] == '.') return false;
    return std::none_of(name.begin(), name.end(),
                        [](unsigned char c) { return c == '/' || c < 0x20 || c == 0x7f; });
}

std::string LastComponent(const std::string& path) {
    std::string p = path;
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    const size_t slash = p.rfind('/');
    const std::string last = slash == std::string::npos ? p : p.substr(slash + 1);
    return last.empty() ? std::string("Root") : last;
}

std::string LauncherText(const std::string& name, const std::string& exec) {
    return "[Desktop Entry]\nType=Application\nName=" + EscapeDesktopValue(name) +
           "\nExec=" + exec + "\nIcon=xelo-album\nTerminal=false\n";
}

void WriteLauncher(const std::string& path, const std::string& text) {
    CFileWriter writer(path, Origin{});
    writer.Write(text.data(), text.size());
    writer.Commit();
    // Desktops start a launcher on the desktop only when it may be executed.
    std::error_code ec;
    fs::permissions(path, fs::perms::owner_exec, fs::perm_options::add, ec);
}

}  // namespace

const std::vector<ShortcutMode>& ShortcutModes() {
    static const std::vector<ShortcutMode> modes = {
        {"s", "Slide Show mode", false},
        {"t", "Thumbnail mode", false},
        {"l", "List mode", false},
        {"f", "Filename mode", false},
        {"vs", "VGA Slide Show mode", false},
        {"i", "Filmstrip mode", true},
        {"fs", "Full Screen mode", true},
        {"v", "VGA Filmstrip mode", true},
    };
    return modes;
}

const ShortcutMode* FindShortcutMode(const std::string& optionOrName) {
    const std::string wanted = Lower(optionOrName);
    for (const ShortcutMode& m : ShortcutModes()) {
        if (wanted == m.option || wanted == Lower(m.name)) return &m;
    }
    return nullptr;
}

std::string UserDesktopFolder() {
    const char* homeVar = std::getenv("HOME");
    const std::string home = homeVar ? homeVar : "";
    std::vector<uint8_t> bytes;
    try {
        if (ReadWholeFile(XdgConfigHome() + "/user-dirs.dirs", kMaxEntry, bytes, Origin{})) {
            // Shell lines: XDG_DESKTOP_DIR="$HOME/Desktop" or an absolute path.
            // Shell lines outside any group: read them as one.
            const CKeyFileText dirs("[dirs]\n" + std::string(bytes.begin(), bytes.end()));
            std::string value = dirs.Value("dirs", "XDG_DESKTOP_DIR").value_or("");
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
                value = value.substr(1, value.size() - 2);
            }
            if (value.rfind("$HOME/", 0) == 0) return home + value.substr(5);
            if (!value.empty() && value[0] == '/') return value;
        }
    } catch (...) {
        // An unreadable user-dirs.dirs leaves the usual folder.
    }
    return home + "/Desktop";
}

CDesktopShortcuts::CDesktopShortcuts(std::string program)
    : CDesktopShortcuts(std::move(program), XdgDataHome() + "/applications", UserDesktopFolder()) {}

CDesktopShortcuts::CDesktopShortcuts(std::string program, std::string programsFolder,
                                     std::string desktopFolder)
    : program_(std::move(program)),
      programsFolder_(std::move(programsFolder)),
      desktopFolder_(std::move(desktopFolder)) {}

std::string CDesktopShortcuts::Folder(ShortcutPlace place) const {
    return place == ShortcutPlace::kPrograms ? programsFolder_ : desktopFolder_;
}

std::string CDesktopShortcuts::Make(const std::string& target, const ShortcutMode& mode,
                                    ShortcutPlace place) const {
    const std::string folder = Folder(place);
    std::error_code ec;
    fs::create_directories(folder, ec);
    const std::string base = LastComponent(target) + " - " + mode.name;
    // Two folders of one name get two launchers, never one overwriting the other.
    std::string name = base;
    for (int n = 2; fs::exists(JoinPath(folder, name + kExtension), ec); ++n) {
        name = base + " (" + std::to_string(n) + ")";
    }
    const std::string path = JoinPath(folder, name + kExtension);
    WriteLauncher(
        path,
        LauncherText(name, DesktopExecValue({program_, std::string("-") + mode.option, target})));
    return path;
}

std::vector<Shortcut> CDesktopShortcuts::List(ShortcutPlace place) const {
    std::vector<Shortcut> found;
    std::error_code ec;
    for (fs::directory_iterator it(Folder(place), ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& path = it->path();
        if (path.extension() != kExtension) continue;
        std::vector<uint8_t> bytes;
        try {
            if (!ReadWholeFile(path.string(), kMaxEntry, bytes, Origin{})) continue;
        } catch (...) {
            continue;  // a launcher that cannot be read is nobody's we can show
        }
        const CKeyFileText entry(std::string(bytes.begin(), bytes.end()));
        std::vector<std::string> args;
        if (!ParseDesktopExec(entry.Value(kGroup, "Exec").value_or(""), args)) continue;
        if (args.size() != 3 || args[0] != program_ || args[1].size() < 2 || args[1][0] != '-' ||
            !FindShortcutMode(args[1].substr(1))) {
            continue;
        }
        found.push_back({path.string(),
                         UnescapeDesktopValue(entry.Value(kGroup, "Name").value_or("")), args[2],
                         args[1].substr(1)});
    }
    std::sort(found.begin(), found.end(),
              [](const Shortcut& a, const Shortcut& b) { return a.name < b.name; });
    return found;
}

bool CDesktopShortcuts::Rename(const Shortcut& shortcut, const std::string& newName) const {
    if (!UsableName(newName)) return false;
    const fs::path newPath = fs::path(shortcut.file).parent_path() / (newName + kExtension);
    std::error_code ec;
    if (newPath != fs::path(shortcut.file) && fs::exists(newPath, ec)) return false;
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(shortcut.file, kMaxEntry, bytes, Origin{})) return false;
    CKeyFileText entry(std::string(bytes.begin(), bytes.end()));
    entry.SetValue(kGroup, "Name", EscapeDesktopValue(newName));
    WriteLauncher(newPath.string(), entry.Text());
    if (newPath != fs::path(shortcut.file)) fs::remove(shortcut.file, ec);
    return true;
}

bool CDesktopShortcuts::Remove(const Shortcut& shortcut) const {
    std::error_code ec;
    return fs::remove(shortcut.file, ec);
}

}  // namespace xelo
