// The Options sheet: the General page shows its fields and stores them only on OK, the window
// opens the sheet on the mode's page and takes a changed camera orientation up at once, VGA
// shortcuts need an output plug-in, and every help topic has its anchor in the help file.
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>
#include <filesystem>

#include "base/Registry.h"
#include "base/ViewModes.h"
#include "codec/DecodeSettings.h"
#include "command/CommandIds.h"
#include "frame/InstalledData.h"
#include "frame/MainFrame.h"
#include "frame/ShortcutDialog.h"
#include "gui/GuiFixture.h"
#include "platform/HelpTopics.h"
#include "prefs/PrefSheet.h"
#include "settings/PluginCatalog.h"
#include "support/TestData.h"

namespace xelo {

namespace {

// What the General page shows: the four lists, the four boxes, the home folder.
QStringList Shown(QDialog& d) {
    QStringList shown;
    for (const char* list : {"animationSpeed", "defaultZoom", "colourOptimisation", "startMode"})
        shown << d.findChild<QComboBox*>(list)->currentText();
    for (const char* box : {"rotateLeft", "hideToolBar", "upDownBrowse", "cameraOrientation"})
        shown << (d.findChild<QAbstractButton*>(box)->isChecked() ? "on" : "off");
    return shown << d.findChild<QLineEdit*>("home")->text();
}

}  // namespace

class OptionsSheetTest : public QObject {
    Q_OBJECT

  private slots:
    void GeneralPageStoresItsControlsOnlyOnOk() {
        CPreferences prefs;
        PreferencesBlock& b = prefs.preferences;
        // Each field: the value stored, and the value the controls are set to.
        const std::tuple<BitField, uint32_t, uint32_t> bits[] = {
            {pref::kGifSpeed, 2, 3},
            {pref::kDefaultZoom, 1, 2},
            {pref::kAutoRotateLeft, 0, 1},
            {pref::kHideToolBarFullScreen, 1, 0},
            {pref::kUpDownBrowse, 0, 1}};
        for (const auto& [field, stored, chosen] : bits)
            b.Set(field, stored);
        b.Set(pref::kColourOptimisation, 3);
        b.Set(pref::kStartMode, uint8_t{5});
        prefs.home = "/pictures";
        prefs.cameraOrientation = false;
        prefs.framePath = "/";  // the Frame page's folder must exist
        const PreferencesBlock before = b;
        for (const bool ok : {false, true}) {
            QStringList shown;
            QString opened;  // cancelled during a show: on the Slide Show page
            const OptionsContext context{{240, 320}, ok ? kModeList : kModeVgaSlideShow, {}};
            EditOptions(prefs, context, nullptr, [&](QDialog& d) {
                opened = static_cast<CPrefSheet&>(d).CurrentPage()->metaObject()->className();
                shown = Shown(d);
                // Every list to its next item, every box the other way, another home.
                QWidget* page = d.findChild<QLineEdit*>("home")->parentWidget();
                for (auto* list : page->findChildren<QComboBox*>())
                    list->setCurrentIndex((list->currentIndex() + 1) % list->count());
                for (const char* box :
                     {"rotateLeft", "hideToolBar", "upDownBrowse", "cameraOrientation"})
                    d.findChild<QAbstractButton*>(box)->toggle();
                d.findChild<QLineEdit*>("home")->setText("/elsewhere");
                ok ? d.accept() : d.reject();
                return d.result();
            });
            QCOMPARE(shown, QStringList({"Slower", "Fit in window", "12-bit", "Slide Show mode",
                                         "off", "on", "off", "off", "/pictures"}));
            QCOMPARE(b.Bytes() == before.Bytes() && prefs.home == "/pictures", !ok);
            QCOMPARE(opened, ok ? "xelo::CGeneralPage" : "xelo::CSlidePage");
        }
        for (const auto& [field, stored, chosen] : bits)
            QCOMPARE(b.Get(field), chosen);
        QCOMPARE(b.Get(pref::kColourOptimisation), 4u);
        QVERIFY(b.Get(pref::kStartMode) == 0 && prefs.home == "/elsewhere" &&
                prefs.cameraOrientation);
    }

