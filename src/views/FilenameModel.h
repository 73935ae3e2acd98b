// The table behind the Filename view: one row per entry in a view order of its own, texts made
// on demand. Sorting reorders the rows of this model, never the document.
#pragma once

#include <QAbstractTableModel>
#include <vector>

namespace xelo {

class CTavoDoc;
class CImageEntry;

class CFilenameModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit CFilenameModel(CTavoDoc& doc, QObject* parent = nullptr);

    // One row per entry in document order.
    void Fill();
    void Clear();
    void Sort(int column, bool ascending);

    CImageEntry* EntryAtRow(int row) const;
    int RowOfEntry(const CImageEntry* entry) const;
    // Repaints every row (selection flags changed).
    void RefreshRows();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    CTavoDoc& doc_;
    std::vector<CImageEntry*> rows_;
};

}  // namespace xelo
