// The window's file commands end to end, with every answer of their dialogs: afterwards the
// folders hold every file exactly once, bytes intact, and the views list what the folder holds.
#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>
#include <deque>
#include <filesystem>

#include "album/FileOpsFixture.h"
#include "base/StringTable.h"
#include "command/CommandIds.h"
#include "platform/ConfirmDialog.h"
#include "frame/MainFrame.h"
#include "frame/NameDialog.h"
#include "frame/ReorderDialog.h"
#include "gui/GuiFixture.h"
#include "platform/MessageBox.h"

namespace xelo {

namespace fs = std::filesystem;
using test::Snapshot;

class FileCommandsWindowTest : public QObject {
    Q_OBJECT

  private:
    test::GuiFixture f;
    std::deque<Answer> answers;
    std::vector<std::string> names;  // typed into a name dialog, one after the other
    QString refusal;                 // the first reason a name dialog gave
    bool reorderAccepted = false;    // the Reorder dialog presses Last, then OK or Cancel
    std::vector<std::string> messages;
    std::string src, dst;
    // Fresh conflicting folders; the window shows src.
    void MakeFolders(const std::string& name) {
        src = f.Folder() + "/" + name + "-src";
        dst = f.Folder() + "/" + name + "-dst";
        test::MakeConflictingFolders(src, dst);
        f.Doc().GoTo(src);
    }
    // The document lists exactly the images of its folder.
    void CheckViewsMatchFolder() {
        std::vector<std::string> onDisk, listed = f.Names();
        for (const auto& e : fs::directory_iterator(f.Doc().CurrentFolder()))
            if (e.is_regular_file() && e.path().extension() == ".bmp")
                onDisk.push_back(e.path().filename().string());
        std::sort(onDisk.begin(), onDisk.end());
        std::sort(listed.begin(), listed.end());
        QCOMPARE(listed, onDisk);
    }

  private slots:
    void initTestCase() {
        f.Start({"-t", f.Folder()});
        f.Frame().runDialog = [this](QDialog& dialog) {
            if (auto* confirm = dynamic_cast<CConfirmDialog*>(&dialog)) {
                if (answers.empty()) return static_cast<int>(Answer::kCancel);
                confirm->Button(answers.front())->click();
                answers.pop_front();
            } else if (auto* named = dynamic_cast<CNameDialog*>(&dialog)) {
                for (const std::string& name : names) {
                    if (refusal.isEmpty()) refusal = named->Refusal();
                    named->Edit()->setText(QString::fromStdString(name));
                    named->accept();
                }
            } else if (auto* reorder = dynamic_cast<CReorderDialog*>(&dialog)) {
                reorder->findChild<QAbstractButton*>("Last")->click();
                return reorderAccepted ? int(QDialog::Accepted) : int(QDialog::Rejected);
            }
            return dialog.result();
        };
        SetMessageReporter([this](QWidget*, const std::string& text) { messages.push_back(text); });
    }

    void pasteAfterCopyAndCutWithEveryAnswer() {
        const struct {
            const char* name;
            bool cut;
            std::deque<Answer> answers;
            std::vector<std::string> replaced;
        } cases[] = {{"yes", false, {Answer::kYes, Answer::kYes}, {"a.bmp", "b.bmp"}},
                     {"all", true, {Answer::kYesToAll}, {"a.bmp", "b.bmp"}},
                     {"no", true, {Answer::kNo, Answer::kYes}, {"b.bmp"}},
                     {"cancel", true, {Answer::kCancel}, {}}};
        for (const auto& c : cases) {
            MakeFolders(c.name);
            const test::Tree src0 = Snapshot(src), dst0 = Snapshot(dst);
            f.Doc().SelectAll();
            QVERIFY(f.Frame().Execute(c.cut ? cmd::kCut : cmd::kCopy));
            f.Doc().GoTo(dst);
            answers = c.answers;
            QVERIFY(f.Frame().Execute(cmd::kPaste));
            QVERIFY2(answers.empty(), c.name);
            const auto [wantSrc, wantDst] = test::AfterPaste(src0, dst0, c.replaced, c.cut);
            QVERIFY2(Snapshot(src) == wantSrc, c.name);
            QVERIFY2(Snapshot(dst) == wantDst, c.name);
            CheckViewsMatchFolder();
        }
        QVERIFY(messages.empty());
    }

    void aVanishedSourceAndAnUnwritableDestinationLoseNothing() {
        MakeFolders("fail");
        f.Doc().SelectAll();
        QVERIFY(f.Frame().Execute(cmd::kCut));
        fs::remove(src + "/a.bmp");  // gone before the paste
        fs::remove(dst + "/b.bmp");
        fs::create_directory(dst + "/b.bmp");
        const test::Tree src0 = Snapshot(src), dst0 = Snapshot(dst);
        f.Doc().GoTo(dst);
        answers = {Answer::kYes};
        QVERIFY(f.Frame().Execute(cmd::kPaste));
        QCOMPARE(messages.size(), size_t(2));
        QVERIFY(messages[0].find(FormatString(20502, "a.bmp")) != std::string::npos);
        QVERIFY(messages[1].find(LoadString(20504)) != std::string::npos);
        QVERIFY(Snapshot(src) == src0);
        QVERIFY(Snapshot(dst) == dst0);
        CheckViewsMatchFolder();
        messages.clear();
    }

    void deleteDuplicateRenameAndReorder() {
        MakeFolders("edit");
        const test::Tree src0 = Snapshot(src);
        f.Doc().SelectAll();
        answers = {Answer::kNo, Answer::kCancel};
        QVERIFY(f.Frame().Execute(cmd::kDelete));
        QVERIFY(Snapshot(src) == src0);
        f.SelectOnly(0);
        QVERIFY(f.Frame().Execute(cmd::kDuplicate));
        QCOMPARE(Snapshot(src)["Copy of a.bmp.ink"], src0.at("a.bmp.ink"));
        // Rename: a refused name stays in the dialog with its reason; a good one is applied.
        f.SelectOnly(0);
        names = {"x?.bmp", "b.bmp", "c.bmp"};
        QVERIFY(f.Frame().Execute(cmd::kRename));
        QVERIFY(refusal.startsWith(QString::fromStdString(FieldItem(LoadString(46030), 0))));
        QCOMPARE(Snapshot(src)["c.bmp.txt"], src0.at("a.bmp.txt"));
        f.SelectOnly(1);
        answers = {Answer::kYes};
        QVERIFY(f.Frame().Execute(cmd::kDelete));
        QCOMPARE(Snapshot(src).count("b.bmp.wav"), size_t(0));
        CheckViewsMatchFolder();
        // Reorder by hand: Last on the first row; Cancel keeps the order.
        const std::vector<std::string> before = f.Names();
        for (const bool ok : {false, true}) {
            reorderAccepted = ok;
            QVERIFY(f.Frame().Execute(cmd::kReorderByUser));
        }
        QCOMPARE(f.Names(), (std::vector<std::string>{before[1], before[0]}));
        QVERIFY2(messages.empty(), messages.empty() ? "" : messages[0].c_str());
    }
};

}  // namespace xelo

QTEST_MAIN(xelo::FileCommandsWindowTest)
#include "FileCommandsWindowTest.moc"