    // Turning the camera's orientation off remakes the thumbnail as stored at once; in Full
    // Screen the sheet opens on the Frame page, and the tool bar can start hidden; Help opens
    // the page's topic.
    void WindowTakesTheOrientationUpAndOpensOnTheModesPage() {
        const auto turned = test::SharedFile("jpeg-exif/exif-py/orientation/landscape_6.jpg");
        if (!std::filesystem::exists(turned)) QSKIP("shared test data not found");
        test::GuiFixture w;
        std::filesystem::copy_file(turned, w.Folder() + "/turned.jpg");
        w.Start();
        w.App().Prefs().framePath = w.Folder();
        const CImageEntry& entry = *w.Doc().EntryAt(0);
        QTRY_VERIFY(entry.Has(kEntryThumbnail));
        QVERIFY(entry.thumbnail.Width() > entry.thumbnail.Height());
        QUrl help;
        w.Frame().openHelp = [&](const QUrl& url) { help = url; };
        QString page;
        w.Frame().runDialog = [&](QDialog& d) {
            page = static_cast<CPrefSheet&>(d).CurrentPage()->metaObject()->className();
            d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help)->click();
            d.findChild<QCheckBox*>("cameraOrientation")->setChecked(false);
            d.accept();
            return d.result();
        };
        QVERIFY(w.Frame().Execute(cmd::kOptions));
        QCOMPARE(page, QStringLiteral("xelo::CGeneralPage"));
        QCOMPARE(help.fragment(), QStringLiteral("General-tab"));
        QCOMPARE(entry.Header().width, 450);
        QTRY_VERIFY(entry.Has(kEntryThumbnail));
        QVERIFY(entry.thumbnail.Width() < entry.thumbnail.Height());
        QCOMPARE(w.Store().ReadString(reg::kPreferences, reg::kCameraOrientation), "0");

        w.App().Prefs().preferences.Set(pref::kHideToolBarFullScreen, 1);
        w.Frame().SwitchMode(kModeFullScreen);
        QVERIFY(w.Frame().ToolBar()->isHidden() && w.Frame().Execute(cmd::kToolBarFullScreen));
        QVERIFY(!w.Frame().ToolBar()->isHidden() && w.Frame().Execute(cmd::kOptions));
        QCOMPARE(page, QStringLiteral("xelo::CFramePage"));
        QCOMPARE(help.fragment(), QStringLiteral("Frame-tab"));
        SetCameraOrientationEnabled(true);
    }

    void VgaShortcutsNeedAnOutputPlugin() {
        struct OneOutput : NoPlugins {
            int OutputCount() const override { return 1; }
        } const one;
        const NoPlugins none;
        test::TempDir dir;
        const CDesktopShortcuts shortcuts("/usr/bin/xelo_album", dir.File("a"), dir.File("d"));
        for (const bool installed : {false, true}) {
            CShortcutDialog d(shortcuts, "/pictures", "a.jpg", installed ? one : none);
            QCOMPARE(d.Mode()->findText("VGA Slide Show mode") >= 0, installed);
            d.ImageKind()->setChecked(true);
            QCOMPARE(d.Mode()->findText("VGA Filmstrip mode") >= 0, installed);
        }
    }

    void EveryHelpTopicHasItsAnchor() {
        QFile file(HelpFilePath());
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QString html = QString::fromUtf8(file.readAll());
        for (const std::string& topic : HelpTopics()) {
            const QString id = QStringLiteral("id=\"%1\"").arg(QString::fromStdString(topic));
            QVERIFY2(html.contains(id), topic.c_str());
        }
    }
};

}  // namespace xelo

QTEST_MAIN(xelo::OptionsSheetTest)
#include "OptionsSheetTest.moc"
