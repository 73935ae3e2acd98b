// The external display in the window, through the virtual display plug-in: VGA Slide Show and
// VGA Filmstrip present what they should, in order, with a clean screen between modes; the VGA
// page lists the modes and keeps its rules; without plug-ins the page is greyed and the VGA modes
// report the missing device.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QTest>
#include <cstdlib>
#include <filesystem>

#include "album/AlbumFixture.h"
#include "base/ViewModes.h"
#include "command/CommandIds.h"
#include "frame/MainFrame.h"
#include "gui/GuiFixture.h"
#include "output/OutputPlugins.h"
#include "output/VgaSettings.h"
#include "platform/MessageBox.h"
#include "prefs/VgaPage.h"
#include "support/PngReference.h"
#include "support/TempDir.h"

namespace xelo {

using test::GuiFixture;

namespace {

// Three grey pictures, 30, 128 and 220, named in album order.
void WriteGreys(GuiFixture& f) {
    const uint8_t greys[] = {30, 128, 220};
    for (int i = 0; i < 3; ++i)
        test::WriteImage(f.Folder(), "img0" + std::to_string(i + 1) + ".bmp", 64, 48, greys[i]);
}

// The grey in the middle of every picture the virtual display wrote, in order (-1 for a size
// other than 640 x 480).
std::vector<int> Presented(const std::filesystem::path& folder) {
    std::vector<int> greys;
    test::RgbaImage image;
    for (int n = 1; test::ReadPng(folder / QString::asprintf("%06d.png", n).toStdString(), image);
         ++n) {
        greys.push_back(image.width == 640 && image.height == 480 ? image.At(320, 240)[1] : -1);
    }
    return greys;
}

// The 16-bit surface keeps six bits of green: a grey comes back within 4.
bool Near(const std::vector<int>& got, const std::vector<int>& want) {
    if (got.size() != want.size()) return false;
    for (size_t i = 0; i < got.size(); ++i)
        if (std::abs(got[i] - want[i]) > 4) return false;
    return true;
}

}  // namespace

class VgaWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { setenv("XELO_VIRTUAL_DISPLAY_DIR", shots_.Path().c_str(), 1); }
    void cleanup() {
        unsetenv("XELO_VIRTUAL_DISPLAY_DIR");
        for (const auto& e : std::filesystem::directory_iterator(shots_.Path()))
            std::filesystem::remove(e.path());
    }

    void vgaSlideShowPresentsTheVisibleSlidesInAlbumOrder() {
        GuiFixture f;
        WriteGreys(f);
        f.Start();
        f.SelectOnly(1);
        QVERIFY(f.Frame().Execute(cmd::kHideSlide));
        f.App().Prefs().vgaOut.Set(output::kVgaReduction, 1);
        f.App().Prefs().SaveVgaOut(f.Store());
        f.Stop();
        f.Start({"-vs", f.Folder()});
        QCOMPARE(f.App().ViewMode(), int(kModeVgaSlideShow));
        QVERIFY(f.Frame().Execute(cmd::kSlideNext));
        f.Stop();  // the clean screen at the end
        QVERIFY2(Near(Presented(shots_.Path()), {30, 220, 0}), "slides 1 and 3, then black");
    }

    void vgaFilmstripPresentsThePictureAndPageKeysStepIt() {
        GuiFixture f;
        WriteGreys(f);
        f.Start({"-v", f.Folder() + "/img02.bmp"});
        QCOMPARE(f.App().ViewMode(), int(kModeVgaFilmstrip));
        f.Frame().activateWindow();
        QApplication::setActiveWindow(&f.Frame());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
        // VGA Slide Show from here starts on the current picture after a clean screen.
        QVERIFY(f.Frame().Execute(cmd::kVgaSlideShow));
        QVERIFY(f.Frame().Execute(cmd::kThumbnail));
        QVERIFY2(Near(Presented(shots_.Path()), {128, 220, 128, 0, 128, 0}),
                 "the picture, next, back, black, the first slide, black");
    }

    void theVgaPageListsModesAndKeepsItsRules() {
        CPreferences prefs;
        CPrefSheet sheet(prefs);
        auto* page = new CVOESlidePage(sheet.Working(), output::OutputPlugins(), &sheet);
        sheet.AddPage(page, QStringLiteral("VGA"));
        QCOMPARE(page->TypeBox()->count(), 0);  // asked only when the page is shown
        sheet.show();
        QTRY_COMPARE(page->TypeBox()->count(), 1);
        QCOMPARE(page->DeviceBox()->currentText(), QStringLiteral("Virtual Display"));
        QCOMPARE(page->TypeBox()->currentText(), QStringLiteral("VGA"));
        QCOMPARE(page->ModeBox()->itemText(0), QStringLiteral("640x480x64k @ 60Hz"));
        QCOMPARE(page->ModeBox()->itemText(1), QStringLiteral("640x480x16384k @ 60Hz"));
        QVERIFY(page->DitherBox()->isEnabled());
        page->DitherBox()->setChecked(true);
        page->ModeBox()->setCurrentIndex(1);
        emit page->ModeBox()->activated(1);
        QVERIFY(!page->DitherBox()->isEnabled());
        sheet.accept();
        const VgaOutBlock& vga = sheet.Working().vgaOut;
        QCOMPARE(vga.Get(output::kVgaReduction), 1u);
        QCOMPARE(vga.Get(vga::kDepth), 24u);
        QCOMPARE(VgaPluginName(vga), std::string("Virtual Display"));
    }

    // Last: the plug-ins go.
    void withoutPluginsThePageIsGreyAndTheVgaModesReportTheDevice() {
        output::OutputPlugins().Unload();
        std::vector<std::string> said;
        const MessageReporter previous = SetMessageReporter(
            [&said](QWidget*, const std::string& text) { said.push_back(text); });
        GuiFixture f;
        WriteGreys(f);
        f.Start({"-vs", f.Folder()});
        QCOMPARE(f.App().ViewMode(), int(kModeThumbnail));
        f.Frame().Execute(cmd::kVgaSlideShow);
        f.Frame().Execute(cmd::kVgaFilmstrip);
        SetMessageReporter(previous);
        const std::string noDevice =
            "VGA device detection error.\nPlease make sure a VGA device had been properly installed.";
        QCOMPARE(said, std::vector<std::string>(3, noDevice));
        QCOMPARE(f.App().ViewMode(), int(kModeThumbnail));
        CPrefSheet sheet(f.App().Prefs());
        CVOESlidePage page(sheet.Working(), output::OutputPlugins());
        QVERIFY(!page.DeviceBox()->isEnabled() && !page.ModeBox()->isEnabled() &&
                !page.DitherBox()->isEnabled());
    }

  private:
    test::TempDir shots_;
};

}  // namespace xelo

int main(int argc, char** argv) {
    // The probe forks: plug-ins are found before Qt starts threads.
    xelo::output::OutputPlugins().Discover({XELO_TEST_PLUGIN_DIR});
    QApplication application(argc, argv);
    xelo::VgaWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "VgaWindowTest.moc"
