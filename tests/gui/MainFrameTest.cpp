// The frame's menus: enabling rules asked as menus open; the about box.
#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "command/CommandIds.h"
#include "frame/MainFrame.h"
#include "gui/GuiFixture.h"
#include "platform/HelpTopics.h"

namespace xelo {

using test::GuiFixture;

class MainFrameTest : public QObject {
    Q_OBJECT

  private slots:
    void selectionCommandsAreEnabledWhenTheMenuOpens() {
        GuiFixture f(1);
        QAction* hide = f.Frame().Action(cmd::kHideSlide);
        QMenu* viewMenu = f.Frame().menuBar()->actions().at(1)->menu();
        f.Doc().ClearSelection();
        emit viewMenu->aboutToShow();
        QVERIFY(!hide->isEnabled());
        f.Doc().SetSelected(0, true);
        emit viewMenu->aboutToShow();
        QVERIFY(hide->isEnabled());
        // A single image cannot be reordered; the submenu asks as it opens.
        QMenu* reorder = nullptr;
        for (QAction* a : viewMenu->actions()) {
            if (a->menu() && a->menu()->actions().contains(f.Frame().Action(cmd::kReorderByName))) {
                reorder = a->menu();
            }
        }
        QVERIFY(reorder);
        emit reorder->aboutToShow();
        QVERIFY(!f.Frame().Action(cmd::kReorderByName)->isEnabled());
        // A disabled command does nothing when it arrives anyway.
        QVERIFY(!f.Frame().Execute(cmd::kReorderReverse));
    }

    void theAboutBoxFollowsHelpInTheToolsMenuAndHasItsTopic() {
        GuiFixture f(1);
        QCoreApplication::setApplicationVersion(QStringLiteral("9.8.7"));
        QAction* help = f.Frame().Action(cmd::kHelp);
        QAction* about = f.Frame().Action(cmd::kAbout);
        QVERIFY(about);
        QCOMPARE(about->text(), QStringLiteral("About Xelo Album..."));
        QList<QAction*> tools;
        for (QAction* a : f.Frame().menuBar()->actions()) {
            if (a->menu() && a->menu()->actions().contains(help)) tools = a->menu()->actions();
        }
        QVERIFY(tools.contains(help));
        QCOMPARE(tools.indexOf(about), tools.indexOf(help) + 1);

        std::vector<QString> topics;
        const HelpOpener previous =
            SetHelpOpener([&topics](const QString& topic) { topics.push_back(topic); });
        QString title, heading;
        f.Frame().runDialog = [&](QDialog& dialog) {
            title = dialog.windowTitle();
            heading = dialog.findChild<QLabel*>(QStringLiteral("title"))->text();
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help)->click();
            return int(QDialog::Rejected);
        };
        QVERIFY(f.Frame().Execute(cmd::kAbout));
        SetHelpOpener(previous);
        QCOMPARE(title, QStringLiteral("About Xelo Album"));
        QCOMPARE(heading, QStringLiteral("<b>Xelo Album</b> 9.8.7"));
        QCOMPARE(topics, std::vector<QString>{QStringLiteral("About-Xelo-Album")});
    }
};

}  // namespace xelo

QTEST_MAIN(xelo::MainFrameTest)
#include "MainFrameTest.moc"
