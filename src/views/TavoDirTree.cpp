// Lazy filling, selection by path, validation of vanished folders, and the tree's notifications.
#include "views/TavoDirTree.h"

#include <dirent.h>
#include <sys/stat.h>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

#include <algorithm>

#include "album/FolderEnum.h"
#include "base/StringTable.h"
#include "base/ViewModes.h"
#include "command/CommandIds.h"
#include "views/ViewHost.h"

namespace xelo {

namespace {

constexpr uint32_t kStrRoot = 2401;  // "My Device"
// An item whose children are not inserted yet holds one placeholder child, so the expand arrow
// shows; it has no text and the role below marks it.
constexpr int kPlaceholderRole = Qt::UserRole + 1;

bool IsPlaceholder(const QStandardItem* item) {
    return item && item->data(kPlaceholderRole).toBool();
}

template <typename F>
void ForEachSubfolder(const std::string& folder, F&& f) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* e = readdir(dir)) {
        const std::string name = e->d_name;
        if (name.empty() || name[0] == '.') continue;
        if (!IsDirectory(JoinPath(folder, name))) continue;
        if (!f(name)) break;
    }
    closedir(dir);
}

}  // namespace

std::vector<std::string> ListSubfolders(const std::string& folder) {
    std::vector<std::string> names;
    ForEachSubfolder(folder, [&names](const std::string& n) {
        names.push_back(n);
        return true;
    });
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return CompareNames(a, b) < 0; });
    return names;
}

bool HasSubfolders(const std::string& folder) {
    bool any = false;
    ForEachSubfolder(folder, [&any](const std::string&) {
        any = true;
        return false;
    });
    return any;
}

CTavoDirTree::CTavoDirTree(CTavoDoc& doc, ViewHost& host, QWidget* parent)
    : QTreeView(parent), doc_(doc), host_(host) {
    setModel(&model_);
    setHeaderHidden(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QTreeView::expanded, this, &CTavoDirTree::OnExpanded);
    connect(this, &QTreeView::collapsed, this, &CTavoDirTree::OnCollapsed);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { OnSelected(current); });
    doc_.AddObserver(this);
}

CTavoDirTree::~CTavoDirTree() {
    // The model goes before the view's base: its removals must not reach OnSelected.
    selectingByProgram_ = true;
    disconnect(selectionModel(), nullptr, this, nullptr);
    doc_.RemoveObserver(this);
}

QStandardItem* CTavoDirTree::MakeItem(const QString& name, const std::string& path) {
    auto* item = new QStandardItem(name);
    item->setIcon(style()->standardIcon(QStyle::SP_DirIcon));
    if (HasSubfolders(path)) {
        auto* placeholder = new QStandardItem;
        placeholder->setData(true, kPlaceholderRole);
        item->appendRow(placeholder);
    }
    return item;
}

std::string CTavoDirTree::PathOf(const QStandardItem* item) const {
    std::vector<std::string> names;
    for (const QStandardItem* i = item; i && i->parent(); i = i->parent()) {
        names.push_back(i->text().toStdString());
    }
    std::string path = "/";
    for (auto it = names.rbegin(); it != names.rend(); ++it)
        path = JoinPath(path, *it);
    return path;
}

void CTavoDirTree::FillChildren(QStandardItem* item) {
    item->removeRows(0, item->rowCount());
    const std::string path = PathOf(item);
    for (const std::string& name : ListSubfolders(path)) {
        item->appendRow(MakeItem(QString::fromStdString(name), JoinPath(path, name)));
    }
}

void CTavoDirTree::SelectPath() {
    const std::string folder = doc_.CurrentFolder();
    selectingByProgram_ = true;
    model_.clear();
    QStandardItem* root = MakeItem(QString::fromStdString(LoadString(kStrRoot)), "/");
    model_.appendRow(root);
    FillChildren(root);
    expand(root->index());
    QStandardItem* found = root;
    size_t start = 1;
    while (start < folder.size()) {
        size_t end = folder.find('/', start);
        if (end == std::string::npos) end = folder.size();
        const std::string part = folder.substr(start, end - start);
        start = end + 1;
        if (part.empty()) continue;
        QStandardItem* match = nullptr;
        for (int r = 0; r < found->rowCount(); ++r) {
            QStandardItem* child = found->child(r);
            if (!IsPlaceholder(child) && CompareNames(child->text().toStdString(), part) == 0) {
                match = child;
                break;
            }
        }
        if (!match) break;
        found = match;
        if (found->rowCount() > 0) {
            FillChildren(found);
            expand(found->index());
        }
    }
    setCurrentIndex(found->index());
    scrollTo(found->index(), QAbstractItemView::PositionAtTop);
    shownFolder_ = folder;
    selectingByProgram_ = false;
}

std::string CTavoDirTree::GetSelectedPath() const {
    return PathOf(model_.itemFromIndex(currentIndex()));
}

void CTavoDirTree::OnListChanged(UpdateHint hint) {
    if (hint == kHintNewFolder && doc_.CurrentFolder() != shownFolder_) SelectPath();
    viewport()->update();
}

