// Notes, audio and ink in a running window: strokes drawn with the pointer, their file and mark,
// the same stroke at another zoom and turn, Merge Ink, the Text Note dialog, the audio player.
#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QMediaPlayer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "album/UserPrompt.h"
#include "album/WaveFile.h"
#include "app/TavoApp.h"
#include "base/ViewModes.h"
#include "codec/ImageFile.h"
#include "command/CommandIds.h"
#include "command/ToolModes.h"
#include "frame/AudioPlayerDialog.h"
#include "frame/AudioRecorderDialog.h"
#include "frame/MainFrame.h"
#include "frame/NoteCommands.h"
#include "frame/TextNoteDialog.h"
#include "gui/AnsweringPrompt.h"
#include "gui/GuiFixture.h"
#include "ink/InkMerge.h"
#include "platform/HelpTopics.h"
#include "platform/MessageBox.h"
#include "settings/PrefLayout.h"
#include "settings/Preferences.h"
#include "support/RunCommand.h"
#include "views/SlideInk.h"
#include "views/TavoImgView.h"
#include "views/ZoomScale.h"

namespace xelo {

using test::GuiFixture;

namespace {

bool Exists(const std::string& path) {
    return std::filesystem::exists(path);
}

// The pixels of a decoded file, row after row.
std::vector<uint8_t> Pixels(const std::string& path) {
    CImageFrames frames;
    CImageFile().LoadFirstFrame(path, frames);
    const CDibImage& image = frames.frames.at(0)->image;
    std::vector<uint8_t> bytes;
    for (int y = 0; y < image.Height(); ++y)
        bytes.insert(bytes.end(), image.Row(y), image.Row(y) + image.Width() * 3);
    return bytes;
}

// A stroke through `points` (window coordinates) with the left button.
void Draw(QWidget* view, const std::vector<QPoint>& points) {
    QTest::mousePress(view, Qt::LeftButton, {}, points.front());
    for (size_t i = 1; i < points.size(); ++i)
        QTest::mouseMove(view, points[i]);
    QTest::mouseRelease(view, Qt::LeftButton, {}, points.back());
}

class Window : public GuiFixture {
  public:
    Window() {
        MakeImages(3, 120, 80);
        Start();
        Frame().NoteCommands()->SetPrompt(&prompt);
        Prefs().uiInfo.Set(ui::kInkWidth, 3);
        Prefs().uiInfo.Set(ui::kInkColour, 0x0000FF);
        Frame().Execute(cmd::kFilmstrip);
        Frame().Execute(cmd::kAnnotationTools);
    }
    CPreferences& Prefs() { return App().Prefs(); }
    CTavoImgView& Image() { return *Frame().ImgView(); }
    std::string Path(const std::string& name) { return Folder() + "/" + name; }

    test::AnsweringPrompt prompt{Answer::kYes};
};

}  // namespace

class NotesTest : public QObject {
    Q_OBJECT

  private slots:

    void aTapLeavesNoStrokeAndUndoingTheLastDeletesTheFileAndMark() {
        Window w;
        CTavoImgView& view = w.Image();
        const QPoint centre = view.rect().center();
        Draw(&view, {centre, centre});
        QCOMPARE(view.PictureInk().Count(), 0);
        QVERIFY(!Exists(w.Path("img01.bmp.ink")));
        QVERIFY(!w.Frame().QueryState(cmd::kUndoLastStroke).enabled);

        Draw(&view, {centre, centre + QPoint(10, 0), centre + QPoint(10, 10)});
        QCOMPARE(view.PictureInk().Count(), 1);
        QVERIFY(Exists(w.Path("img01.bmp.ink")));
        QVERIFY(w.Doc().EntryAt(0)->Annotations(w.Folder()) & kEntryHasInk);

        QVERIFY(w.Frame().Execute(cmd::kUndoLastStroke));
        QCOMPARE(view.PictureInk().Count(), 0);
        QVERIFY(!Exists(w.Path("img01.bmp.ink")));
        QVERIFY(!(w.Doc().EntryAt(0)->Annotations(w.Folder()) & kEntryHasInk));
    }

