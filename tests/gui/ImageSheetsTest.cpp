// The save sheet and the Image Info sheet driven through the frame's commands.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "album/TavoDoc.h"
#include "codec/JpegCodec.h"
#include "command/CommandIds.h"
#include "frame/MainFrame.h"
#include "gui/GuiFixture.h"
#include "imageui/InfoPages.h"
#include "platform/MessageBox.h"

namespace xelo {

using test::GuiFixture;

class ImageSheetsTest : public QObject {
    Q_OBJECT

  private slots:
    void SaveSheetPresetsFormatsAndTheAlbum() {
        GuiFixture f;
        f.MakeImages(2, 1600, 1200);
        f.Start();
        std::vector<std::string> messages;
        const MessageReporter previous = SetMessageReporter(
            [&messages](QWidget*, const std::string& text) { messages.push_back(text); });
        // Qt's checks return from the void lambda on failure; the sheet then closes.
        auto check = [&](QDialog& sheet) {
            auto* preset = sheet.findChild<QComboBox*>(QStringLiteral("preset"));
            QCOMPARE(sheet.findChild<QTabWidget*>()->currentIndex(), 2);
            preset->setCurrentIndex(0);  // Fit to screen on the 240 x 320 screen
            QCOMPARE(sheet.findChild<QSpinBox*>(QStringLiteral("width"))->value(), 240);
            QCOMPARE(sheet.findChild<QSpinBox*>(QStringLiteral("height"))->value(), 180);
            sheet.findChild<QAbstractButton*>(QStringLiteral("bmp"))->click();
            sheet.findChild<QComboBox*>(QStringLiteral("bmpList"))->setCurrentIndex(3);
            sheet.findChild<QLineEdit*>(QStringLiteral("appendage"))->setText(QStringLiteral("_s"));
            QVERIFY(sheet.findChild<QLabel*>(QStringLiteral("outputName"))
                        ->text()
                        .endsWith(QStringLiteral("/img01_s.bmp")));
            sheet.findChild<QPushButton*>(QStringLiteral("resize"))->click();
        };
        f.Frame().runDialog = [&](QDialog& sheet) {
            check(sheet);
            return int(QDialog::Rejected);
        };
        QVERIFY(f.Frame().Execute(cmd::kResize));
        SetMessageReporter(previous);
        QCOMPARE(f.Names().back(), std::string("img01_s.bmp"));
        QCOMPARE(f.Doc().EntryAt(2)->Header().width, 240);
        QCOMPARE(f.Doc().EntryAt(2)->Header().bitsPerPixel, 24);
        QCOMPARE(int(messages.size()), 1);
    }

    void ImageInfoOfAGreyJpegWithoutExif() {
        GuiFixture f;
        {
            CDibImage grey;
            grey.Create(64, 48, 1, false);
            for (int i = 0; i < 256; ++i) {
                grey.Palette()->entries[i] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
            }
            for (int y = 0; y < 48; ++y) grey.Row(y)[y] = 200;
            WriteJpeg(JpegWriterSettings{}, f.Folder() + "/grey.jpg", grey, 100);
        }
        f.Start();
        auto check = [&](QDialog& sheet) {
            QCOMPARE(sheet.findChild<QLabel*>(QStringLiteral("colors"))->text(),
                     QStringLiteral("Grayscale"));
            QVERIFY(!sheet.findChild<QPushButton*>(QStringLiteral("colorTable"))->isEnabled());
            auto* pages = sheet.findChild<QTabWidget*>();
            pages->setCurrentIndex(4);
            QCOMPARE(sheet.findChild<QTreeWidget*>(QStringLiteral("metadata"))->topLevelItemCount(), 0);
            pages->setCurrentIndex(5);
            for (const char* field : {"shootingDate", "exposureTime", "apertureValue"}) {
                QCOMPARE(sheet.findChild<QLabel*>(QString::fromUtf8(field))->text(),
                         QStringLiteral("N/A"));
            }
            const HistogramBins& bins = sheet.findChild<CHistoPage*>()->Bins();
            uint64_t total = 0;
            for (uint32_t count : bins) total += count;
            QCOMPARE(total, uint64_t{64 * 48});
            QVERIFY(bins[0] > 0 && bins[0] < 64 * 48);
            QVERIFY(!sheet.findChild<QPushButton*>(QStringLiteral("previous"))->isEnabled());
        };
        f.Frame().runDialog = [&](QDialog& sheet) {
            check(sheet);
            return int(QDialog::Rejected);
        };
        QVERIFY(f.Frame().Execute(cmd::kImageInfo));
    }
};

}  // namespace xelo

QTEST_MAIN(xelo::ImageSheetsTest)
#include "ImageSheetsTest.moc"