void CTavoDirTree::OnExpanded(const QModelIndex& index) {
    QStandardItem* item = model_.itemFromIndex(index);
    if (!item) return;
    if (item->rowCount() == 1 && IsPlaceholder(item->child(0))) {
        const bool byProgram = selectingByProgram_;
        selectingByProgram_ = true;
        FillChildren(item);
        selectingByProgram_ = byProgram;
    }
}

void CTavoDirTree::OnCollapsed(const QModelIndex& index) {
    QStandardItem* item = model_.itemFromIndex(index);
    if (!item) return;
    const QModelIndex current = currentIndex();
    bool inside = false;
    for (QModelIndex i = current.parent(); i.isValid(); i = i.parent()) {
        if (i == index) inside = true;
    }
    // Collapse and reset: the children go, the arrow stays when there are subfolders.
    const bool byProgram = selectingByProgram_;
    selectingByProgram_ = true;
    item->removeRows(0, item->rowCount());
    if (HasSubfolders(PathOf(item))) {
        auto* placeholder = new QStandardItem;
        placeholder->setData(true, kPlaceholderRole);
        item->appendRow(placeholder);
    }
    selectingByProgram_ = byProgram;
    if (inside) {
        // Removing the rows already moved the current item up; the selection change is
        // still the user's and opens the collapsed folder.
        setCurrentIndex(index);
        if (!selectingByProgram_) {
            shownFolder_ = PathOf(item);
            host_.PostCommand(cmd::kFolderSelected);
        }
    }
}

bool CTavoDirTree::Validate(QStandardItem* item, bool recursive) {
    const std::string path = PathOf(item);
    if (!IsDirectory(path)) {
        QStandardItem* parent = item->parent();
        const bool byProgram = selectingByProgram_;
        selectingByProgram_ = true;
        if (parent) {
            const int row = item->row();
            setCurrentIndex(parent->index());
            parent->removeRow(row);
        }
        selectingByProgram_ = byProgram;
        return false;
    }
    const bool has = HasSubfolders(path);
    const bool shows = item->rowCount() > 0;
    if (!has && shows) item->removeRows(0, item->rowCount());
    if (has && !shows) {
        auto* placeholder = new QStandardItem;
        placeholder->setData(true, kPlaceholderRole);
        item->appendRow(placeholder);
    }
    if (recursive && isExpanded(item->index())) {
        for (int r = item->rowCount() - 1; r >= 0; --r) {
            QStandardItem* child = item->child(r);
            if (!IsPlaceholder(child)) Validate(child, true);
        }
        std::vector<std::string> known;
        for (int r = 0; r < item->rowCount(); ++r)
            known.push_back(item->child(r)->text().toStdString());
        for (const std::string& name : ListSubfolders(path)) {
            if (std::find(known.begin(), known.end(), name) == known.end()) {
                item->appendRow(MakeItem(QString::fromStdString(name), JoinPath(path, name)));
            }
        }
    }
    return true;
}

void CTavoDirTree::Refresh() {
    if (QStandardItem* item = model_.itemFromIndex(currentIndex())) Validate(item, true);
}

void CTavoDirTree::OnSelected(const QModelIndex& current) {
    QStandardItem* item = model_.itemFromIndex(current);
    if (!item || IsPlaceholder(item)) return;
    if (item->parent() && !IsDirectory(PathOf(item))) {
        DropVanished(item);
        return;
    }
    Validate(item, false);
    if (!selectingByProgram_) {
        shownFolder_ = PathOf(item);
        host_.PostCommand(cmd::kFolderSelected);
    }
}

void CTavoDirTree::DropVanished(QStandardItem* item) {
    // The nearest folder above that still exists takes the selection and opens.
    QStandardItem* top = item;
    while (top->parent()->parent() && !IsDirectory(PathOf(top->parent())))
        top = top->parent();
    QStandardItem* parent = top->parent();
    const bool byUser = !selectingByProgram_;
    selectingByProgram_ = true;
    parent->removeRow(top->row());
    setCurrentIndex(parent->index());
    Validate(parent, false);
    selectingByProgram_ = !byUser;
    if (!byUser) return;
    shownFolder_ = PathOf(parent);
    host_.PostCommand(cmd::kFolderSelected);
    // A click that chose the item goes on to select what now lies under the pointer: the
    // parent is selected again once the click is done.
    QTimer::singleShot(0, this, [this, chosen = QPersistentModelIndex(parent->index())] {
        if (!chosen.isValid() || selectionModel()->isSelected(chosen)) return;
        selectingByProgram_ = true;
        selectionModel()->setCurrentIndex(chosen, QItemSelectionModel::ClearAndSelect);
        selectingByProgram_ = false;
    });
}

void CTavoDirTree::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        const int mode = host_.Mode();
        if ((mode == kModeThumbnail || mode == kModeList) && doc_.Count() > 0) {
            if (doc_.FirstSelected() < 0) doc_.SetSelected(0, true);
        }
        host_.FocusBrowser();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void CTavoDirTree::mousePressEvent(QMouseEvent* event) {
    host_.SetActiveView(this);
    QTreeView::mousePressEvent(event);
}

}  // namespace xelo
