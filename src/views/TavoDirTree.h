// CTavoDirTree: the folder tree beside the browsing view. Levels are filled when a folder is
// expanded; a folder with subfolders shows its expand arrow before its children exist.
// Choosing a folder opens it in the document.
#pragma once

#include <QStandardItemModel>
#include <QTreeView>
#include <string>

#include "album/TavoDoc.h"

namespace xelo {

class ViewHost;

// The subfolders of a folder, sorted without regard to case; hidden folders are left out.
std::vector<std::string> ListSubfolders(const std::string& folder);
bool HasSubfolders(const std::string& folder);

class CTavoDirTree : public QTreeView, public DocumentObserver {
    Q_OBJECT

  public:
    CTavoDirTree(CTavoDoc& doc, ViewHost& host, QWidget* parent = nullptr);
    ~CTavoDirTree() override;

    // Shows and selects the document's current folder, without opening it again.
    void SelectPath();
    std::string GetSelectedPath() const;
    // Re-validates the selected item's subtree.
    void Refresh();

    std::string PathOf(const QStandardItem* item) const;
    QStandardItemModel& Model() { return model_; }

    void OnListChanged(UpdateHint hint) override;
    void OnCurrentChanged(const CImageEntry*) override {}

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QStandardItem* MakeItem(const QString& name, const std::string& path);
    void FillChildren(QStandardItem* item);
    void OnExpanded(const QModelIndex& index);
    void OnCollapsed(const QModelIndex& index);
    void OnSelected(const QModelIndex& current);
    // False when the item's folder is gone (the item is then removed).
    bool Validate(QStandardItem* item, bool recursive);
    // Removes the item of a folder that was deleted on disk; its parent is selected and opened.
    void DropVanished(QStandardItem* item);

    CTavoDoc& doc_;
    ViewHost& host_;
    QStandardItemModel model_;
    bool selectingByProgram_ = false;
    std::string shownFolder_;
};

}  // namespace xelo
