// The address picker over a contacts file, and sending an image over the local link.
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <cstdlib>
#include <fstream>

#include "command/CommandIds.h"
#include "frame/MainFrame.h"
#include "gui/GuiFixture.h"
#include "imageui/SelectEmailDialog.h"
#include "platform/MessageBox.h"
#include "share/ShareSettings.h"

namespace xelo {

using Addresses = std::vector<std::string>;

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

class SharingTest : public QObject {
    Q_OBJECT

  private slots:
    void PicksToAndCcFromContacts() {
        test::TempDir dir;
        std::ofstream(dir.File("book.vcf")) << "BEGIN:VCARD\nFN:Zoe\nEMAIL:zoe@x.org\nEND:VCARD\n"
                                               "BEGIN:VCARD\nFN:adam\nEMAIL:adam@home.org\n"
                                               "EMAIL;TYPE=pref:adam@x.org\nEND:VCARD\n";
        CMemoryRegistry store;
        ShareSettings settings;
        settings.contactsFile = dir.File("book.vcf");
        settings.Save(store);
        SetShareStore(&store);

        // A pending address of a contact shows the name (in any case); a stranger's as typed.
        SelectEmailDialog d({"bob@y.org", "ZOE@x.org"}, {}, nullptr);
        QTreeWidget* rows = d.Contacts();
        QCOMPARE(rows->topLevelItemCount(), 3);
        QCOMPARE(rows->topLevelItem(0)->text(1), QStringLiteral("adam@x.org"));
        QCOMPARE(rows->topLevelItem(2)->text(0), QStringLiteral("Zoe"));
        QCOMPARE(d.ToList()->item(0)->text(), QStringLiteral("bob@y.org"));
        QCOMPARE(d.ToList()->item(1)->text(), QStringLiteral("Zoe"));

        rows->topLevelItem(0)->setSelected(true);
        rows->topLevelItem(1)->setSelected(true);
        QTest::mouseClick(d.CcButton(), Qt::LeftButton);
        rows->clearSelection();
        rows->topLevelItem(0)->setSelected(true);
        QTest::mouseClick(d.ToButton(), Qt::LeftButton);
        QTest::mouseClick(d.ToButton(), Qt::LeftButton);  // a contact goes in once
        // Holding the button on an entry opens the list's menu; its command removes the entry.
        QTest::mousePress(d.ToList()->viewport(), Qt::LeftButton, {},
                          d.ToList()->visualItemRect(d.ToList()->item(0)).center());
        QTRY_VERIFY(d.ListMenu(d.ToList())->isVisible());
        d.RemoveAction(d.ToList())->trigger();
        QCOMPARE(d.To(), (Addresses{"zoe@x.org", "adam@x.org"}));
        QCOMPARE(d.Cc(), (Addresses{"adam@x.org", "adam@home.org"}));

        // OK hands the lists back in order; Cancel leaves the caller's addresses alone.
        Addresses to = {"zoe@x.org"}, cc = {"other@y.org"};
        QTimer::singleShot(
            0, [] { qobject_cast<QDialog*>(QApplication::activeModalWidget())->accept(); });
        QVERIFY(PickEmailAddresses(nullptr, to, cc));
        QCOMPARE(to, Addresses{"zoe@x.org"});
        QCOMPARE(cc, Addresses{"other@y.org"});
        SetShareStore(nullptr);
    }

    void WithoutContactsOffersAFileThenCancels() {
        test::TempDir empty;
        const std::string home = Env("HOME"), data = Env("XDG_DATA_HOME");
        setenv("XDG_DATA_HOME", empty.Path().c_str(), 1);
        setenv("HOME", empty.Path().c_str(), 1);
        std::vector<std::string> messages;
        SetMessageReporter([&](QWidget*, const std::string& text) { messages.push_back(text); });
        SelectEmailDialog d({"a@b.org"}, {}, nullptr);
        d.chooseFile = [&] { return QString::fromStdString(empty.File("gone.vcf")); };
        QCOMPARE(d.exec(), int(QDialog::Rejected));
        QCOMPARE(messages.size(), size_t(2));
        QCOMPARE(messages[0], std::string("You have no contact list."));
        QVERIFY(messages[1].starts_with("Could not get contact list. File was not found.\n"));
        SetMessageReporter(nullptr);
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_DATA_HOME", data.c_str(), 1);
    }

    void SendsTheOneSelectedImageWithTheConfiguredProgram() {
        test::GuiFixture w(2);
        test::TempDir bin;
        const std::string stub = bin.File("send-stub");
        std::ofstream(stub)
            << "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.tmp\" && mv \"$0.tmp\" \"$0.args\"\n";
        QFile::setPermissions(QString::fromStdString(stub), QFile::ReadOwner | QFile::ExeOwner);
        setenv("PATH", (bin.Path().string() + ":" + Env("PATH")).c_str(), 1);
        ShareSettings settings;
        settings.sendProgram = "send-stub --quiet";
        settings.receiveProgram = "\"no such receiver\"";
        settings.Save(w.Store());

        w.Doc().SelectAll();
        QVERIFY(!w.Frame().QueryState(cmd::kSendInfrared).enabled);
        w.SelectOnly(1);
        QVERIFY(w.Frame().Execute(cmd::kSendInfrared));
        QTRY_VERIFY(QFile::exists(QString::fromStdString(stub + ".args")));
        std::ifstream in(stub + ".args");
        const std::string args((std::istreambuf_iterator<char>(in)), {});
        QCOMPARE(args, "--quiet\n" + w.Folder() + "/" + w.Doc().EntryAt(1)->Name() + "\n");

        std::vector<std::string> messages;
        SetMessageReporter([&](QWidget*, const std::string& text) { messages.push_back(text); });
        QVERIFY(w.Frame().Execute(cmd::kReceiveInfrared));
        SetMessageReporter(nullptr);
        QCOMPARE(messages.size(), size_t(1));
        QVERIFY(messages[0].starts_with(
            "Cannot receive file by infrared!\nFile was not found.\nno such receiver"));
    }
};

}  // namespace xelo

QTEST_MAIN(xelo::SharingTest)
#include "SharingTest.moc"
