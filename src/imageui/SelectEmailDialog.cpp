#include "imageui/SelectEmailDialog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "base/StringTable.h"
#include "image/TavoException.h"
#include "platform/HelpTopics.h"
#include "platform/MessageBox.h"
#include "platform/UiText.h"
#include "platform/WaitCursor.h"
#include "share/ShareSettings.h"

namespace xelo {

namespace {

constexpr uint32_t kStrColumns = 2433;
constexpr uint32_t kStrCaption = 3350;
constexpr uint32_t kStrTo = 3351;
constexpr uint32_t kStrCc = 3352;
constexpr uint32_t kStrNoContacts = 3353;
constexpr uint32_t kStrCannotRead = 3354;
constexpr uint32_t kStrContactsFile = 3355;
constexpr uint32_t kStrVCardFilter = 3356;
constexpr int kCmdRemoveTo = 31001;
constexpr int kCmdRemoveCc = 31002;
constexpr int kHoldMs = 500;
constexpr int kHoldSlack = 4;      // pixels a held press may wander
constexpr int kColumnWidth = 100;  // the least width of each column
constexpr int kNoContact = -1;     // item data of an address that is no contact's

bool SameAddress(const std::string& a, const std::string& b) {
    return QString::fromStdString(a).trimmed().compare(QString::fromStdString(b).trimmed(),
                                                       Qt::CaseInsensitive) == 0;
}

std::string ChosenContactsFile() {
    const Registry* store = ShareStore();
    return store ? ShareSettings::Load(*store).contactsFile : std::string();
}

}  // namespace

SelectEmailDialog::SelectEmailDialog(std::vector<std::string> pendingTo,
                                     std::vector<std::string> pendingCc, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(Text(kStrCaption));
    const std::string columns = LoadString(kStrColumns);
    contacts_ = new QTreeWidget(this);
    contacts_->setHeaderLabels({QString::fromStdString(FieldItem(columns, 0)),
                                QString::fromStdString(FieldItem(columns, 1))});
    contacts_->setRootIsDecorated(false);
    contacts_->setUniformRowHeights(true);
    contacts_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    contacts_->setSelectionBehavior(QAbstractItemView::SelectRows);
    contacts_->header()->setMinimumSectionSize(kColumnWidth);
    contacts_->setColumnWidth(0, 2 * kColumnWidth);

    toButton_ = new QPushButton(Text(kStrTo), this);
    ccButton_ = new QPushButton(Text(kStrCc), this);
    to_ = new QListWidget(this);
    cc_ = new QListWidget(this);
    auto* grid = new QGridLayout;
    int row = 0;
    for (auto [button, list] : {std::pair{toButton_, to_}, std::pair{ccButton_, cc_}}) {
        button->setAutoDefault(false);
        button->setEnabled(false);
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        list->viewport()->installEventFilter(this);
        grid->addWidget(button, row, 0, Qt::AlignTop);
        grid->addWidget(list, row, 1);
        ++row;
        connect(button, &QPushButton::clicked, this,
                [this, list = list] { AddSelectedContacts(list); });
        connect(list, &QWidget::customContextMenuRequested, this,
                [this, list = list](QPoint at) { ShowListMenu(list, at); });
    }
    auto makeMenu = [this](QListWidget* list, int command) {
        auto* remove = new QAction(Text(static_cast<uint32_t>(command)), list);
        remove->setShortcut(QKeySequence::Delete);
        remove->setShortcutContext(Qt::WidgetShortcut);
        list->addAction(remove);
        connect(remove, &QAction::triggered, list, [list] { RemoveSelected(list); });
        auto* menu = new QMenu(this);
        menu->addAction(remove);
        return menu;
    };
    toMenu_ = makeMenu(to_, kCmdRemoveTo);
    ccMenu_ = makeMenu(cc_, kCmdRemoveCc);
    connect(contacts_, &QTreeWidget::itemSelectionChanged, this, [this] {
        const bool any = !contacts_->selectedItems().isEmpty();
        toButton_->setEnabled(any);
        ccButton_->setEnabled(any);
    });
    connect(contacts_, &QTreeWidget::itemDoubleClicked, this, [this] { AddSelectedContacts(to_); });

    auto* choose = new QPushButton(Text(kStrContactsFile), this);
    choose->setAutoDefault(false);
    connect(choose, &QPushButton::clicked, this, [this] { ChooseContactsFile(); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    AttachHelp(this, kHelpSelectEmail, buttons);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(choose);
    bottom->addStretch(1);
    bottom->addWidget(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(contacts_, 2);
    layout->addLayout(grid, 1);
    layout->addLayout(bottom);

    hold_.setSingleShot(true);
    hold_.setInterval(kHoldMs);
    connect(&hold_, &QTimer::timeout, this, [this] {
        if (holdList_) ShowListMenu(holdList_, holdAt_);
    });

    chooseFile = [this] {
        const QString chosen = QString::fromStdString(ChosenContactsFile());
        const QString start = chosen.isEmpty() ? QDir::homePath() : QFileInfo(chosen).path();
        QString title = Text(kStrContactsFile);
        title.remove(QStringLiteral("..."));
        return QFileDialog::getOpenFileName(this, title, start, Text(kStrVCardFilter));
    };
    std::vector<ContactRow> rows;
    Read(ChosenContactsFile(), rows);
    Show(std::move(rows), pendingTo, pendingCc);
    contacts_->setFocus();
}

bool SelectEmailDialog::Read(const std::string& file, std::vector<ContactRow>& rows) {
    const WaitCursor wait;
    failure_.clear();
    try {
        rows = LoadContactRows(file);
        if (rows.empty()) failure_ = LoadString(kStrNoContacts);
    } catch (const CTavoException& e) {
        rows.clear();
        failure_ = LoadString(kStrCannotRead) + e.GetErrorMessage();
    }
    return failure_.empty();
}

void SelectEmailDialog::Show(std::vector<ContactRow> rows, const std::vector<std::string>& to,
                             const std::vector<std::string>& cc) {
    rows_ = std::move(rows);
    contacts_->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows_.size()));
    for (const ContactRow& r : rows_) {
        items.append(new QTreeWidgetItem(
            QStringList{QString::fromStdString(r.name), QString::fromStdString(r.address)}));
    }
    contacts_->addTopLevelItems(items);
    if (!items.isEmpty())
        contacts_->setCurrentItem(items.front(), 0, QItemSelectionModel::NoUpdate);
    Fill(to_, to);
    Fill(cc_, cc);
}

void SelectEmailDialog::Fill(QListWidget* list, const std::vector<std::string>& addresses) {
    // The user's order is kept; an address of a contact shows the contact's name.
    list->clear();
    for (const std::string& address : addresses) {
        if (QString::fromStdString(address).trimmed().isEmpty()) continue;
        int match = kNoContact;
        for (size_t r = 0; r < rows_.size() && match == kNoContact; ++r) {
            if (SameAddress(rows_[r].address, address)) match = static_cast<int>(r);
        }
        auto* item = new QListWidgetItem(list);
        if (match == kNoContact) {
            item->setText(QString::fromStdString(address).trimmed());
        } else {
            item->setText(QString::fromStdString(rows_[static_cast<size_t>(match)].name));
            item->setToolTip(QString::fromStdString(rows_[static_cast<size_t>(match)].address));
        }
        item->setData(Qt::UserRole, match);
    }
}

std::vector<std::string> SelectEmailDialog::Addresses(const QListWidget* list) const {
    std::vector<std::string> out;
    for (int i = 0; i < list->count(); ++i) {
        const QListWidgetItem* item = list->item(i);
        const int r = item->data(Qt::UserRole).toInt();
        out.push_back(r >= 0 && static_cast<size_t>(r) < rows_.size()
                          ? rows_[static_cast<size_t>(r)].address
                          : item->text().toStdString());
    }
    return out;
}

std::vector<std::string> SelectEmailDialog::To() const {
    return Addresses(to_);
}

std::vector<std::string> SelectEmailDialog::Cc() const {
    return Addresses(cc_);
}

void SelectEmailDialog::AddSelectedContacts(QListWidget* list) {
    for (int r = 0; r < contacts_->topLevelItemCount(); ++r) {
        if (!contacts_->topLevelItem(r)->isSelected()) continue;
        bool present = false;  // a contact goes into a list once
        for (int i = 0; i < list->count() && !present; ++i) {
            present = list->item(i)->data(Qt::UserRole).toInt() == r;
        }
        if (present) continue;
        auto* item =
            new QListWidgetItem(QString::fromStdString(rows_[static_cast<size_t>(r)].name), list);
        item->setToolTip(QString::fromStdString(rows_[static_cast<size_t>(r)].address));
        item->setData(Qt::UserRole, r);
    }
}

void SelectEmailDialog::RemoveSelected(QListWidget* list) {
    for (QListWidgetItem* item : list->selectedItems())
        delete item;
}

QMenu* SelectEmailDialog::ListMenu(const QListWidget* list) const {
    return list == to_ ? toMenu_ : ccMenu_;
}

QAction* SelectEmailDialog::RemoveAction(const QListWidget* list) const {
    return ListMenu(list)->actions().value(0);
}

void SelectEmailDialog::ShowListMenu(QListWidget* list, QPoint at) {
    hold_.stop();
    RemoveAction(list)->setEnabled(!list->selectedItems().isEmpty());
    ListMenu(list)->popup(list->viewport()->mapToGlobal(at));
}

bool SelectEmailDialog::eventFilter(QObject* watched, QEvent* event) {
    QListWidget* list =
        watched == to_->viewport() ? to_ : (watched == cc_->viewport() ? cc_ : nullptr);
    if (!list) return QDialog::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                holdList_ = list;
                holdAt_ = mouse->position().toPoint();
                hold_.start();
            }
            break;
        }
        case QEvent::MouseMove: {
            const QPoint moved = static_cast<QMouseEvent*>(event)->position().toPoint() - holdAt_;
            if (moved.manhattanLength() > kHoldSlack) hold_.stop();
            break;
        }
        case QEvent::MouseButtonRelease:
            hold_.stop();
            break;
        default:
            break;
    }
    return QDialog::eventFilter(watched, event);
}

