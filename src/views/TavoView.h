// CTavoView: the owner-drawn scrolling grid of Thumbnail and List modes. It reads the document's
// entries and selection flags and keeps no copy; thumbnails are made by worker threads, the
// visible cells first, then the rest of the folder.
#pragma once

#include <QAbstractScrollArea>
#include <QRegion>
#include <QTimer>
#include <atomic>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "album/TavoDoc.h"
#include "views/CellLayout.h"
#include "views/CellPainter.h"
#include "views/ThumbnailWorkers.h"

namespace xelo {

class ViewHost;

class CTavoView : public QAbstractScrollArea, public DocumentObserver {
    Q_OBJECT

  public:
    CTavoView(CTavoDoc& doc, ViewHost& host, QWidget* parent = nullptr);
    ~CTavoView() override;

    void RecalcLayout(bool scrollToTop);
    int FirstVisibleIndex() const;
    CellRects CellRect(int index) const;
    HitResult HitTest(int x, int y) const;
    void EnsureVisible(int index, bool wholeRowsOnly);
    void RedrawCell(int index);
    void RedrawSelection();
    // The mode or the thumbnail settings changed (the program's message 88).
    void ModeChanged();

    const GridLayout& Layout() const { return layout_; }
    int ScrollPosition() const;
    int InsertionIndex() const { return insertion_; }
    // True when the last paint left no visible thumbnail to make.
    bool ThumbnailsComplete() const;
    CellStyle Style() const;

    void OnListChanged(UpdateHint hint) override;
    void OnCurrentChanged(const CImageEntry* entry) override;

  signals:
    // A paint has drawn the cells (placeholders included).
    void cellsPainted();
    // The visible thumbnails are all made (or failed) and painted.
    void screenComplete();
    // A visible cell's thumbnail arrived from the workers.
    void thumbnailShown();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // In the strip modes, scrolls the current image into view.
    void ShowCurrentInStrip();
    // Whether the entry waits on the clipboard to be moved by Paste.
    bool IsCut(const CImageEntry& entry) const;
    bool ListMode() const;
    bool Multi() const;
    // Hands the workers the visible cells' missing thumbnails, then the rest of the folder's.
    void ScheduleThumbnails(int first, int last);
    void CancelThumbnails();
    void TakeThumbnail(ThumbnailResult& result);
    void OnHold();
    void SetScroll(int position);
    void ApplyScrollRange();
    void AutoScroll(int y);
    void StartRangeOrReorder(const HitResult& hit, bool onImage);
    void UpdateRange(const HitResult& hit);
    void UpdateInsertion(int x, int y);
    void EndDrag();
    void MoveBy(int step);
    // Selects only `index`, makes it current and scrolls it into view.
    void MoveTo(int index);
    // Selects the run from the Shift anchor to `to` (added to the selection with `keep`).
    void SelectRun(int to, bool keep);
    // Home, End, Page Up/Down, Shift with the arrows, and the context-menu keys.
    bool DesktopKey(QKeyEvent* event);
    int CurrentIndex() const;
    QPoint CellCentre(int index);
    void ShowContextMenu(const QPoint& at);

    CTavoDoc& doc_;
    ViewHost& host_;
    CellPainter painter_;
    GridLayout layout_;
    bool inLayout_ = false;

    // Thumbnail production: entries handed to the workers and not yet back, entries whose
    // thumbnail could not be made, and the visible range the queue was ordered for.
    std::set<const CImageEntry*> queued_;
    std::set<const CImageEntry*> failed_;
    int scheduledFirst_ = -1;
    int scheduledLast_ = -1;
    int visibleMissing_ = 0;
    std::atomic<bool> diskCache_{true};
    // Shooting dates of the List rows, read once per entry while the list stands.
    std::map<const CImageEntry*, std::string>
        shootingDates_;  // not made during this round; the icon shows
    bool painted_ = false;

    // Pointer state.
    enum DragState { kNoDrag = 0, kRangeDrag = 2, kReorderDrag = 4 };
    int drag_ = kNoDrag;
    int insertion_ = -1;
    int anchor_ = -1;
    int selectAnchor_ = -1;  // where a Shift run starts: the image last clicked or moved to
    int runEnd_ = -1;        // the run's other end, which Shift and the arrows move
    int lastRange_ = -1;
    int pendingClick_ = -1;
    QTimer hold_;
    QPoint pressPoint_;

    // Last: the threads end before anything they deliver to goes.
    std::unique_ptr<ThumbnailWorkers> workers_;
};

}  // namespace xelo
