#include "frame/DesktopCommands.h"

#include <QWidget>

#include "command/CommandIds.h"
#include "frame/FileAssociationDialog.h"
#include "frame/FrameHost.h"
#include "image/TavoException.h"
#include "platform/MessageBox.h"
#include "settings/FileAssociation.h"
#include "settings/PrefLayout.h"
#include "settings/Preferences.h"

namespace xelo {

CDesktopCommands::CDesktopCommands(FrameHost& app, QWidget& window)
    : runDialog([](CFileAssociationDialog& dialog) { return dialog.exec() == QDialog::Accepted; }),
      app_(app),
      window_(window) {}

bool CDesktopCommands::onUpdate(int id, CommandState& state) {
    if (id != cmd::kFileAssociation) return false;
    state.enabled = true;
    return true;
}

bool CDesktopCommands::onCommand(int id) {
    if (id != cmd::kFileAssociation) return false;
    FileAssociation();
    return true;
}

void CDesktopCommands::FileAssociation() {
    CFileAssociation association(XdgConfigHome());
    CPreferences& prefs = app_.Prefs();
    CFileAssociationDialog dialog(association, prefs.preferences.Get(pref::kOpenImageMode), &window_);
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

}  // namespace xelo
