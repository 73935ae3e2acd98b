// The Misc page of the Options sheet: the gamma slider's rules and what the page stores.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTest>

#include "prefs/MiscPage.h"
#include "settings/PrefLayout.h"
#include "settings/Preferences.h"

namespace xelo {

class MiscPageTest : public QObject {
    Q_OBJECT

  private slots:
    void GammaSliderKeepsItsRangeAndThePageStoresIt() {
        CPreferences prefs;
        prefs.preferences.Set(pref::kGamma, 157u);
        CMiscPage page(prefs);
        QCOMPARE(page.GammaSlider()->value(), 15);
        QCOMPARE(page.GammaLabel()->text(), QStringLiteral("1.57"));
        const struct {
            int position;
            const char* label;
            uint32_t gamma;
        } moves[] = {{0, "0.01", 1}, {30, "3.00", 300}, {7, "0.70", 70}};
        for (const auto& m : moves) {
            page.GammaSlider()->setValue(m.position);
            QCOMPARE(page.GammaLabel()->text(), QString::fromLatin1(m.label));
            page.Store();
            QCOMPARE(prefs.preferences.Get(pref::kGamma), m.gamma);
        }
        page.findChild<QLineEdit*>()->setText(QStringLiteral(" \"/usr/bin/editor\" -open %1 "));
        page.findChild<QCheckBox*>()->setChecked(!prefs.preferences.IsSet(pref::kApplyGamma));
        const bool gammaOn = page.findChild<QCheckBox*>()->isChecked();
        page.Store();
        QCOMPARE(prefs.editTool, std::string("\"/usr/bin/editor\" -open %1"));
        QCOMPARE(prefs.preferences.IsSet(pref::kApplyGamma), gammaOn);
        QCOMPARE(page.GammaSlider()->isEnabled(), gammaOn);
    }
};

}  // namespace xelo

QTEST_MAIN(xelo::MiscPageTest)
#include "MiscPageTest.moc"
