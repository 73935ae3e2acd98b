// File Association and Make Shortcut from the window's Tools menu: the boxes show what
// mimeapps.list says, OK claims and releases through the same core as the tool, and the
// open-image mode is kept; launchers are added, listed, renamed (with help on the name box) and
// removed.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "command/CommandIds.h"
#include "frame/DesktopCommands.h"
#include "frame/FileAssociationDialog.h"
#include "frame/MainFrame.h"
#include "frame/ShortcutDialog.h"
#include "gui/GuiFixture.h"
#include "platform/HelpTopics.h"
#include "settings/FileAssociation.h"
#include "settings/PrefLayout.h"
#include "settings/Preferences.h"

namespace xelo {

class DesktopCommandsWindowTest : public QObject {
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

    void MakesListsRenamesAndRemovesLaunchers() {
        test::GuiFixture w(2);
        test::TempDir data;
        setenv("XDG_DATA_HOME", data.Path().c_str(), 1);
        const QString folderName =
            QString::fromStdString(std::filesystem::path(w.Folder()).filename());
        bool ran = false;
        w.Frame().DesktopCommands()->runShortcutDialog = [&](CShortcutDialog& d) {
            d.Mode()->setCurrentIndex(d.Mode()->findText(QStringLiteral("List mode")));
            QVERIFY(d.Add());
            QCOMPARE(d.List()->count(), 1);
            QCOMPARE(d.List()->item(0)->text(), folderName + QStringLiteral(" - List mode"));
            d.Place()->setCurrentIndex(1);  // the desktop holds none
            QCOMPARE(d.List()->count(), 0);
            d.Place()->setCurrentIndex(0);
            // The name is asked in a box of its own, with its help topic.
            std::vector<QString> topics;
            const HelpOpener previous =
                SetHelpOpener([&topics](const QString& topic) { topics.push_back(topic); });
            QString shown;
            QTimer::singleShot(0, &d, [&shown] {
                auto* ask = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                auto* name = ask != nullptr ? ask->findChild<QLineEdit*>() : nullptr;
                auto* buttons = ask != nullptr ? ask->findChild<QDialogButtonBox*>() : nullptr;
                if (name == nullptr || buttons == nullptr ||
                    !buttons->button(QDialogButtonBox::Help)) {
                    if (ask != nullptr) ask->reject();
                    return;
                }
                shown = name->text();
                buttons->button(QDialogButtonBox::Help)->click();
                name->setText(QStringLiteral("Trip"));
                buttons->button(QDialogButtonBox::Ok)->click();
            });
            d.List()->item(0)->setSelected(true);
            d.RenameSelected();
            SetHelpOpener(previous);
            QCOMPARE(shown, folderName + QStringLiteral(" - List mode"));
            QCOMPARE(topics, std::vector<QString>{QStringLiteral("Shortcut")});
            QCOMPARE(d.List()->item(0)->text(), QStringLiteral("Trip"));
            d.List()->item(0)->setSelected(true);
            d.RemoveSelected();
            QCOMPARE(d.List()->count(), 0);
            ran = true;
        };
        QVERIFY(w.Frame().Execute(cmd::kShortcut));
        QVERIFY(ran);
        unsetenv("XDG_DATA_HOME");
    }

    void EditPhotoStartsTheChosenEditorOnTheImage() {
        test::GuiFixture w(2);
        test::TempDir dir;
        // A stand-in editor in a folder with a blank, recording its arguments one a line.
        std::filesystem::create_directories(dir.Path() / "my editor");
        const std::string editor = dir.File("my editor/edit");
        std::ofstream(editor) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" << dir.File("args")
                              << "\"\n";
        std::filesystem::permissions(editor, std::filesystem::perms::owner_all);
        w.App().Prefs().editTool = "\"" + editor + "\" -open %1";
        QVERIFY(!w.Frame().QueryState(cmd::kEditPhoto).enabled);
        w.SelectOnly(1);
        QVERIFY(w.Frame().Execute(cmd::kEditPhoto));
        QTRY_VERIFY(std::filesystem::exists(dir.File("args")));
        QTRY_COMPARE(QString::fromStdString(Read(dir.File("args"))),
                     QString::fromStdString("-open\n" + w.Folder() + "/img02.bmp\n"));
    }

  private:
    static std::string Read(const std::string& path) {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

}  // namespace xelo

QTEST_MAIN(xelo::DesktopCommandsWindowTest)
#include "DesktopCommandsWindowTest.moc"
