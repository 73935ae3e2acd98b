#include "frame/DesktopCommands.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QUrl>
#include <QWidget>

#include "album/FolderEnum.h"
#include "album/ImageEntry.h"
#include "album/TavoDoc.h"
#include "base/StringTable.h"
#include "command/CommandIds.h"
#include "frame/FileAssociationDialog.h"
#include "frame/FrameHost.h"
#include "frame/ShortcutDialog.h"
#include "image/TavoException.h"
#include "platform/MessageBox.h"
#include "settings/DesktopShortcuts.h"
#include "settings/EditorCommand.h"
#include "settings/FileAssociation.h"
#include "settings/PrefLayout.h"
#include "settings/Preferences.h"

namespace xelo {

namespace {

constexpr uint32_t kStrNoEditor = 22029;

}  // namespace

CDesktopCommands::CDesktopCommands(FrameHost& app, QWidget& window)
    : runDialog([](CFileAssociationDialog& dialog) { return dialog.exec() == QDialog::Accepted; }),
      runShortcutDialog([](CShortcutDialog& dialog) { dialog.exec(); }),
      app_(app),
      window_(window) {}

bool CDesktopCommands::onUpdate(int id, CommandState& state) {
    if (id == cmd::kShortcut) {
        state.enabled = !app_.Doc().CurrentFolder().empty();
        return true;
    }
    if (id == cmd::kEditPhoto) {
        state.enabled = app_.Doc().SelectedCount() == 1;
        return true;
    }
    if (id != cmd::kFileAssociation) return false;
    state.enabled = true;
    return true;
}

bool CDesktopCommands::onCommand(int id) {
    if (id == cmd::kShortcut) {
        MakeShortcut();
        return true;
    }
    if (id == cmd::kEditPhoto) {
        EditPhoto();
        return true;
    }
    if (id != cmd::kFileAssociation) return false;
    FileAssociation();
    return true;
}

void CDesktopCommands::MakeShortcut() {
    CTavoDoc& doc = app_.Doc();
    const int first = doc.FirstSelected();
    const std::string image = first >= 0 ? doc.EntryAt(first)->Name() : std::string();
    const CDesktopShortcuts shortcuts(QCoreApplication::applicationFilePath().toStdString());
    CShortcutDialog dialog(shortcuts, doc.CurrentFolder(), image, app_.Plugins(), &window_);
    runShortcutDialog(dialog);
}

void CDesktopCommands::FileAssociation() {
    CFileAssociation association(XdgConfigHome());
    CPreferences& prefs = app_.Prefs();
    CFileAssociationDialog dialog(association, prefs.preferences.Get(pref::kOpenImageMode),
                                  &window_);
    if (!runDialog(dialog)) return;
    try {
        dialog.Apply(association);
    } catch (const CTavoException& e) {
        // What was written stays written; the rest is as it was.
        ReportError(&window_, e);
    }
    prefs.preferences.Set(pref::kOpenImageMode, static_cast<uint8_t>(dialog.OpenImageMode()));
    prefs.SavePreferences(app_.Store());
}

void CDesktopCommands::EditPhoto() {
    CTavoDoc& doc = app_.Doc();
    const int first = doc.FirstSelected();
    if (first < 0) return;
    const std::string path = JoinPath(doc.CurrentFolder(), doc.EntryAt(first)->Name());
    const std::vector<std::string> arguments = EditorArguments(app_.Prefs().editTool, path);
    bool started = false;
    if (arguments.empty()) {
        // No editor chosen: the desktop's own choice for the file's type.
        started = QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
    } else {
        QStringList rest;
        for (size_t i = 1; i < arguments.size(); ++i)
            rest << QString::fromStdString(arguments[i]);
        started = QProcess::startDetached(QString::fromStdString(arguments[0]), rest);
    }
    if (!started) ShowMessage(&window_, LoadString(kStrNoEditor));
}

}  // namespace xelo
