// The walk in small steps: one folder entered, or a few dozen files tested, per turn of the
// event loop.
#include "views/FindWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/StringTable.h"
#include "image/TavoException.h"
#include "platform/HelpTopics.h"
#include "platform/MessageBox.h"
#include "platform/UiText.h"

namespace xelo {

namespace {

constexpr uint32_t kStrTitle = 2706;
constexpr uint32_t kStrFindIn = 2713;
constexpr uint32_t kStrFound = 2714;
constexpr uint32_t kStrNotFound = 2715;
constexpr uint32_t kStrFindNext = 2716;
constexpr uint32_t kStrStop = 2718;
constexpr size_t kFilesPerStep = 32;

}  // namespace

CFindWindow::CFindWindow(const FindCriteria& criteria, QWidget* parent)
    : QDialog(parent), search_(criteria) {
    setWindowTitle(Text(kStrTitle));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    AttachHelp(this, kHelpFind);
    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("status"));
    status_->setTextFormat(Qt::PlainText);
    status_->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    status_->setWordWrap(true);
    next_ = new QPushButton(Text(kStrFindNext));
    next_->setObjectName(QStringLiteral("findNext"));
    next_->setDefault(true);
    stop_ = new QPushButton(Text(kStrStop));
    stop_->setObjectName(QStringLiteral("stop"));
    connect(next_, &QPushButton::clicked, this, &CFindWindow::FindNext);
    connect(stop_, &QPushButton::clicked, this, &CFindWindow::Stop);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(stop_);
    buttons->addWidget(next_);
    auto* column = new QVBoxLayout(this);
    column->addWidget(status_);
    column->addLayout(buttons);
    tick_.setInterval(0);
    connect(&tick_, &QTimer::timeout, this, &CFindWindow::Step);
    SetStatus(QString::fromStdString(FormatString(kStrFindIn, search_.Folder().c_str())));
    UpdateButtons();
}

QString CFindWindow::Status() const {
    return status_->text();
}

void CFindWindow::SetStatus(const QString& text) {
    status_->setText(text);
}

void CFindWindow::UpdateButtons() {
    next_->setEnabled(!Searching() && !search_.Done());
    stop_->setEnabled(Searching());
}

void CFindWindow::FindNext() {
    if (Searching() || search_.Done()) return;
    tick_.start();
    UpdateButtons();
}

void CFindWindow::Stop() {
    tick_.stop();
    UpdateButtons();
}

void CFindWindow::Step() {
    CImageSearch::Step step = CImageSearch::Step::kMore;
    try {
        step = search_.Advance(kFilesPerStep);
    } catch (const CTavoException& e) {
        Stop();
        ReportError(this, e);
        return;
    }
    if (step == CImageSearch::Step::kMore) {
        if (search_.Folder() != shownFolder_) {
            shownFolder_ = search_.Folder();
            SetStatus(QString::fromStdString(FormatString(kStrFindIn, shownFolder_.c_str())));
        }
        return;
    }
    tick_.stop();
    if (step == CImageSearch::Step::kDone) {
        SetStatus(Text(kStrNotFound));
        UpdateButtons();
        return;
    }
    SetStatus(QString::fromStdString(FormatString(kStrFound, search_.HitName().c_str())));
    UpdateButtons();
    if (onHit) onHit(search_.Folder(), search_.HitName());
    // Enter in this window goes on searching.
    next_->setFocus();
}

void CFindWindow::closeEvent(QCloseEvent* event) {
    Stop();
    QDialog::closeEvent(event);
}

}  // namespace xelo
