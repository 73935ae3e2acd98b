#include "frame/ShortcutDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "frame/NameDialog.h"
#include "image/TavoException.h"
#include "platform/HelpTopics.h"
#include "platform/MessageBox.h"
#include "settings/PluginCatalog.h"

namespace xelo {

namespace {

QString FromUtf8(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

QString CShortcutDialog::AskName(const QString& current) {
    CNameDialog dialog(
        tr("Rename Shortcut"), current.toStdString(), [](const std::string&) { return 0u; },
        kHelpRenameShortcut, this);
    return dialog.exec() == QDialog::Accepted ? dialog.Edit()->text() : QString();
}

CShortcutDialog::CShortcutDialog(const CDesktopShortcuts& shortcuts, const std::string& folder,
                                 const std::string& image, const PluginCatalog& plugins,
                                 QWidget* parent)
    : QDialog(parent), shortcuts_(shortcuts), outputInstalled_(plugins.OutputCount() > 0) {
    setWindowTitle(tr("Make Shortcut"));
    askName = [this](const QString& current) { return AskName(current); };
    auto* grid = new QGridLayout(this);
    folderKind_ = new QRadioButton(tr("&Folder shortcut:"), this);
    folder_ = new QLineEdit(FromUtf8(folder), this);
    imageKind_ = new QRadioButton(tr("&Image shortcut:"), this);
    image_ = new QLineEdit(FromUtf8(image), this);
    folderKind_->setChecked(true);
    imageKind_->setEnabled(!image.empty());
    place_ = new QComboBox(this);
    place_->addItem(tr("Program Group"));
    place_->addItem(tr("Start Menu"));
    place_->setItemData(0, FromUtf8(shortcuts.Folder(ShortcutPlace::kPrograms)), Qt::ToolTipRole);
    place_->setItemData(1, FromUtf8(shortcuts.Folder(ShortcutPlace::kDesktop)), Qt::ToolTipRole);
    mode_ = new QComboBox(this);
    auto* add = new QPushButton(tr("&Add"), this);
    list_ = new QListWidget(this);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    rename_ = new QPushButton(tr("&Rename..."), this);
    remove_ = new QPushButton(tr("Re&move"), this);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    AttachHelp(this, kHelpShortcut, close);

    int row = 0;
    grid->addWidget(folderKind_, row, 0);
    grid->addWidget(folder_, row++, 1, 1, 2);
    grid->addWidget(imageKind_, row, 0);
    grid->addWidget(image_, row++, 1, 1, 2);
    grid->addWidget(new QLabel(tr("at:"), this), row, 0);
    grid->addWidget(place_, row++, 1);
    grid->addWidget(new QLabel(tr("for:"), this), row, 0);
    grid->addWidget(mode_, row, 1);
    grid->addWidget(add, row++, 2);
    grid->addWidget(new QLabel(tr("Current shortcut list:"), this), row++, 0, 1, 3);
    grid->addWidget(list_, row, 0, 3, 2);
    grid->addWidget(rename_, row, 2);
    grid->addWidget(remove_, row + 1, 2);
    grid->addWidget(close, row + 3, 0, 1, 3);

    connect(folderKind_, &QRadioButton::toggled, this, [this] { FillModes(); });
    connect(place_, &QComboBox::currentIndexChanged, this, [this] { Refresh(); });
    connect(add, &QPushButton::clicked, this, [this] { Add(); });
    connect(rename_, &QPushButton::clicked, this, [this] { RenameSelected(); });
    connect(remove_, &QPushButton::clicked, this, [this] { RemoveSelected(); });
    connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
        const bool any = !list_->selectedItems().isEmpty();
        rename_->setEnabled(any);
        remove_->setEnabled(any);
    });
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    FillModes();
    Refresh();
    add->setDefault(true);
    mode_->setFocus();
}

void CShortcutDialog::FillModes() {
    const bool image = imageKind_->isChecked();
    mode_->clear();
    for (const ShortcutMode& m : ShortcutModes()) {
        // The VGA modes need an output plug-in.
        const bool vga = m.option[0] == 'v';
        if (m.forImage == image && (!vga || outputInstalled_))
            mode_->addItem(tr(m.name), QString::fromLatin1(m.option));
    }
}

ShortcutPlace CShortcutDialog::ChosenPlace() const {
    return place_->currentIndex() == 1 ? ShortcutPlace::kDesktop : ShortcutPlace::kPrograms;
}

void CShortcutDialog::Refresh() {
    listed_ = shortcuts_.List(ChosenPlace());
    list_->clear();
    for (const Shortcut& s : listed_) {
        auto* item = new QListWidgetItem(FromUtf8(s.name), list_);
        item->setToolTip(FromUtf8(s.target));
    }
    rename_->setEnabled(false);
    remove_->setEnabled(false);
}

bool CShortcutDialog::Add() {
    const bool image = imageKind_->isChecked();
    std::string target = folder_->text().toStdString();
    if (image) target += "/" + image_->text().toStdString();
    const ShortcutMode* mode = FindShortcutMode(mode_->currentData().toString().toStdString());
    if (!mode || target.empty()) return false;
    try {
        shortcuts_.Make(target, *mode, ChosenPlace());
    } catch (const CTavoException& e) {
        ReportError(this, e);
        return false;
    }
    Refresh();
    return true;
}

void CShortcutDialog::RenameSelected() {
    for (QListWidgetItem* item : list_->selectedItems()) {
        const Shortcut& s = listed_[static_cast<size_t>(list_->row(item))];
        const QString name = askName(FromUtf8(s.name));
        if (name.isEmpty() || name.toStdString() == s.name) continue;
        if (!shortcuts_.Rename(s, name.toStdString())) {
            ShowMessage(this, tr("A shortcut cannot be named \"%1\".").arg(name).toStdString());
        }
    }
    Refresh();
}

void CShortcutDialog::RemoveSelected() {
    for (QListWidgetItem* item : list_->selectedItems()) {
        shortcuts_.Remove(listed_[static_cast<size_t>(list_->row(item))]);
    }
    Refresh();
}

}  // namespace xelo
