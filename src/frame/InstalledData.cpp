#include "frame/InstalledData.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace xelo {

QString InstalledDataPath(const QString& relative, const QString& sourcePath) {
    const QDir installed(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(XELO_DATA_FROM_BIN)));
    const QString path = installed.filePath(relative);
    if (QFileInfo::exists(path)) return QDir::cleanPath(path);
    return sourcePath;
}

}  // namespace xelo
