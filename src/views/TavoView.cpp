// The thumbnail and list grid: layout, row-aligned scrolling, painting with paced thumbnail
// production, selection by pointer and keys, and drag reordering.
#include "views/TavoView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

#include "album/Ordering.h"
#include "settings/Preferences.h"
#include "base/StringTable.h"
#include "base/ViewModes.h"
#include "codec/ImageCodec.h"
#include "image/ErrorCodes.h"
#include "views/ShootingDate.h"
#include "views/Thumbnail.h"
#include "views/ThumbnailCache.h"
#include "views/ViewHost.h"

namespace xelo {

namespace {

constexpr int kHoldMilliseconds = 500;
constexpr int kHoldSlop = 4;  // pixels a held press may wander

QRect ToQRect(const Rect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

bool PaintsCells(int mode) {
    return mode == kModeThumbnail || mode == kModeList || mode == kModeFilmstrip ||
           mode == kModeVgaFilmstrip;
}

}  // namespace

CTavoView::CTavoView(CTavoDoc& doc, ViewHost& host, QWidget* parent)
    : QAbstractScrollArea(parent), doc_(doc), host_(host) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    hold_.setSingleShot(true);
    hold_.setInterval(kHoldMilliseconds);
    connect(&hold_, &QTimer::timeout, this, &CTavoView::OnHold);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        const int aligned = AlignScroll(layout_, value);
        if (aligned != value) verticalScrollBar()->setValue(aligned);
    });
    painter_.shootingDate = [this](const CImageEntry& entry) {
        const auto it = shootingDates_.find(&entry);
        if (it != shootingDates_.end()) return it->second;
        std::string date;
        if (entry.Type() == kFormatJpeg) {
            date = ReadShootingDate(JoinPath(doc_.CurrentFolder(), entry.Name()));
        }
        shootingDates_[&entry] = date;
        return date;
    };
    doc_.AddObserver(this);

    auto cache = std::make_shared<const ThumbnailCache>(ThumbnailCache::DefaultRoot());
    workers_ = std::make_unique<ThumbnailWorkers>(
        [this, cached = CachingThumbnailDecoder(std::move(cache)),
         plain = DefaultThumbnailDecoder()](const ThumbnailJob& job, CDibImage& image) {
            (diskCache_.load() ? cached : plain)(job.path, image);
        },
        [this](ThumbnailResult& result) {
            // To the UI thread; a view destroyed meanwhile drops the call.
            auto made = std::make_shared<ThumbnailResult>();
            made->job = std::move(result.job);
            made->generation = result.generation;
            made->error = result.error;
            result.image.TransferTo(made->image);
            QMetaObject::invokeMethod(
                this, [this, made] { TakeThumbnail(*made); }, Qt::QueuedConnection);
        });
    // Quitting does not wait for the rest of the folder.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { workers_->Stop(); });
}

CTavoView::~CTavoView() {
    workers_->Stop();
    doc_.RemoveObserver(this);
}

bool CTavoView::ListMode() const {
    return host_.Mode() == kModeList;
}

bool CTavoView::Multi() const {
    return host_.Prefs().uiInfo.IsSet(ui::kMultipleSelection);
}

CellStyle CTavoView::Style() const {
    const CPreferences& prefs = host_.Prefs();
    CellStyle s;
    s.metrics = CellMetrics{prefs.layout.cellWidth, prefs.layout.cellHeight,
                            prefs.layout.borderWidth, prefs.layout.labelHeight};
    s.listMode = ListMode();
    s.frameStyle =
        static_cast<int>(std::min<uint32_t>(prefs.preferences.Get(pref::kFrameStyle), 4));
    s.showIndex = prefs.preferences.IsSet(pref::kShowIndexNumbers);
    s.fitPreview = prefs.preferences.IsSet(pref::kFitPreview);
    s.previewColour = prefs.preferences.Get(pref::kBackground1);
    s.thumbnailColour = prefs.preferences.Get(pref::kBackground2);
    return s;
}

int CTavoView::ScrollPosition() const {
    return verticalScrollBar()->value();
}

