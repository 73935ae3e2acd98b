// "Send via E-mail": Send follows the address fields, the questions and the ratio rule, the
// address picker, and the command in a running window saving a draft with nothing left behind.
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "album/UserPrompt.h"
#include "command/CommandIds.h"
#include "frame/MailCommands.h"
#include "frame/MainFrame.h"
#include "gui/AnsweringPrompt.h"
#include "gui/GuiFixture.h"
#include "imageui/SendMailDialog.h"
#include "platform/HelpTopics.h"
#include "platform/MessageBox.h"
#include "settings/Preferences.h"
#include "share/MailErrors.h"

namespace xelo {

namespace {

MailSettings DraftSettings(const std::string& folder) {
    MailSettings settings;
    settings.service = "draft";
    settings.draftFolder = folder;
    return settings;
}

}  // namespace

class SendMailTest : public QObject {
    Q_OBJECT

  private slots:
    void sendFollowsTheAddressFields() {
        CSendMailDialog dialog({}, DraftSettings("/tmp"), {}, "");
        const struct {
            const char *to, *cc;
            bool enabled;
        } cases[] = {{"", "", false},   {"ab", "", false},     {"a@", "  ", false},
                     {"a@b", "", true}, {" a@b ", "ab", true}, {"", "x@y", true}};
        for (const auto& c : cases) {
            dialog.ToEdit()->setText(c.to);
            dialog.CcEdit()->setText(c.cc);
            QCOMPARE(dialog.SendButton()->isEnabled(), c.enabled);
            QCOMPARE(dialog.SendButton()->isDefault(), c.enabled);
            QCOMPARE(dialog.CancelButton()->isDefault(), !c.enabled);
        }
    }

    void helpOpensTheMailTopic() {
        std::vector<QString> opened;
        const HelpOpener previous =
            SetHelpOpener([&opened](const QString& topic) { opened.push_back(topic); });
        CSendMailDialog dialog({}, DraftSettings("/tmp"), {}, "");
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help)->click();
        SetHelpOpener(previous);
        QCOMPARE(opened, std::vector<QString>{QStringLiteral("Send-via-E-Mail")});
    }

    void questionsAndTheRatioRule() {
        test::AnsweringPrompt prompt{Answer::kNo};
        CSendMailDialog dialog({}, DraftSettings("/tmp"), {}, "");
        dialog.SetPrompt(&prompt);
        dialog.ToEdit()->setText("ab");
        dialog.CcEdit()->setText("c@d");
        dialog.accept();  // declined: back in To
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(prompt.asked,
                 std::vector<std::string>{
                     "'ab' is not in a valid e-mail format.\nAre you sure you want to send it?"});
        QCOMPARE(dialog.focusWidget(), dialog.ToEdit());

        dialog.ToEdit()->setText("a@b");  // accepted without a question
        dialog.ReduceCheck()->setChecked(true);
        dialog.RatioCombo()->setEditText("0");
        dialog.accept();
        QCOMPARE(prompt.shown, std::vector<uint32_t>{kStrRatioRange});
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(prompt.asked.size(), size_t{1});

        dialog.ReduceCheck()->setChecked(false);  // the invalid ratio does not matter now
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Options().ratio, 50);

        dialog.ReduceCheck()->setChecked(true);
        dialog.RatioCombo()->setEditText(" 30");
        dialog.accept();
        QCOMPARE(dialog.Options().ratio, 30);
        QCOMPARE(dialog.RatioCombo()->currentText(), QString("30%"));
        QCOMPARE(dialog.Settings().ratio, 30);
    }

    void thePickerFillsTheEdits() {
        CSendMailDialog dialog({}, DraftSettings("/tmp"), {}, "");
        QVERIFY(!dialog.ToButton()->isEnabled());
        dialog.SetAddressPicker([](std::vector<std::string>& to, std::vector<std::string>& cc) {
            to.push_back("b@x");
            cc = {"c@x", "d@x"};
            return true;
        });
        dialog.ToEdit()->setText("a@x");
        QTest::mouseClick(dialog.CcButton(), Qt::LeftButton);
        QCOMPARE(dialog.ToEdit()->text(), QString("a@x; b@x"));
        QCOMPARE(dialog.CcEdit()->text(), QString("c@x; d@x"));
    }

    void theCommandSavesADraftAndRemembersTheOptions() {
        test::GuiFixture window(2);
        test::TempDir drafts;
        test::TempDir tmp;
        ::setenv("TMPDIR", tmp.Path().c_str(), 1);
        std::vector<std::string> messages;
        const MessageReporter old = SetMessageReporter(
            [&messages](QWidget*, const std::string& text) { messages.push_back(text); });
        DraftSettings(drafts.Path().string()).Save(window.Store());
        QVERIFY(window.Frame().Execute(cmd::kSelectAll));
        window.Frame().MailCommands()->runDialog = [](CSendMailDialog& dialog) {
            dialog.ToEdit()->setText("a@b");
            dialog.ReduceCheck()->setChecked(true);
            dialog.RatioCombo()->setEditText("50");
            dialog.accept();
            return dialog.result();
        };
        QVERIFY(window.Frame().Execute(cmd::kSendMail));
        SetMessageReporter(old);
        ::unsetenv("TMPDIR");

        QVERIFY(std::filesystem::is_empty(tmp.Path()));
        const std::filesystem::path draft = *std::filesystem::directory_iterator(drafts.Path());
        QCOMPARE(messages.size(), size_t{1});
        QVERIFY(messages[0].find(draft.string()) != std::string::npos);
        std::ifstream in(draft);
        const std::string text((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
        QVERIFY(text.find("filename=img01.bmp") != std::string::npos);
        QVERIFY(text.find("filename=img02.bmp") != std::string::npos);
        QVERIFY(window.App().Prefs().uiInfo.IsSet(ui::kMailReduce));
        QCOMPARE(window.Store().ReadString("Mail", "Ratio").value_or(""), std::string("50"));
    }
};

}  // namespace xelo

QTEST_MAIN(xelo::SendMailTest)
#include "SendMailTest.moc"
