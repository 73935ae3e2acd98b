// Where the program's own data (help, picture frames) lies: installed beside the program's
// share folder, or in the source tree the program was built from.
#pragma once

#include <QString>

namespace xelo {

// The first that exists of: `relative` under the installed data folder (found from the
// program's own folder, so a moved install works too) and `sourcePath`. When neither exists,
// `sourcePath`.
QString InstalledDataPath(const QString& relative, const QString& sourcePath);

// The HTML help: beside the program (a build), in the installed share folder, or in the source
// tree's docs/help.
QString HelpFilePath();

}  // namespace xelo