    void strokesFollowThePictureAcrossZoomAndTurnsAndComeBackWithIt() {
        Window w;
        CTavoImgView& view = w.Image();
        const std::string image = w.Path("img01.bmp");
        // Picture pixels with odd coordinates: at 50 % each window pixel shows exactly one.
        const std::vector<QPoint> stroke = {{21, 21}, {41, 31}, {61, 51}, {91, 41}};

        QVERIFY(w.Frame().Execute(cmd::kActualSize));
        std::vector<QPoint> upright;
        for (const QPoint& p : stroke)
            upright.push_back(p - QPoint(view.Offset().x, view.Offset().y));
        Draw(&view, upright);
        MergeInkIntoImage(image, view.PictureInk(), w.Path("a.bmp"));
        QVERIFY(w.Frame().Execute(cmd::kEraseAllStrokes));
        QVERIFY(!Exists(image + ".ink"));

        // A quarter turn clockwise at 50 %: picture (x, y) shows at ((79 − y) / 2, (x − 1) / 2).
        QVERIFY(w.Frame().Execute(cmd::kRotateRight));
        int half = 0;
        for (int id = cmd::kZoomOutFirst; id <= cmd::kZoomOutLast; ++id)
            if (ZoomStepPercent(id) == 50) half = id;
        QVERIFY(w.Frame().Execute(half));
        QCOMPARE(view.Displayed(), (Size{40, 60}));
        std::vector<QPoint> turned;
        for (const QPoint& p : stroke)
            turned.push_back(
                QPoint((79 - p.y()) / 2 - view.Offset().x, (p.x() - 1) / 2 - view.Offset().y));
        Draw(&view, turned);
        MergeInkIntoImage(image, view.PictureInk(), w.Path("b.bmp"));
        QVERIFY(Pixels(w.Path("a.bmp")) != Pixels(image));
        QVERIFY(Pixels(w.Path("a.bmp")) == Pixels(w.Path("b.bmp")));

        // The layer goes to its file when the picture is left and comes back with it.
        w.SelectOnly(1);
        QCOMPARE(view.PictureInk().Count(), 0);
        w.SelectOnly(0);
        QCOMPARE(view.PictureInk().Count(), 1);
    }

    void mergeInkWorksInFilmstripOnlyAndKeepsTheInkWhenTheWriteFails() {
        Window w;
        CTavoImgView& view = w.Image();
        const QPoint c = view.rect().center();
        Draw(&view, {c, c + QPoint(8, 3)});
        const std::vector<uint8_t> before = Pixels(w.Path("img01.bmp"));
        w.Frame().Execute(cmd::kFullScreen);
        QVERIFY(!w.Frame().QueryState(cmd::kMergeInk).enabled);
        w.Frame().Execute(cmd::kFilmstrip);
        QVERIFY(w.Frame().QueryState(cmd::kMergeInk).enabled);

        // A folder nobody may write to, root included.
        std::vector<std::string> messages;
        const MessageReporter old =
            SetMessageReporter([&](QWidget*, const std::string& t) { messages.push_back(t); });
        std::filesystem::permissions(w.Folder(), std::filesystem::perms::owner_read |
                                                     std::filesystem::perms::owner_exec);
        test::RunCommand("chattr +i '" + w.Folder() + "' 2>/dev/null");
        const bool locked = !std::ofstream(w.Path("probe"));
        if (locked) {
            QVERIFY(w.Frame().Execute(cmd::kMergeInk));
            QCOMPARE(messages.size(), size_t{1});
            QVERIFY(Exists(w.Path("img01.bmp.ink")));
            QVERIFY(Pixels(w.Path("img01.bmp")) == before);
        }
        test::RunCommand("chattr -i '" + w.Folder() + "' 2>/dev/null");
        std::filesystem::permissions(w.Folder(), std::filesystem::perms::owner_all);
        std::filesystem::remove(w.Path("probe"));

        QVERIFY(w.Frame().Execute(cmd::kMergeInk));
        SetMessageReporter(old);
        QVERIFY(!Exists(w.Path("img01.bmp.ink")));
        QCOMPARE(view.PictureInk().Count(), 0);
        QVERIFY(Pixels(w.Path("img01.bmp")) != before);
        if (!locked) QSKIP("no folder could be made read-only here");
    }

