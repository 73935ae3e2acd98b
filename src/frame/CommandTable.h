// The table of the commands the window offers: text (string number), icon and shortcut. A
// command that is not in the table does not exist yet and is left out of menus and tool bars.
#pragma once

#include <span>
#include <vector>

namespace xelo {

struct CommandInfo {
    int id;
    int textId;            // string-table number of the menu text
    const char* icon;      // freedesktop icon name, or null
    const char* shortcut;  // QKeySequence text, or null
    bool checkable;
};

std::span<const CommandInfo> CommandTable();
const CommandInfo* FindCommand(int id);

// Tool bars by resource number: command ids in order, 0 for a separator.
std::span<const int> ToolBarButtons(int toolBarId);

}  // namespace xelo
