#include "frame/AboutDialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "frame/FrameIcons.h"
#include "platform/HelpTopics.h"
#include "platform/UiText.h"

namespace xelo {

namespace {
constexpr uint32_t kStrProgramName = 57344;  // "Xelo Album"
constexpr int kIconSize = 64;
}  // namespace

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
    const QString name = Text(kStrProgramName);
    setWindowTitle(tr("About %1").arg(name));
    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(kIconSize, kIconSize));
    icon->setAlignment(Qt::AlignTop);
    const QString version = QCoreApplication::applicationVersion();
    auto* title = new QLabel(
        QStringLiteral("<b>%1</b> %2").arg(name.toHtmlEscaped(), version.toHtmlEscaped()), this);
    title->setObjectName(QStringLiteral("title"));
    auto* about = new QLabel(tr("A photo album and image viewer: folders as thumbnails, lists "
                                "and tables, one picture at a time with zoom, turns and notes, "
                                "and slide shows."),
                             this);
    about->setWordWrap(true);
    auto* runtime = new QLabel(tr("Qt %1").arg(QString::fromLatin1(qVersion())), this);
    runtime->setObjectName(QStringLiteral("runtime"));
    auto* text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(about);
    text->addWidget(runtime);
    text->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(text, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    AttachHelp(this, kHelpAbout, buttons);
    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addWidget(buttons);
    setMinimumWidth(fontMetrics().averageCharWidth() * 48);
}

}  // namespace xelo
