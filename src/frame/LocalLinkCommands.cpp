#include "frame/LocalLinkCommands.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <cerrno>

#include "album/FolderEnum.h"
#include "album/ImageEntry.h"
#include "album/TavoDoc.h"
#include "base/StringTable.h"
#include "command/CommandIds.h"
#include "frame/FrameHost.h"
#include "image/FileError.h"
#include "image/TavoException.h"
#include "platform/MessageBox.h"
#include "settings/CommandLine.h"
#include "share/ShareSettings.h"

namespace xelo {

namespace {

constexpr uint32_t kStrCannotSend = 3357;
constexpr uint32_t kStrCannotReceive = 3358;
constexpr uint32_t kComponentLocalLink = 2330;
constexpr uint32_t kUnit = 1;

ShareSettings Settings() {
    const Registry* store = ShareStore();
    return store ? ShareSettings::Load(*store) : ShareSettings();
}

}  // namespace

void StartLocalLinkProgram(const std::string& commandLine, const std::vector<std::string>& extra) {
    const std::vector<std::string> words = SplitCommandLine(commandLine);
    const std::string program = words.empty() ? std::string() : words.front();
    if (program.empty()) ThrowFileError(ENOENT, program, {kComponentLocalLink, kUnit, __LINE__});
    const QString name = QString::fromStdString(program);
    // Found on PATH by name, or taken as it stands when it names a path.
    const QString found =
        name.contains(QLatin1Char('/')) ? name : QStandardPaths::findExecutable(name);
    const QFileInfo info(found);
    if (found.isEmpty() || !info.exists()) {
        ThrowFileError(ENOENT, program, {kComponentLocalLink, kUnit, __LINE__});
    }
    if (!info.isFile() || !info.isExecutable()) {
        ThrowFileError(EACCES, program, {kComponentLocalLink, kUnit, __LINE__});
    }
    QStringList arguments;
    for (size_t i = 1; i < words.size(); ++i)
        arguments << QString::fromStdString(words[i]);
    for (const std::string& word : extra)
        arguments << QString::fromStdString(word);
    if (!QProcess::startDetached(found, arguments)) {
        ThrowFileError(ENOEXEC, program, {kComponentLocalLink, kUnit, __LINE__});
    }
}

bool CLocalLinkCommands::onUpdate(int id, CommandState& state) {
    if (id == cmd::kSendInfrared) {
        state.enabled = app_.Doc().SelectedCount() == 1;
        return true;
    }
    if (id == cmd::kReceiveInfrared) {
        state.enabled = true;
        return true;
    }
    return false;
}

bool CLocalLinkCommands::onCommand(int id) {
    if (id == cmd::kSendInfrared) {
        Send();
        return true;
    }
    if (id == cmd::kReceiveInfrared) {
        Receive();
        return true;
    }
    return false;
}

void CLocalLinkCommands::Send() {
    const CTavoDoc& doc = app_.Doc();
    if (doc.SelectedCount() != 1) return;
    const std::string path =
        JoinPath(doc.CurrentFolder(), doc.EntryAt(doc.FirstSelected())->Name());
    try {
        StartLocalLinkProgram(Settings().sendProgram, {path});
    } catch (const CTavoException& e) {
        ShowMessage(&window_, LoadString(kStrCannotSend) + "\n" + e.GetErrorMessage());
    }
}

void CLocalLinkCommands::Receive() {
    try {
        StartLocalLinkProgram(Settings().receiveProgram, {});
    } catch (const CTavoException& e) {
        ShowMessage(&window_, LoadString(kStrCannotReceive) + "\n" + e.GetErrorMessage());
    }
}

}  // namespace xelo