    void theInkColourBoxHasItsHelpAndSetsThePenColour() {
        Window w;
        std::vector<QString> topics;
        const HelpOpener previous =
            SetHelpOpener([&topics](const QString& topic) { topics.push_back(topic); });
        QColor offered;
        w.Frame().runDialog = [&offered](QDialog& dialog) {
            auto* colours = qobject_cast<QColorDialog*>(&dialog);
            if (colours == nullptr) return int(QDialog::Rejected);
            offered = colours->currentColor();
            colours->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help)->click();
            colours->setCurrentColor(QColor(0x12, 0x34, 0x56));
            colours->accept();
            return colours->result();
        };
        QVERIFY(w.Frame().Execute(cmd::kPickInkColor));
        SetHelpOpener(previous);
        QCOMPARE(offered, QColor(0xFF, 0, 0));  // stored as red in the low byte
        QCOMPARE(topics, std::vector<QString>{QStringLiteral("Ink-Color")});
        QCOMPARE(w.Prefs().uiInfo.Get(ui::kInkColour), 0x563412u);

        w.Frame().runDialog = [](QDialog&) { return int(QDialog::Rejected); };
        QVERIFY(w.Frame().Execute(cmd::kPickInkColor));
        QCOMPARE(w.Prefs().uiInfo.Get(ui::kInkColour), 0x563412u);
    }

    void theTextNoteDialogStepsSavesAndDeletesNotes() {
        Window w;
        w.Frame().Execute(cmd::kThumbnail);
        // img01 has a UTF-16LE note, img02 a UTF-8 one.
        std::ofstream(w.Path("img01.bmp.txt"), std::ios::binary)
            .write("\xFF\xFE" "a\0\xE9\0\r\0\n\0b\0", 12);
        std::ofstream(w.Path("img02.bmp.txt"), std::ios::binary) << "old";
        w.SelectOnly(0);
        QStringList seen;  // what the dialog showed, step by step
        bool ends = false;
        w.Frame().runDialog = [&](QDialog& d) {
            auto& dialog = static_cast<CTextNoteDialog&>(d);
            seen << dialog.NoteEdit()->toPlainText();
            ends = !dialog.PreviousButton()->isEnabled();
            dialog.AutoSaveBox()->setChecked(true);
            dialog.NoteEdit()->setPlainText(QStringLiteral("x\ny"));
            dialog.Step(1);  // saved without asking
            seen << dialog.NoteEdit()->toPlainText();
            dialog.NoteEdit()->clear();
            dialog.AutoSaveBox()->setChecked(false);
            dialog.Step(1);  // asked, then the empty note deletes the file
            ends = ends && !dialog.NextButton()->isEnabled();
            return static_cast<int>(QDialog::Rejected);
        };
        QVERIFY(w.Frame().Execute(cmd::kEditText));
        QCOMPARE(seen, (QStringList{QString::fromUtf8("a\u00e9\nb"), QStringLiteral("old")}));
        QVERIFY(ends);
        std::ifstream first(w.Path("img01.bmp.txt"), std::ios::binary);
        QCOMPARE(std::string(std::istreambuf_iterator<char>(first), {}), std::string("x\r\ny"));
        QCOMPARE(w.prompt.asked.size(), size_t{1});
        QVERIFY(!Exists(w.Path("img02.bmp.txt")));
        QVERIFY(!(w.Doc().EntryAt(1)->Annotations(w.Folder()) & kEntryHasText));

        // Remove > Text asks once with Yes to All offered for the whole selection.
        w.Doc().SelectAll();
        w.prompt.answer = Answer::kYesToAll;
        QVERIFY(w.Frame().Execute(cmd::kRemoveText));
        QVERIFY(!Exists(w.Path("img01.bmp.txt")));
        QVERIFY(!w.Frame().QueryState(cmd::kRemoveText).enabled);
    }

