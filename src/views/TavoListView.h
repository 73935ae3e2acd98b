// CTavoListView: the Filename mode's table of eleven columns over the document's entries.
// Clicking a column header sorts the rows (again: reverses them); the document keeps its order.
#pragma once

#include <QTreeView>

#include "album/TavoDoc.h"
#include "views/FilenameModel.h"

namespace xelo {

class ViewHost;

class CTavoListView : public QTreeView, public DocumentObserver {
    Q_OBJECT

  public:
    CTavoListView(CTavoDoc& doc, ViewHost& host, QWidget* parent = nullptr);
    ~CTavoListView() override;

    // One row per entry in document order; the focus goes to the first selected entry.
    bool Fill();
    void Sort(int column, bool ascending);
    void ModeChanged();

    // A click on a column header as the user makes it.
    void ClickColumn(int column);
    int SortColumn() const { return sortColumn_; }
    bool SortAscending() const { return ascending_; }
    int FocusedRow() const { return currentIndex().isValid() ? currentIndex().row() : -1; }
    CFilenameModel& Model() { return model_; }

    void OnListChanged(UpdateHint hint) override;
    void OnCurrentChanged(const CImageEntry* entry) override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void FocusRow(int row);
    void SelectOnly(int row);
    // Selects the rows from `from` to `to`; `to` becomes the current image.
    void SelectRows(int from, int to);
    void Activate(int row);

    CTavoDoc& doc_;
    ViewHost& host_;
    CFilenameModel model_;
    int sortColumn_ = kNoSortColumn;
    int anchorRow_ = -1;  // where a Shift run starts
    bool ascending_ = true;

    static constexpr int kNoSortColumn = 255;
};

}  // namespace xelo