void CTavoView::RecalcLayout(bool scrollToTop) {
    if (inLayout_) return;
    inLayout_ = true;
    const CellStyle style = Style();
    const int scrollBarWidth = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    // The viewport loses the bar's width when the bar shows; lay out on the full area.
    const int fullWidth = width() - 2 * frameWidth();
    const int height = viewport()->height();
    layout_ = ComputeLayout(doc_.Count(), fullWidth, height, scrollBarWidth, style.metrics,
                            style.listMode);
    const int keep = scrollToTop ? 0 : ScrollPosition();
    ApplyScrollRange();
    SetScroll(keep);
    insertion_ = -1;
    inLayout_ = false;
    viewport()->update();
}

void CTavoView::ApplyScrollRange() {
    QScrollBar* bar = verticalScrollBar();
    // Not blocked: the scroll area shows or hides the bar on the range change.
    bar->setRange(0, layout_.MaxScroll());
    bar->setSingleStep(std::max(1, layout_.lineHeight));
    bar->setPageStep(std::max(1, layout_.pageHeight));
}

void CTavoView::SetScroll(int position) {
    verticalScrollBar()->setValue(AlignScroll(layout_, position));
}

int CTavoView::FirstVisibleIndex() const {
    return xelo::FirstVisibleIndex(layout_, ScrollPosition());
}

CellRects CTavoView::CellRect(int index) const {
    const CellStyle style = Style();
    return CellGeometry(layout_, style.metrics, style.listMode, index, FirstVisibleIndex());
}

HitResult CTavoView::HitTest(int x, int y) const {
    const CellStyle style = Style();
    return HitTestCell(layout_, style.metrics, style.listMode, doc_.Count(), ScrollPosition(), x,
                       y);
}

void CTavoView::EnsureVisible(int index, bool wholeRowsOnly) {
    SetScroll(EnsureVisibleScroll(layout_, ScrollPosition(), index, wholeRowsOnly));
}

void CTavoView::RedrawCell(int index) {
    viewport()->update(ToQRect(CellRect(index).cell));
}

void CTavoView::RedrawSelection() {
    viewport()->update();
}

void CTavoView::ModeChanged() {
    scheduledFirst_ = -1;
    RecalcLayout(true);
    ShowCurrentInStrip();
}

bool CTavoView::ThumbnailsComplete() const {
    return painted_ && visibleMissing_ == 0;
}

void CTavoView::OnListChanged(UpdateHint hint) {
    // A new order keeps the work going; entries that went or changed end it.
    if (hint != kHintOrderChanged) CancelThumbnails();
    scheduledFirst_ = -1;
    shootingDates_.clear();
    RecalcLayout(true);
    const int current = doc_.FirstSelected();
    if (current >= 0) EnsureVisible(current, true);
}

void CTavoView::OnCurrentChanged(const CImageEntry* entry) {
    if (drag_ != kNoDrag || entry == nullptr) return;
    EnsureVisible(doc_.IndexOf(entry), true);
    RedrawSelection();
}

void CTavoView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    RecalcLayout(false);
    ShowCurrentInStrip();
}

void CTavoView::ShowCurrentInStrip() {
    // The strip keeps the image shown beside it in sight whatever its size.
    const int mode = host_.Mode();
    if (mode != kModeFilmstrip && mode != kModeVgaFilmstrip) return;
    if (const int current = doc_.FirstSelected(); current >= 0) EnsureVisible(current, true);
}

void CTavoView::scrollContentsBy(int, int) {
    viewport()->update();
}

bool CTavoView::IsCut(const CImageEntry& entry) const {
    const FileClipboard& clip = doc_.Clipboard();
    return clip.cut && clip.sourceFolder == doc_.CurrentFolder() &&
           std::find(clip.names.begin(), clip.names.end(), entry.Name()) != clip.names.end();
}