    void aTapOnAPlayingShowStopsItAndSlideInkIsGoneWithTheSlide() {
        CSlideInk ink;
        const PictureGeometry g{{100, 80}, {100, 80}, {0, 0}, 0};
        const LtPen pen{0, 2, 0xFF};
        QCOMPARE(ink.Press({10, 10}, g, pen, true, false, true), CSlideInk::PressResult::kStopShow);
        QVERIFY(!ink.Release({10, 10}, g));
        QCOMPARE(ink.Press({10, 10}, g, pen, false, false, false), CSlideInk::PressResult::kIgnored);
        QCOMPARE(ink.Press({10, 10}, g, pen, false, false, true), CSlideInk::PressResult::kDrawing);
        ink.Move({20, 15}, g);
        QVERIFY(ink.Release({30, 15}, g));
        QCOMPARE(ink.Layer().Count(), 1);
        ink.NewSlide();
        QCOMPARE(ink.Layer().Count(), 0);
    }

    void aWrittenNoteIsAValidWaveThatThePlayerReadsAndNoDeviceWritesNothing() {
        test::TempDir dir;
        const std::string path = dir.File("a.bmp.wav");
        const WaveFormat format{1, 8000, 16, false};
        WriteWaveFile(path, format, std::vector<uint8_t>(16000, 0));  // one second of silence
        const test::CommandRun check = test::RunCommand(
            "python3 -c \"import wave; w = wave.open('" + path +
            "'); print(w.getnchannels(), w.getframerate(), w.getsampwidth(), w.getnframes())\"");
        QCOMPARE(check.out, std::string("1 8000 2 8000\n"));
        CAudioPlayerDialog player(QString::fromStdString(path), false);
        QTRY_VERIFY_WITH_TIMEOUT(std::abs(player.Player()->duration() - 1000) < 50, 10000);

        // Select Audio copies the chosen file as the note; choosing the note itself does nothing.
        Window w;
        QString chosen = QString::fromStdString(path);
        w.Frame().NoteCommands()->chooseAudioFile = [&] { return chosen; };
        QVERIFY(w.Frame().Execute(cmd::kSelectAudio));
        const std::string note = w.Path("img01.bmp.wav");
        QVERIFY(w.Doc().EntryAt(0)->Annotations(w.Folder()) & kEntryHasAudio);
        std::filesystem::remove(path);
        chosen = QString::fromStdString(note);
        struct stat before {}, after {};
        ::stat(note.c_str(), &before);
        QVERIFY(w.Frame().Execute(cmd::kSelectAudio));
        ::stat(note.c_str(), &after);
        QCOMPARE(after.st_ino, before.st_ino);  // not copied over itself
        std::filesystem::remove(note);

        if (CAudioRecorderDialog::InputAvailable()) QSKIP("this machine can record");
        std::vector<std::string> messages;
        const MessageReporter old =
            SetMessageReporter([&](QWidget*, const std::string& t) { messages.push_back(t); });
        QVERIFY(w.Frame().Execute(cmd::kRecordAudio));
        SetMessageReporter(old);
        QCOMPARE(messages.size(), size_t{1});
        QVERIFY(!Exists(w.Path("img01.bmp.wav")));
    }
};

}  // namespace xelo

QTEST_MAIN(xelo::NotesTest)
#include "NotesTest.moc"
