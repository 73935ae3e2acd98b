// The texts of the List-mode lines and the Filename columns, and the Filename sort keys.
#pragma once

#include <cstdint>
#include <string>

namespace xelo {

class CImageEntry;

// The Filename view's columns, in order.
enum FilenameColumn : int {
    kColName = 0,
    kColOrder,
    kColWidth,
    kColHeight,
    kColActualWidth,
    kColActualHeight,
    kColColors,
    kColType,
    kColLayers,
    kColDate,
    kColSize,
    kColumnCount,
};

// "123 B", "12.34 KB", "5 MB": units of 1024 with two decimals when they are not 0.
std::string FormatFileSize(uint64_t bytes);
// Bits per pixel from the header's colour count (257 = greyscale counts as 8); 0 when unknown.
int BitsPerPixel(uint32_t colourCount, bool headerKnown);
// "BMP", "GIF", "JPEG"; empty for an unknown format.
std::string TypeName(int32_t format);
// Pixels at `dpi` in tenths of an inch, truncated; -1 when the size cannot be known.
int64_t ActualTenths(int32_t pixels, int32_t dpi, bool headerKnown);
// "4.2 Inches", or "N/A".
std::string FormatActualSize(int64_t tenths);
// Below a million as is; above as millions with two decimals ("16.77 M", "2 M").
std::string FormatColours(uint32_t colourCount);
// The write time in local time as "MM/DD/YY hh:mm".
std::string FormatShortDate(int64_t writeTimeNs);
// The write time in local time for the List view: "YYYY-MM-DD hh:mm".
std::string FormatListDate(int64_t writeTimeNs);

// The text of one Filename column for the entry at `position` of the document.
std::string ColumnText(const CImageEntry& entry, int position, int column);
// Compares two entries by a column's key; equal keys and the Name column compare the names
// without regard to case. Positions are the entries' places in the document.
int CompareByColumn(const CImageEntry& a, int positionA, const CImageEntry& b, int positionB,
                    int column);

}  // namespace xelo