void CTavoView::paintEvent(QPaintEvent* event) {
    // While a mode switch runs nothing is drawn and no thumbnail is listed: the switch
    // invalidates the view once it is done.
    if (host_.RepaintBlocked()) return;
    QPainter p(viewport());
    const int mode = host_.Mode();
    const CellStyle style = Style();
    const QColor empty = style.listMode ? Qt::white : ToQColor(style.previewColour);
    if (!PaintsCells(mode)) {
        p.fillRect(event->rect(), ToQColor(style.previewColour));
        return;
    }
    if (doc_.Count() == 0 || layout_.Empty()) {
        p.fillRect(event->rect(), empty);
        // An empty folder says so, rather than looking unfinished.
        if (doc_.Count() == 0 && !doc_.CurrentFolder().empty()) {
            p.setPen(empty.lightness() < 128 ? QColor(Qt::white) : QColor(Qt::darkGray));
            p.drawText(viewport()->rect().adjusted(8, 8, -8, -8),
                       Qt::AlignCenter | Qt::TextWordWrap,
                       QString::fromStdString(LoadString(2601)));
        }
        painted_ = true;
        visibleMissing_ = 0;
        emit screenComplete();
        return;
    }
    const QColor preview = ToQColor(style.previewColour);
    if (layout_.margin > 0) p.fillRect(0, 0, layout_.margin, viewport()->height(), preview);
    const int gridRight = layout_.margin + layout_.columns * (layout_.cellWidth + layout_.gap);
    if (gridRight < viewport()->width()) {
        p.fillRect(gridRight, 0, viewport()->width() - gridRight, viewport()->height(), preview);
    }
    const int first = FirstVisibleIndex();
    const int last = first + layout_.rows * layout_.columns;  // one past
    const std::string& folder = doc_.CurrentFolder();
    // Painting never decodes: cells without a thumbnail show the placeholder until the workers
    // deliver it.
    int missing = 0;
    bool unlisted = false;
    for (int i = first; i < last; ++i) {
        const CellRects r = CellGeometry(layout_, style.metrics, style.listMode, i, first);
        CImageEntry* entry = i < doc_.Count() ? doc_.EntryAt(i) : nullptr;
        unsigned layers = kLayersAll & ~kLayerPlaceholder;
        const bool failed = entry && failed_.count(entry) != 0;
        if (entry && !entry->Has(kEntryThumbnail)) {
            layers = kLayersAll & ~kLayerImage;
            if (!failed) {
                ++missing;
                unlisted = unlisted || queued_.count(entry) == 0;
            }
        }
        if (!event->region().intersects(ToQRect(r.cell))) continue;
        painter_.DrawCell(p, style, r, i, entry, folder, layers, insertion_, failed);
        // A cut image stays pale until it is pasted elsewhere.
        if (entry && IsCut(*entry)) p.fillRect(ToQRect(r.frame), QColor(255, 255, 255, 140));
    }
    painted_ = true;
    visibleMissing_ = missing;
    emit cellsPainted();
    if (unlisted || first != scheduledFirst_ || last != scheduledLast_) {
        ScheduleThumbnails(first, last);
    }
    if (ThumbnailsComplete()) emit screenComplete();
}

void CTavoView::ScheduleThumbnails(int first, int last) {
    scheduledFirst_ = first;
    scheduledLast_ = last;
    // The shared folders hold upright pictures: with pictures shown as stored they are not used.
    diskCache_ = host_.Prefs().thumbnailCache && host_.Prefs().cameraOrientation;
    const std::string& folder = doc_.CurrentFolder();
    const int count = doc_.Count();
    std::vector<ThumbnailJob> jobs;
    const auto list = [&](int from, int to) {
        for (int i = std::max(from, 0); i < std::min(to, count); ++i) {
            CImageEntry* entry = doc_.EntryAt(i);
            if (entry->Has(kEntryThumbnail) || failed_.count(entry) != 0) continue;
            jobs.push_back(ThumbnailJob{reinterpret_cast<uintptr_t>(entry),
                                        JoinPath(folder, entry->Name()), entry->WriteTime()});
            queued_.insert(entry);
        }
    };
    // The visible cells, then the ones below, then the ones above.
    list(first, last);
    list(last, count);
    list(0, first);
    workers_->Schedule(std::move(jobs));
}

void CTavoView::CancelThumbnails() {
    workers_->Cancel();
    queued_.clear();
    failed_.clear();
}

