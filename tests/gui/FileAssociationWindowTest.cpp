// File Association from the window's Tools menu: the boxes show what mimeapps.list says, OK
// claims and releases through the same core as the tool, and the open-image mode is kept.
#include <QCheckBox>
#include <QComboBox>
#include <QTest>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "command/CommandIds.h"
#include "frame/DesktopCommands.h"
#include "frame/FileAssociationDialog.h"
#include "frame/MainFrame.h"
#include "gui/GuiFixture.h"
#include "settings/FileAssociation.h"
#include "settings/PrefLayout.h"
#include "settings/Preferences.h"

namespace xelo {

class FileAssociationWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void ClaimsThenGivesBackTheOldDefault() {
        test::GuiFixture w(2);
        test::TempDir config;
        setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
        const std::string list = "[Default Applications]\nimage/jpeg=eog.desktop;\n";
        std::ofstream(config.File("mimeapps.list")) << list;
        CDesktopCommands& commands = *w.Frame().DesktopCommands();

        // Groups: bmp, jpeg, ... The JPEG box starts clear; check it and open in Full Screen.
        commands.runDialog = [](CFileAssociationDialog& d) {
            if (d.Groups()[1]->isChecked()) return false;
            d.Groups()[1]->setChecked(true);
            d.findChild<QComboBox*>()->setCurrentIndex(1);
            return true;
        };
        QVERIFY(w.Frame().Execute(cmd::kFileAssociation));
        QVERIFY(CFileAssociation(config.Path().string()).IsClaimed("image/jpeg"));
        QCOMPARE(w.App().Prefs().preferences.Get(pref::kOpenImageMode), 4);

        commands.runDialog = [](CFileAssociationDialog& d) {
            if (!d.Groups()[1]->isChecked() || d.OpenImageMode() != 4) return false;
            d.Groups()[1]->setChecked(false);
            return true;
        };
        QVERIFY(w.Frame().Execute(cmd::kFileAssociation));
        std::ifstream in(config.File("mimeapps.list"));
        std::stringstream text;
        text << in.rdbuf();
        QCOMPARE(text.str(), list);
        unsetenv("XDG_CONFIG_HOME");
    }
};

}  // namespace xelo

QTEST_MAIN(xelo::FileAssociationWindowTest)
#include "FileAssociationWindowTest.moc"
