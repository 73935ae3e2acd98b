// The Filename view: filling, sorting with header marks, activation and keys.
#include "views/TavoListView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <algorithm>
#include <new>

#include "base/StringTable.h"
#include "platform/MessageBox.h"
#include "base/ViewModes.h"
#include "views/ListTexts.h"
#include "views/ViewHost.h"

namespace xelo {

namespace {

constexpr uint32_t kStrFillFailed = 20021;
constexpr int kColumnWidth = 50;

}  // namespace

CTavoListView::CTavoListView(CTavoDoc& doc, ViewHost& host, QWidget* parent)
    : QTreeView(parent), doc_(doc), host_(host), model_(doc) {
    setModel(&model_);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setAllColumnsShowFocus(true);
    // The selection is the entries' own flag, shown by the model; the view keeps only a focus.
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(true);
    header()->setStretchLastSection(false);
    header()->setSortIndicatorShown(false);
    // Every column starts wide enough for its title and the sort mark beside it.
    const int padding = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin) +
                        style()->pixelMetric(QStyle::PM_HeaderMarkSize) + 8;
    for (int c = 0; c < kColumnCount; ++c) {
        const QString title = model_.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        header()->resizeSection(
            c, std::max(kColumnWidth, header()->fontMetrics().horizontalAdvance(title) + padding));
    }
    connect(header(), &QHeaderView::sectionClicked, this, &CTavoListView::ClickColumn);
    doc_.AddObserver(this);
}

CTavoListView::~CTavoListView() {
    doc_.RemoveObserver(this);
}

bool CTavoListView::Fill() {
    try {
        model_.Fill();
    } catch (const std::bad_alloc&) {
        model_.Clear();
        return false;
    }
    sortColumn_ = kNoSortColumn;
    header()->setSortIndicatorShown(false);
    const int first = doc_.FirstSelected();
    if (model_.rowCount() > 0) FocusRow(first >= 0 ? first : 0);
    return true;
}

void CTavoListView::ModeChanged() {
    if (host_.Mode() == kModeFilename) {
        if (!Fill()) ShowMessage(this, LoadString(kStrFillFailed));
    } else {
        model_.Clear();
    }
}

void CTavoListView::ClickColumn(int column) {
    if (column == sortColumn_) {
        ascending_ = !ascending_;
    }
    Sort(column, ascending_);
}

void CTavoListView::Sort(int column, bool ascending) {
    const CImageEntry* focused = model_.EntryAtRow(FocusedRow());
    sortColumn_ = column;
    ascending_ = ascending;
    header()->setSortIndicatorShown(true);
    header()->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    model_.Sort(column, ascending);
    if (focused) FocusRow(model_.RowOfEntry(focused));
}

void CTavoListView::OnListChanged(UpdateHint hint) {
    if (host_.Mode() != kModeFilename) {
        model_.Clear();
        return;
    }
    const int row = FocusedRow();
    if (!Fill()) {
        ShowMessage(this, LoadString(kStrFillFailed));
        return;
    }
    // A new folder starts at the top; otherwise the focus keeps its row, or the last one.
    if (hint == kHintNewFolder) {
        FocusRow(0);
    } else if (row >= 0) {
        FocusRow(std::min(row, model_.rowCount() - 1));
    }
}

void CTavoListView::OnCurrentChanged(const CImageEntry*) {
    model_.RefreshRows();
}

void CTavoListView::FocusRow(int row) {
    if (row < 0 || row >= model_.rowCount()) return;
    const QModelIndex index = model_.index(row, 0);
    setCurrentIndex(index);
    scrollTo(index);
}

void CTavoListView::SelectOnly(int row) {
    const CImageEntry* entry = model_.EntryAtRow(row);
    if (!entry) return;
    doc_.ClearSelection();
    doc_.SetSelected(doc_.IndexOf(entry), true);
    model_.RefreshRows();
}

void CTavoListView::SelectRows(int from, int to) {
    doc_.ClearSelection();
    for (int row = std::min(from, to); row <= std::max(from, to); ++row) {
        if (CImageEntry* entry = model_.EntryAtRow(row)) entry->SetFlag(kEntrySelected, true);
    }
    anchorRow_ = from;
    if (const CImageEntry* entry = model_.EntryAtRow(to))
        doc_.SetSelected(doc_.IndexOf(entry), true);
    model_.RefreshRows();
}

void CTavoListView::Activate(int row) {
    if (!model_.EntryAtRow(row)) return;
    SelectOnly(row);
    host_.PostCommand(kModeFilmstrip);
}

void CTavoListView::keyPressEvent(QKeyEvent* event) {
    const int rows = model_.rowCount();
    const int focused = FocusedRow();
    switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down: {
            if (rows == 0) return;
            const int next = focused < 0 ? 0 : focused + (event->key() == Qt::Key_Up ? -1 : 1);
            if (next < 0 || next >= rows) {
                host_.Beep();
                return;
            }
            FocusRow(next);
            if (event->modifiers() & Qt::ShiftModifier) {
                SelectRows(anchorRow_ < 0 ? focused : anchorRow_, next);
            } else {
                anchorRow_ = next;
                SelectOnly(next);
            }
            return;
        }
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (rows == 0) return;
            if (focused < 0) {
                FocusRow(0);
                SelectOnly(0);
            }
            Activate(FocusedRow());
            return;
        default:
            QTreeView::keyPressEvent(event);
    }
}

void CTavoListView::mousePressEvent(QMouseEvent* event) {
    host_.SetActiveView(this);
    QTreeView::mousePressEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid()) return;
    FocusRow(index.row());
    if ((event->modifiers() & Qt::ShiftModifier) && anchorRow_ >= 0) {
        SelectRows(anchorRow_, index.row());
        return;
    }
    anchorRow_ = index.row();
    if (event->modifiers() & Qt::ControlModifier) {
        CImageEntry* entry = model_.EntryAtRow(index.row());
        entry->SetFlag(kEntrySelected, !entry->Has(kEntrySelected));
        model_.RefreshRows();
    } else {
        SelectOnly(index.row());
    }
}

void CTavoListView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid()) Activate(index.row());
}

}  // namespace xelo