bool SelectEmailDialog::ChooseContactsFile() {
    const QString path = chooseFile ? chooseFile() : QString();
    if (path.isEmpty()) return false;
    const std::string file = path.toStdString();
    std::vector<ContactRow> rows;
    if (!Read(file, rows)) {
        ShowMessage(this, failure_);  // the contacts shown so far stay
        return false;
    }
    Show(std::move(rows), To(), Cc());
    if (Registry* store = ShareStore()) {
        ShareSettings settings = ShareSettings::Load(*store);
        settings.contactsFile = file;
        settings.Save(*store);
    }
    return true;
}

void SelectEmailDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (checked_) return;
    checked_ = true;
    // After the dialog is up, so that exec() has its loop to end.
    QTimer::singleShot(0, this, &SelectEmailDialog::CheckContacts);
}

void SelectEmailDialog::CheckContacts() {
    if (failure_.empty()) return;
    // Closing at once would leave no way to point the dialog at a contacts file: it is offered.
    ShowMessage(this, failure_);
    if (!ChooseContactsFile()) reject();
}

bool PickEmailAddresses(QWidget* parent, std::vector<std::string>& to,
                        std::vector<std::string>& cc) {
    SelectEmailDialog dialog(to, cc, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    to = dialog.To();
    cc = dialog.Cc();
    return true;
}

}  // namespace xelo
