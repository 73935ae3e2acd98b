// Command icons: the desktop's icon theme first, else a small icon drawn by the program.
#pragma once

#include <QIcon>

namespace xelo {

QIcon CommandIcon(int command, const char* themeName);
// The program's own icon, for its windows.
QIcon ProgramIcon();

}  // namespace xelo