void CTavoView::TakeThumbnail(ThumbnailResult& result) {
    if (result.generation != workers_->Generation()) return;
    auto* entry = reinterpret_cast<CImageEntry*>(result.job.key);
    if (queued_.erase(entry) == 0) return;
    if (entry->Has(kEntryThumbnail)) return;
    if (entry->WriteTime() != result.job.stamp) {
        // The file changed since it was listed: the repaint below lists it again.
    } else if (result.error == 0) {
        result.image.TransferTo(entry->thumbnail);
        entry->SetFlag(kEntryThumbnail, true);
    } else if ((result.error == kErrNoMemory || result.error == kErrNoResources) &&
               FreeImageMemory(doc_, false)) {
        // Memory was recovered: the next paint lists the entry again.
    } else {
        failed_.insert(entry);
    }
    const int index = doc_.IndexOf(entry);
    const int first = FirstVisibleIndex();
    if (index >= first && index < first + layout_.rows * layout_.columns) {
        viewport()->update(ToQRect(CellRect(index).cell));
        emit thumbnailShown();
    }
}

// Pointer input ---------------------------------------------------------------------------

void CTavoView::mousePressEvent(QMouseEvent* event) {
    setFocus();
    host_.SetActiveView(this);
    const QPoint at = event->position().toPoint();
    const HitResult hit = HitTest(at.x(), at.y());
    const int count = doc_.Count();
    const bool onEntry = hit.index >= 0 && hit.index < count;
    const int mode = host_.Mode();
    const bool onImage =
        onEntry && (ListMode() || hit.part == kPartImage || hit.part == kPartLabel);
    const bool multi = Multi();
    const Qt::KeyboardModifiers extend =
        event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
    if (extend && onImage && event->button() == Qt::LeftButton &&
        (mode == kModeThumbnail || mode == kModeList)) {
        // Ctrl adds or removes one image, Shift takes the run from the last one clicked.
        if (extend & Qt::ShiftModifier) {
            SelectRun(hit.index, (extend & Qt::ControlModifier) != 0);
        } else {
            CImageEntry* entry = doc_.EntryAt(hit.index);
            doc_.SetSelected(hit.index, !entry->Has(kEntrySelected));
            selectAnchor_ = runEnd_ = hit.index;
        }
        RedrawSelection();
        return;
    }
    if (onEntry) selectAnchor_ = runEnd_ = hit.index;
    if (!onEntry || (!ListMode() && hit.part == kPartNone)) {
        if (!multi) {
            doc_.ClearSelection();
            RedrawSelection();
        }
    } else if (onImage && (!multi || mode == kModeFilmstrip || mode == kModeVgaFilmstrip)) {
        if (!doc_.EntryAt(hit.index)->Has(kEntrySelected)) {
            doc_.ClearSelection();
            doc_.SetSelected(hit.index, true);
            RedrawSelection();
        } else {
            pendingClick_ = hit.index;
        }
    }
    if (event->button() == Qt::RightButton) {
        ShowContextMenu(at);
        return;
    }
    pressPoint_ = at;
    hold_.start();
    if (count > 0 && event->button() == Qt::LeftButton) StartRangeOrReorder(hit, onImage);
}

void CTavoView::StartRangeOrReorder(const HitResult& hit, bool onImage) {
    const bool onEntry = hit.index >= 0 && hit.index < doc_.Count();
    if (ListMode()) {
        drag_ = kRangeDrag;
        anchor_ = lastRange_ = onEntry ? hit.index : -1;
        if (Multi() && onEntry) pendingClick_ = hit.index;
    } else if (onImage) {
        drag_ = kReorderDrag;
        if (Multi()) pendingClick_ = hit.index;
    } else {
        drag_ = kRangeDrag;
        anchor_ = -1;
    }
}

void CTavoView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (hold_.isActive() && (at - pressPoint_).manhattanLength() > kHoldSlop) hold_.stop();
    if (drag_ == kNoDrag) return;
    AutoScroll(at.y());
    if (drag_ == kRangeDrag) {
        UpdateRange(HitTest(at.x(), at.y()));
    } else {
        UpdateInsertion(at.x(), at.y());
    }
}

void CTavoView::AutoScroll(int y) {
    if (layout_.MaxScroll() == 0) return;
    if (y < 0) SetScroll(ScrollPosition() - layout_.cellHeight);
    if (y >= viewport()->height()) SetScroll(ScrollPosition() + layout_.cellHeight);
}

