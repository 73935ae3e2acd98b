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

QString HelpFilePath() {
    const QString name = QStringLiteral("xelo_album_help.htm");
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    if (QFileInfo::exists(beside)) return beside;
    return InstalledDataPath(QStringLiteral("help/") + name,
                             QStringLiteral(XELO_HELP_DIR "/") + name);
}

}  // namespace xelo
