// The cell painter of the thumbnail and list views.
#include "views/CellPainter.h"

#include <QFontMetrics>
#include <QPainter>

#include "album/ImageEntry.h"
#include "base/StringTable.h"
#include "image/DibImage.h"
#include "image/FitSize.h"
#include "image/Palette.h"
#include "image/Reducer.h"
#include "image/TavoException.h"
#include "views/ListTexts.h"

namespace xelo {

namespace {

QRect ToQRect(const Rect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

// One-pixel ring on the outside of `r`: top and left in `topLeft`, bottom and right in
// `bottomRight`.
void Ring(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    if (r.width() <= 0 || r.height() <= 0) return;
    p.fillRect(r.left(), r.top(), r.width(), 1, topLeft);
    p.fillRect(r.left(), r.top(), 1, r.height(), topLeft);
    p.fillRect(r.left(), r.bottom(), r.width(), 1, bottomRight);
    p.fillRect(r.right(), r.top(), 1, r.height(), bottomRight);
}

constexpr uint32_t kStrShooting = 2484;  // "Shooting: "

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kLight(0xCC, 0xCC, 0xCC);
const QColor kDark(0x66, 0x66, 0x66);

// Fills `outer` less `inner` with `colour` (four bands).
void FillAround(QPainter& p, const QRect& outer, const QRect& inner, const QColor& colour) {
    p.fillRect(QRect(outer.left(), outer.top(), outer.width(), inner.top() - outer.top()), colour);
    p.fillRect(
        QRect(outer.left(), inner.bottom() + 1, outer.width(), outer.bottom() - inner.bottom()),
        colour);
    p.fillRect(QRect(outer.left(), inner.top(), inner.left() - outer.left(), inner.height()),
               colour);
    p.fillRect(QRect(inner.right() + 1, inner.top(), outer.right() - inner.right(), inner.height()),
               colour);
}

QFont MakeFont(double points, int weight) {
    QFont f;  // the desktop's default sans face stands in for "System"
    f.setPointSizeF(points);
    f.setWeight(static_cast<QFont::Weight>(weight));
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

}  // namespace

QColor ToQColor(uint32_t colour) {
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

QColor HighlightColour(const CellStyle& style) {
    if (style.listMode) return QColor(0, 0, 255);
    const uint32_t c = style.previewColour;
    return QColor(RedOf(c) < 0x80 ? 255 : 0, GreenOf(c) < 0x80 ? 255 : 0,
                  BlueOf(c) < 0x80 ? 0 : 255);
}

QImage WrapDib(const CDibImage& image) {
    if (image.IsEmpty()) return QImage();
    const qsizetype stride = static_cast<qsizetype>(image.Stride());
    if (image.BytesPerPixel() == 3) {
        return QImage(image.Bits(), image.Width(), image.Height(), stride, QImage::Format_BGR888);
    }
    QImage wrapped(image.Bits(), image.Width(), image.Height(), stride, QImage::Format_Indexed8);
    QList<QRgb> table(256, qRgb(0, 0, 0));
    if (const LogPalette* palette = image.Palette()) {
        for (int i = 0; i < palette->count && i < 256; ++i) {
            const PaletteEntry& e = palette->entries[i];
            table[i] = qRgb(e.red, e.green, e.blue);
        }
    }
    wrapped.setColorTable(table);
    return wrapped;
}

QString ShortenToWidth(const QString& text, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width) return text;
    int n = width / std::max(1, metrics.averageCharWidth());
    QString shortened;
    do {
        shortened = text.left(std::max(0, n - 3)) + QStringLiteral("...");
        --n;
    } while (n > 0 && metrics.horizontalAdvance(shortened) > width);
    return shortened;
}

CellPainter::CellPainter()
    : small_(MakeFont(7, 400)), normal_(MakeFont(8, 400)), bold_(MakeFont(8, 600)) {}

void CellPainter::DrawThumbnail(QPainter& p, const CImageEntry& entry, const QRect& rect,
                                const QColor& boxColour, bool stretch) {
    if (!entry.Has(kEntryThumbnail) || entry.thumbnail.IsEmpty()) {
        p.fillRect(rect, boxColour);
        DrawPlaceholderIcon(p, rect.left() + (rect.width() - 16) / 2,
                            rect.top() + (rect.height() - 16) / 2);
        return;
    }
    const QImage image = WrapDib(entry.thumbnail);
    QRect dest = rect;
    if (!stretch) {
        const Size fit = FitSize(rect.width(), rect.height(), image.width(), image.height(), false);
        dest = QRect(rect.left() + (rect.width() - fit.width + 1) / 2,
                     rect.top() + (rect.height() - fit.height + 1) / 2, fit.width, fit.height);
        FillAround(p, rect, dest, boxColour);
    }
    // The smaller cell sizes show the stored thumbnail filtered down, not sampled.
    const CDibImage& thumb = entry.thumbnail;
    if (dest.width() <= thumb.Width() && dest.height() <= thumb.Height() &&
        dest.size() != image.size() && CanReduceSmoothly(thumb)) {
        try {
            CDibImage reduced;
            ReduceImage(thumb, reduced, Size{dest.width(), dest.height()});
            p.drawImage(dest.topLeft(), WrapDib(reduced));
            return;
        } catch (const CTavoException&) {
        }
    }
    p.drawImage(dest, image);
}

void CellPainter::DrawCell(QPainter& p, const CellStyle& style, const CellRects& r, int index,
                           CImageEntry* entry, const std::string& folder, unsigned layers,
                           int insertionIndex, bool failed) const {
    const QRect cell = ToQRect(r.cell);
    const QRect frame = ToQRect(r.frame);
    const QRect image = ToQRect(r.image);
    const QColor preview = ToQColor(style.previewColour);
    if (entry == nullptr) {
        if (layers & kLayerBackground) p.fillRect(cell, style.listMode ? kWhite : preview);
        return;
    }
    const bool selected = entry->Has(kEntrySelected);
    const QColor highlight = HighlightColour(style);
    if ((layers & kLayerBackground) && !style.listMode) {
        const QRect label = ToQRect(r.label);
        const QRect above(cell.left(), cell.top(), cell.width(), label.top() - cell.top());
        FillAround(p, above, frame, preview);
        // Beside the label, down to the cell's bottom.
        p.fillRect(QRect(cell.left(), label.top(), label.left() - cell.left(), label.height()),
                   preview);
        p.fillRect(
            QRect(label.right() + 1, label.top(), cell.right() - label.right(), label.height()),
            preview);
    }
    if (layers & kLayerSelection) {
        if (style.listMode) {
            const QColor band =
                selected ? QColor(0, 0, 255)
                         : (index % 2 == 0 ? QColor(0xFF, 0xA4, 0xA4) : QColor(0xFF, 0xFF, 0xA4));
            FillAround(p, cell, frame, band);
            layers |= kLayerLabel;
        } else {
            const QRect sel = ToQRect(r.selection);
            const QColor ring = selected ? highlight : preview;
            Ring(p, sel, ring, ring);
            Ring(p, sel.adjusted(1, 1, -1, -1), ring, ring);
        }
    }
    if ((layers & kLayerFrame) && style.metrics.border > 0) DrawFrame(p, style, frame);
    if (layers & kLayerPlaceholder) {
        if (failed) {
            DrawThumbnail(p, *entry, image, ToQColor(style.thumbnailColour), false);
        } else {
            p.fillRect(image, ToQColor(style.thumbnailColour));
        }
        DrawIndex(p, image, index, style.showIndex);
        layers &= ~(kLayerImage | kLayerIndicators);
    }
    if (layers & kLayerImage) {
        DrawThumbnail(p, *entry, image, ToQColor(style.thumbnailColour), style.fitPreview);
        DrawIndex(p, image, index, style.showIndex);
        layers |= kLayerIndicators;
    }
    if (layers & kLayerLabel) {
        if (style.listMode) {
            DrawListText(p, r, *entry, folder, selected);
        } else if (style.metrics.label > 0) {
            DrawLabel(p, style, r, *entry, selected);
        }
    }
    if ((layers & kLayerInsertion) && !style.listMode) {
        const QColor mark = index == insertionIndex ? highlight : preview;
        p.fillRect(QRect(cell.left(), cell.top() + 2, 1,
                         cell.bottom() + 1 - style.metrics.label - (cell.top() + 2)),
                   mark);
    }
    if (layers & kLayerIndicators) DrawIndicators(p, ToQRect(r.indicators), *entry, folder);
}

void CellPainter::DrawFrame(QPainter& p, const CellStyle& style, const QRect& frame) const {
    const int b = style.metrics.border;
    QRect ring = frame;
    auto next = [&ring](QPainter& painter, const QColor& tl, const QColor& br) {
        Ring(painter, ring, tl, br);
        ring.adjust(1, 1, -1, -1);
    };
    switch (style.frameStyle) {
        case kFrameFlat:
            next(p, kBlack, kBlack);
            for (int i = 1; i < b; ++i)
                next(p, kWhite, kWhite);
            break;
        case kFrameRaised:
            next(p, kWhite, kBlack);
            if (b > 1) next(p, kLight, kDark);
            for (int i = 2; i < b; ++i)
                next(p, kWhite, kWhite);
            break;
        case kFrameSunken:
            next(p, kDark, kLight);
            if (b > 1) next(p, kBlack, kWhite);
            for (int i = 2; i < b; ++i)
                next(p, kWhite, kWhite);
            break;
        default:  // 3D border
            next(p, kWhite, kBlack);
            for (int i = 2; i < b; ++i)
                next(p, kLight, kLight);
            if (b > 1) next(p, kBlack, kWhite);
            break;
    }
}

void CellPainter::DrawIndex(QPainter& p, const QRect& image, int index, bool show) const {
    if (!show) return;
    p.setFont(small_);
    const QString text = QString::number(index + 1);
    const int ascent = QFontMetrics(small_).ascent();
    p.setPen(kBlack);
    p.drawText(image.left() + 1, image.top() + 1 + ascent, text);
    p.setPen(QColor(255, 255, 0));
    p.drawText(image.left(), image.top() + ascent, text);
}

void CellPainter::DrawLabel(QPainter& p, const CellStyle&, const CellRects& r,
                            const CImageEntry& entry, bool) const {
    const QRect label = ToQRect(r.label);
    p.fillRect(label, kWhite);
    p.setFont(small_);
    p.setPen(kBlack);
    const QFontMetrics metrics(small_);
    const QString text =
        ShortenToWidth(QString::fromStdString(entry.Name()), metrics, label.width());
    p.drawText(label, Qt::AlignCenter | Qt::TextSingleLine, text);
}

void CellPainter::DrawListText(QPainter& p, const CellRects& r, const CImageEntry& entry,
                               const std::string&, bool selected) const {
    const QRect text = ToQRect(r.label);
    p.fillRect(text, selected ? QColor(0, 0, 255) : kWhite);
    p.setPen(selected ? kWhite : kBlack);
    const std::string shot = shootingDate ? shootingDate(entry) : std::string();
    const int lines = shot.empty() ? 3 : 4;
    const int lineHeight = text.height() / lines;
    const int first = lineHeight + text.height() % lines;
    const EntryHeader& h = entry.Header();
    const QFontMetrics normal(normal_);

    p.setFont(bold_);
    QRect line(text.left(), text.top(), text.width(), first);
    p.drawText(
        line, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
        ShortenToWidth(QString::fromStdString(entry.Name()), QFontMetrics(bold_), text.width()));

    p.setFont(normal_);
    line = QRect(text.left(), text.top() + first, text.width(), lineHeight);
    const int bits = BitsPerPixel(h.colourCount, entry.Has(kEntryHeader));
    p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
               QString::asprintf("%u x %u x %u bits", unsigned(h.width), unsigned(h.height),
                                 unsigned(bits)));
    const int typeWidth = 6 * normal.averageCharWidth();
    p.drawText(QRect(line.right() - typeWidth, line.top(), typeWidth, line.height()),
               Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
               QString::fromStdString(TypeName(entry.Type())));

    line.translate(0, lineHeight);
    p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
               QString::fromStdString(FormatListDate(entry.WriteTime())));
    const int sizeWidth = 15 * normal.averageCharWidth();
    p.drawText(QRect(line.right() - sizeWidth, line.top(), sizeWidth, line.height()),
               Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
               QString::fromStdString(FormatFileSize(entry.Size())));
    if (!shot.empty()) {
        line.translate(0, lineHeight);
        p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   QString::fromStdString(LoadString(kStrShooting) + shot));
    }
}

void CellPainter::DrawIndicators(QPainter& p, const QRect& strip, CImageEntry& entry,
                                 const std::string& folder) const {
    const uint32_t notes = entry.Annotations(folder);
    int x = strip.left();
    const int y = strip.top();
    if (notes & kEntryHasText) {
        DrawIndicatorIcon(p, 0, x, y);
        x += 10;
    }
    if (notes & kEntryHasAudio) {
        DrawIndicatorIcon(p, 2, x, y);
        x += 10;
    }
    if (notes & kEntryHasInk) {
        DrawIndicatorIcon(p, 1, x, y);
    }
    int right = strip.right() + 1 - 10;
    if (entry.Has(kEntryReadOnly) || entry.Has(kEntryInRom)) {
        DrawIndicatorIcon(p, 4, right, y);
        right -= 10;
    }
    if (entry.Header().frameCount > 1) {
        DrawIndicatorIcon(p, 3, right, y);
        right -= 10;
    }
    if (entry.Has(kEntryHidden)) DrawIndicatorIcon(p, 5, right, y);
}

}  // namespace xelo