void CTavoView::UpdateRange(const HitResult& hit) {
    const int count = doc_.Count();
    if (anchor_ < 0) {
        doc_.ClearSelection();
        if (hit.index >= 0 && hit.index < count &&
            (hit.part == kPartImage || hit.part == kPartFrame || hit.part == kPartSelection)) {
            anchor_ = lastRange_ = hit.index;
            pendingClick_ = -1;
        }
        RedrawSelection();
        return;
    }
    const int index = std::clamp(hit.index, 0, count - 1);
    if (index == lastRange_) return;
    pendingClick_ = -1;
    doc_.ClearSelection();
    for (int i = std::min(anchor_, index); i <= std::max(anchor_, index); ++i) {
        doc_.EntryAt(i)->SetFlag(kEntrySelected, true);
    }
    lastRange_ = index;
    RedrawSelection();
}

void CTavoView::UpdateInsertion(int x, int y) {
    const HitResult hit = HitTest(x, y);
    const int count = doc_.Count();
    int insertion;
    if (hit.index < 0) {
        insertion = 0;
    } else if (hit.index >= count) {
        insertion = count;
    } else {
        const CellRects r = CellRect(hit.index);
        insertion = x < r.cell.left + (layout_.gap + 1) / 2 + 2 ? hit.index : hit.index + 1;
    }
    if (insertion != insertion_) {
        insertion_ = insertion;
        RedrawSelection();
    }
}

void CTavoView::mouseReleaseEvent(QMouseEvent*) {
    hold_.stop();
    if (drag_ == kReorderDrag && insertion_ >= 0) {
        const int current = doc_.FirstSelected();
        if (doc_.SelectedCount() < doc_.Count() && insertion_ != current &&
            insertion_ != current + 1) {
            MoveSelected(doc_, insertion_);
            EnsureVisible(doc_.FirstSelected(), true);
            pendingClick_ = -1;
        }
    }
    if (pendingClick_ >= 0 && pendingClick_ < doc_.Count()) {
        if (!Multi()) {
            doc_.ClearSelection();
            doc_.SetSelected(pendingClick_, true);
        } else {
            CImageEntry* entry = doc_.EntryAt(pendingClick_);
            entry->SetFlag(kEntrySelected, !entry->Has(kEntrySelected));
        }
    }
    EndDrag();
    RedrawSelection();
}

void CTavoView::EndDrag() {
    drag_ = kNoDrag;
    insertion_ = anchor_ = lastRange_ = pendingClick_ = -1;
}

void CTavoView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const HitResult hit = HitTest(at.x(), at.y());
    const bool onEntry = hit.index >= 0 && hit.index < doc_.Count();
    if (onEntry && (ListMode() || hit.part == kPartImage || hit.part == kPartLabel)) {
        hold_.stop();
        EndDrag();
        doc_.ClearSelection();
        doc_.SetSelected(hit.index, true);
        RedrawSelection();
        host_.PostCommand(kModeFilmstrip);
        return;
    }
    if (doc_.Count() > 0) StartRangeOrReorder(hit, false);
}

void CTavoView::OnHold() {
    pendingClick_ = -1;
    EndDrag();
    ShowContextMenu(pressPoint_);
}

void CTavoView::ShowContextMenu(const QPoint& at) {
    pendingClick_ = -1;
    EndDrag();
    const char* name = nullptr;
    if (doc_.SelectedCount() > 0) {
        name = "Thumbnail";
    } else if (doc_.Count() > 0) {
        name = "Thumbnail2";
    }
    if (name == nullptr) return;
    if (QMenu* menu = host_.ContextMenu(name)) menu->popup(viewport()->mapToGlobal(at));
}

// Keys --------------------------------------------------------------------------------------

void CTavoView::SelectRun(int to, bool keep) {
    const int count = doc_.Count();
    if (count == 0) return;
    to = std::clamp(to, 0, count - 1);
    const int from = selectAnchor_ >= 0 && selectAnchor_ < count ? selectAnchor_ : to;
    if (!keep) doc_.ClearSelection();
    for (int i = std::min(from, to); i <= std::max(from, to); ++i)
        doc_.EntryAt(i)->SetFlag(kEntrySelected, true);
    selectAnchor_ = from;
    runEnd_ = to;
    doc_.SetSelected(to, true);  // the run's moving end is the current image
    EnsureVisible(to, true);
    RedrawSelection();
}

