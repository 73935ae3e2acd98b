// Rows, texts and sorting of the Filename view.
#include "views/FilenameModel.h"

#include <QBrush>
#include <algorithm>

#include "album/TavoDoc.h"
#include "base/StringTable.h"
#include "views/ListTexts.h"

namespace xelo {

namespace {

constexpr uint32_t kStrColumns = 2403;

bool LeftAligned(int column) {
    return column == kColName || column == kColType || column == kColDate;
}

}  // namespace

CFilenameModel::CFilenameModel(CTavoDoc& doc, QObject* parent)
    : QAbstractTableModel(parent), doc_(doc) {}

void CFilenameModel::Fill() {
    beginResetModel();
    rows_ = doc_.Order();
    endResetModel();
}

void CFilenameModel::Clear() {
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void CFilenameModel::Sort(int column, bool ascending) {
    emit layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    std::vector<CImageEntry*> old = rows_;
    // Positions in the document, looked up once.
    std::vector<std::pair<CImageEntry*, int>> keyed;
    keyed.reserve(rows_.size());
    for (CImageEntry* e : rows_)
        keyed.emplace_back(e, doc_.IndexOf(e));
    std::stable_sort(keyed.begin(), keyed.end(), [&](const auto& a, const auto& b) {
        const int r = CompareByColumn(*a.first, a.second, *b.first, b.second, column);
        return ascending ? r < 0 : r > 0;
    });
    for (size_t i = 0; i < keyed.size(); ++i)
        rows_[i] = keyed[i].first;
    QModelIndexList after;
    for (const QModelIndex& index : before) {
        const int row = RowOfEntry(old[static_cast<size_t>(index.row())]);
        after.push_back(this->index(row, index.column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged();
}

CImageEntry* CFilenameModel::EntryAtRow(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return nullptr;
    return rows_[static_cast<size_t>(row)];
}

int CFilenameModel::RowOfEntry(const CImageEntry* entry) const {
    const auto it = std::find(rows_.begin(), rows_.end(), entry);
    return it == rows_.end() ? -1 : static_cast<int>(it - rows_.begin());
}

void CFilenameModel::RefreshRows() {
    if (rows_.empty()) return;
    emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
}

int CFilenameModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int CFilenameModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant CFilenameModel::data(const QModelIndex& index, int role) const {
    const CImageEntry* entry = EntryAtRow(index.row());
    if (!entry) return {};
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(ColumnText(*entry, doc_.IndexOf(entry), index.column()));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(
                (LeftAligned(index.column()) ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        case Qt::BackgroundRole:
            if (entry->Has(kEntrySelected)) return QBrush(QColor(0, 0, 255));
            return {};
        case Qt::ForegroundRole:
            if (entry->Has(kEntrySelected)) return QBrush(Qt::white);
            return {};
        default:
            return {};
    }
}

QVariant CFilenameModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::DisplayRole) {
        return QString::fromStdString(FieldItem(LoadString(kStrColumns), section));
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue((LeftAligned(section) ? Qt::AlignLeft : Qt::AlignRight) |
                                   Qt::AlignVCenter);
    }
    return {};
}

}  // namespace xelo
