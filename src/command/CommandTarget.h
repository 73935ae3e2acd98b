// Command routing: each part of the window that handles commands implements CommandTarget; the
// frame offers a command to the targets in routing order and stops at the first that takes it.
#pragma once

#include <string>

namespace xelo {

// What the enabling rule of a command says.
struct CommandState {
    bool enabled = true;
    bool checked = false;
    bool checkable = false;
    std::string text;  // empty: the command's own text
};

class CommandTarget {
  public:
    virtual ~CommandTarget() = default;
    // True when this target handled the command.
    virtual bool onCommand(int id) = 0;
    // True when this target owns the command; `state` is then filled in.
    virtual bool onUpdate(int id, CommandState& state) = 0;
};

}  // namespace xelo