bool CTavoView::DesktopKey(QKeyEvent* event) {
    const int mode = host_.Mode();
    const bool browse = mode == kModeThumbnail || mode == kModeList;
    const int count = doc_.Count();
    const int columns = std::max(1, layout_.columns);
    const int page = columns * std::max(1, viewport()->height() / std::max(1, layout_.cellHeight));
    int target = -1;
    switch (event->key()) {
        case Qt::Key_Home:
            target = 0;
            break;
        case Qt::Key_End:
            target = count - 1;
            break;
        case Qt::Key_PageUp:
            target = std::max(0, CurrentIndex() - page);
            break;
        case Qt::Key_PageDown:
            target = std::min(count - 1, CurrentIndex() + page);
            break;
        case Qt::Key_Menu:
            ShowContextMenu(CurrentIndex() >= 0 ? CellCentre(CurrentIndex()) : QPoint(8, 8));
            return true;
        case Qt::Key_F10:
            if (event->modifiers() != Qt::ShiftModifier) return false;
            ShowContextMenu(CurrentIndex() >= 0 ? CellCentre(CurrentIndex()) : QPoint(8, 8));
            return true;
        default:
            break;
    }
    const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    if (target < 0 && shift && browse) {
        // Shift with an arrow grows the run by one image, or by one row up and down.
        const int from = runEnd_ >= 0 && runEnd_ < count ? runEnd_ : CurrentIndex();
        const int row = mode == kModeThumbnail ? columns : 1;
        if (event->key() == Qt::Key_Left) target = from - 1;
        if (event->key() == Qt::Key_Right) target = from + 1;
        if (event->key() == Qt::Key_Up) target = from - row;
        if (event->key() == Qt::Key_Down) target = from + row;
        if (target == -1 && event->key() != Qt::Key_Left && event->key() != Qt::Key_Up) {
            return false;
        }
        if (target < 0 || target >= count) {
            host_.Beep();
            return true;
        }
    }
    if (target < 0) return false;
    if (shift && browse) {
        SelectRun(target, false);
    } else {
        MoveTo(target);
    }
    return true;
}

int CTavoView::CurrentIndex() const {
    return runEnd_ >= 0 && runEnd_ < doc_.Count() && doc_.EntryAt(runEnd_)->Has(kEntrySelected)
               ? runEnd_
               : doc_.FirstSelected();
}

QPoint CTavoView::CellCentre(int index) {
    const Rect r = CellRect(index).cell;
    return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void CTavoView::keyPressEvent(QKeyEvent* event) {
    if (drag_ != kNoDrag || doc_.Count() == 0) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    if (DesktopKey(event)) return;
    const int mode = host_.Mode();
    const bool browse = mode == kModeThumbnail || mode == kModeList;
    const bool upDownZoom = !browse && !host_.Prefs().preferences.IsSet(pref::kUpDownBrowse);
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (browse) host_.PostCommand(kModeFilmstrip);
            if (mode == kModeFilmstrip) host_.PostCommand(kModeFullScreen);
            return;
        case Qt::Key_Left:
            MoveBy(-1);
            return;
        case Qt::Key_Right:
            MoveBy(1);
            return;
        case Qt::Key_Up:
            if (upDownZoom) {
                host_.PostCommand(33000);
            } else {
                MoveBy(-1);
            }
            return;
        case Qt::Key_Down:
            if (upDownZoom) {
                host_.PostCommand(33100);
            } else {
                MoveBy(1);
            }
            return;
        default:
            QAbstractScrollArea::keyPressEvent(event);
    }
}

void CTavoView::MoveBy(int step) {
    const int current = doc_.FirstSelected();
    int next;
    if (current < 0) {
        next = 0;
    } else {
        next = current + step;
        if (next < 0 || next >= doc_.Count()) {
            host_.Beep();
            return;
        }
    }
    MoveTo(next);
}

void CTavoView::MoveTo(int next) {
    selectAnchor_ = runEnd_ = next;
    doc_.ClearSelection();
    doc_.SetSelected(next, true);
    EnsureVisible(next, true);
    RedrawSelection();
}

}  // namespace xelo
