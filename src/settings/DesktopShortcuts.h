// Launchers that start the program on a folder or an image in a chosen mode: desktop entries in
// the user's applications folder or on the desktop.
#pragma once

#include <string>
#include <vector>

namespace xelo {

enum class ShortcutPlace { kPrograms, kDesktop };

struct ShortcutMode {
    const char* option;  // the command-line option, without "-"
    const char* name;    // "List mode": ends the launcher's name
    bool forImage;       // an image shortcut; otherwise a folder shortcut
};
// Folder modes first, then image modes.
const std::vector<ShortcutMode>& ShortcutModes();
// The mode of an option ("l") or a name ("List mode", any case); nullptr when none.
const ShortcutMode* FindShortcutMode(const std::string& optionOrName);

struct Shortcut {
    std::string file;    // full path of the .desktop file
    std::string name;    // the Name shown to the user
    std::string target;  // the folder or image it opens
    std::string option;  // the mode's option, without "-"
};

class CDesktopShortcuts {
  public:
    // `program` is the absolute path the launchers start; the folders come from the XDG
    // variables and HOME, or are given (tests).
    explicit CDesktopShortcuts(std::string program);
    CDesktopShortcuts(std::string program, std::string programsFolder, std::string desktopFolder);

    std::string Folder(ShortcutPlace place) const;
    // Writes the launcher for `target` (a folder or an image, by the mode) named "BASE - MODE"
    // after the target's last path component; returns its file. Write errors throw.
    std::string Make(const std::string& target, const ShortcutMode& mode,
                     ShortcutPlace place) const;
    // The launchers of the place that start this program, by name.
    std::vector<Shortcut> List(ShortcutPlace place) const;
    // Gives a launcher a new name (its file follows); false when the name is taken or unusable.
    bool Rename(const Shortcut& shortcut, const std::string& newName) const;
    bool Remove(const Shortcut& shortcut) const;

  private:
    std::string program_;
    std::string programsFolder_;
    std::string desktopFolder_;
};

// The desktop folder: XDG_DESKTOP_DIR of $XDG_CONFIG_HOME/user-dirs.dirs, else $HOME/Desktop.
std::string UserDesktopFolder();

}  // namespace xelo
