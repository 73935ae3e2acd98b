// The folders the Go To commands lead to: parent, documents, storage card, home, recent folders.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace xelo {

enum GoToCommand : int {
    kGoUpOneLevel = 34000,
    kGoDocuments = 34001,
    kGoStorageCard = 34002,
    kGoHome = 34003,
    kGoRecentFirst = 34004,  // + position in the recent list (0 = most recent)
    kGoLast = 34099,
};

// What the targets are computed from.
struct GoToPlaces {
    std::string current;
    std::string documents;
    std::string home;
    std::vector<std::string> recent;     // most recent first
    std::vector<std::string> cardRoots;  // mounted removable volumes, in enumeration order
    std::string_view extensions;
};

// The parent of a folder ("/" for a top-level folder and for "/").
std::string ParentFolder(const std::string& folder);
// The user's pictures folder from the XDG user directories, else the home folder.
std::string DocumentsFolder();
// The mounted removable volumes: the folders in /media/$USER, /run/media/$USER and /mnt.
std::vector<std::string> StorageCardRoots();
// The first folder, depth first through each root in turn, that holds an image file; none when
// no root has one. Symbolic links to folders are not followed.
std::optional<std::string> FindImageFolder(const std::vector<std::string>& roots,
                                           std::string_view extensions);

// One item of the Home Folder pop-up menu.
struct GoToMenuItem {
    int command;
    std::string text;
};
// The recent folders as menu items: "%d %s", numbered from the count down to 1 from the most
// recent, paths longer than 25 characters shortened to "..." and their last 22 characters.
std::vector<GoToMenuItem> RecentMenuItems(const std::vector<std::string>& recent);

// The target of a Go To command; none when the command has no target (an unknown command, a
// recent position past the list, or a storage card search that found nothing: message 22036).
std::optional<std::string> GoToTarget(int command, const GoToPlaces& places);

}  // namespace xelo
