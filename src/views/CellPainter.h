// Paints one thumbnail cell (thumbnail modes) or one row (List mode) in layers.
#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <functional>
#include <string>

#include "views/CellLayout.h"

class QPainter;

namespace xelo {

class CImageEntry;
class CDibImage;

// The layers of a cell, painted in this order.
enum CellLayer : unsigned {
    kLayerBackground = 0x1,
    kLayerSelection = 0x2,
    kLayerFrame = 0x4,
    kLayerPlaceholder = 0x8,
    kLayerImage = 0x10,
    kLayerLabel = 0x20,
    kLayerInsertion = 0x40,
    kLayerIndicators = 0x80,
    kLayersAll = 0xFF,
};

enum FrameStyle : int { kFrameNone = 0, kFrameFlat, kFrameRaised, kFrameSunken, kFrame3D };

struct CellStyle {
    CellMetrics metrics;
    bool listMode = false;
    int frameStyle = kFrame3D;
    bool showIndex = true;
    bool fitPreview = false;
    uint32_t previewColour = 0x666666;    // 0x00BBGGRR
    uint32_t thumbnailColour = 0x999999;  // 0x00BBGGRR
};

// The selection colour: blue in List mode; elsewhere the opposite of the Preview colour per
// channel (yellow on dark grey, blue on white).
QColor HighlightColour(const CellStyle& style);
QColor ToQColor(uint32_t colour);

// The raster of a thumbnail as a QImage over the same memory (no copy): 24-bit rows as BGR888,
// palette rows as Indexed8 with the palette as colour table.
QImage WrapDib(const CDibImage& image);

// A text shortened with "..." until it fits `width` in `metrics`.
QString ShortenToWidth(const QString& text, const QFontMetrics& metrics, int width);

class CellPainter {
  public:
    CellPainter();

    // Paints `layers` of the cell of `index`; `entry` null means a cell past the end.
    // `failed` marks an entry whose thumbnail could not be made: the placeholder icon shows.
    void DrawCell(QPainter& p, const CellStyle& style, const CellRects& r, int index,
                  CImageEntry* entry, const std::string& folder, unsigned layers,
                  int insertionIndex, bool failed) const;

    // The thumbnail fitted and centred in `rect` (or stretched), the uncovered bands in
    // `boxColour`; without a thumbnail the placeholder icon in the middle.
    static void DrawThumbnail(QPainter& p, const CImageEntry& entry, const QRect& rect,
                              const QColor& boxColour, bool stretch);

    const QFont& LabelFont() const { return small_; }

    // The shooting date of an entry for List mode's fourth line (empty: three lines).
    std::function<std::string(const CImageEntry&)> shootingDate;

  private:
    void DrawFrame(QPainter& p, const CellStyle& style, const QRect& frame) const;
    void DrawIndex(QPainter& p, const QRect& image, int index, bool show) const;
    void DrawLabel(QPainter& p, const CellStyle& style, const CellRects& r,
                   const CImageEntry& entry, bool selected) const;
    void DrawListText(QPainter& p, const CellRects& r, const CImageEntry& entry,
                      const std::string& folder, bool selected) const;
    void DrawIndicators(QPainter& p, const QRect& strip, CImageEntry& entry,
                        const std::string& folder) const;

    QFont small_;   // 7 points: labels and index numbers
    QFont normal_;  // 8 points: List-mode lines 2 to 4
    QFont bold_;    // 8 points, weight 600: List-mode file names
};

// The two small drawn icon sets: annotation indicators 0..5 (10 pixels) and the placeholder (16).
void DrawIndicatorIcon(QPainter& p, int icon, int x, int y);
void DrawPlaceholderIcon(QPainter& p, int x, int y);

}  // namespace xelo
