// The Options sheet: the General page shows its fields and stores them only on OK, the sheet
// opens on the mode's page, the window takes a changed camera orientation up at once, VGA
// shortcuts need an output plug-in, and every help topic has its anchor in the help file.
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
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

QString PageOf(QDialog& d) {
    return QString::fromLatin1(
        static_cast<CPrefSheet&>(d).CurrentPage()->metaObject()->className());
}

}  // namespace

class OptionsSheetTest : public QObject {
    Q_OBJECT

  private slots:
    void GeneralPageStoresItsControlsOnlyOnOk() {
        CPreferences prefs;
        PreferencesBlock& b = prefs.preferences;
        b.Set(pref::kGifSpeed, 2);
        b.Set(pref::kDefaultZoom, 1);
        b.Set(pref::kColourOptimisation, 3);
        b.Set(pref::kStartMode, uint8_t{5});
        b.Set(pref::kAutoRotateLeft, 0);
        b.Set(pref::kHideToolBarFullScreen, 1);
        b.Set(pref::kUpDownBrowse, 0);
        prefs.home = "/pictures";
        prefs.framePath = "/";  // the Frame page's folder must exist
        prefs.cameraOrientation = false;
        const PreferencesBlock stored = b;
        for (const bool ok : {false, true}) {
            QStringList shown;
            EditOptions(prefs, OptionsContext{}, nullptr, [&](QDialog& d) {
                shown = Shown(d);
                for (const char* list : {"animationSpeed", "defaultZoom", "colourOptimisation"})
                    d.findChild<QComboBox*>(list)->setCurrentIndex(
                        d.findChild<QComboBox*>(list)->count() - 1);
                d.findChild<QComboBox*>("startMode")->setCurrentIndex(0);
                for (const char* box : {"rotateLeft", "upDownBrowse", "cameraOrientation"})
                    d.findChild<QAbstractButton*>(box)->setChecked(true);
                d.findChild<QAbstractButton*>("hideToolBar")->setChecked(false);
                d.findChild<QLineEdit*>("home")->setText("/elsewhere");
                ok ? d.accept() : d.reject();
                return d.result();
            });
            QCOMPARE(shown, QStringList({"Slower", "Fit in window", "12-bit", "Slide Show mode",
                                         "off", "on", "off", "off", "/pictures"}));
            if (!ok)
                QVERIFY(b.Bytes() == stored.Bytes() && prefs.home == "/pictures" &&
                        !prefs.cameraOrientation);
        }
        const uint32_t chosen[] = {
            b.Get(pref::kGifSpeed),           b.Get(pref::kDefaultZoom),
            b.Get(pref::kColourOptimisation), b.Get(pref::kStartMode),
            b.Get(pref::kAutoRotateLeft),     b.Get(pref::kHideToolBarFullScreen),
            b.Get(pref::kUpDownBrowse)};
        QCOMPARE(std::vector<uint32_t>(std::begin(chosen), std::end(chosen)),
                 std::vector<uint32_t>({3, 2, 4, 0, 1, 0, 1}));
        QVERIFY(prefs.home == "/elsewhere" && prefs.cameraOrientation);
    }

    void SheetOpensOnTheModesPage() {
        const std::pair<int, const char*> rows[] = {{kModeThumbnail, "xelo::CGeneralPage"},
                                                    {kModeFilmstrip, "xelo::CGeneralPage"},
                                                    {kModeFullScreen, "xelo::CFramePage"},
                                                    {kModeSlideShowView, "xelo::CSlidePage"},
                                                    {kModeVgaSlideShow, "xelo::CSlidePage"}};
        for (const auto& [mode, page] : rows) {
            CPreferences prefs;
            QString shown;
            EditOptions(prefs, OptionsContext{{240, 320}, mode, {}}, nullptr, [&](QDialog& d) {
                shown = PageOf(d);
                return QDialog::Rejected;
            });
            QCOMPARE(shown, QString::fromLatin1(page));
        }
    }

    // Turning the camera's orientation off remakes the thumbnail upright-as-stored at once; in
    // Full Screen the sheet opens on the Frame page; Help opens the page's topic.
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
            page = PageOf(d);
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

        w.Frame().SwitchMode(kModeFullScreen);
        QVERIFY(w.Frame().Execute(cmd::kOptions));
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
        QSet<QString> anchors;
        const QRegularExpression anchor(QStringLiteral("\\b(?:id|name)\\s*=\\s*\"([^\"]+)\""));
        for (const auto& m : anchor.globalMatch(QString::fromUtf8(file.readAll())))
            anchors.insert(m.captured(1));
        for (const std::string& topic : HelpTopics())
            QVERIFY2(anchors.contains(QString::fromStdString(topic)), topic.c_str());
    }
};

}  // namespace xelo

QTEST_MAIN(xelo::OptionsSheetTest)
#include "OptionsSheetTest.moc"
