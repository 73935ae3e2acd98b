// Column texts and keys of the browsing lists.
#include "views/ListTexts.h"

#include <cstdio>
#include <ctime>

#include "album/ImageEntry.h"
#include "album/TavoDoc.h"
#include "base/StringTable.h"
#include "codec/ImageCodec.h"

namespace xelo {

namespace {

constexpr uint32_t kStrTypeNames = 2404;  // "BMP|GIF|JPEG|PNG|TIFF|WebP|HEIC|AVIF"

template <typename... Args>
std::string Format(const char* format, Args... args) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}

// Whole units and two decimals of `value` in `unit`s; the decimals are dropped when 0.
std::string WithDecimals(uint64_t value, uint64_t unit, const char* suffix) {
    const unsigned long whole = static_cast<unsigned long>(value / unit);
    const int decimals = static_cast<int>((value % unit) * 100 / unit);
    if (decimals == 0) return Format("%lu %s", whole, suffix);
    return Format("%lu.%.2d %s", whole, decimals, suffix);
}

std::tm LocalTime(int64_t writeTimeNs) {
    const std::time_t seconds = static_cast<std::time_t>(writeTimeNs / 1000000000);
    std::tm local{};
    localtime_r(&seconds, &local);
    return local;
}

uint32_t SortColours(const CImageEntry& e) {
    const uint32_t c = e.Header().colourCount;
    return c == kGreyColourCount ? 256 : c;
}

template <typename T>
int Sign(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

std::string FormatFileSize(uint64_t bytes) {
    if (bytes < 1024) return Format("%lu B", static_cast<unsigned long>(bytes));
    if (bytes < 1024 * 1024) return WithDecimals(bytes, 1024, "KB");
    return WithDecimals(bytes, 1024 * 1024, "MB");
}

int BitsPerPixel(uint32_t colourCount, bool headerKnown) {
    if (!headerKnown) return 0;
    switch (colourCount) {
        case 0xFFFFFFFF:  // 32 bits: 2^32 colours do not fit the count, which saturates
            return 32;
        case 1u << 24:
            return 24;
        case 65536:
            return 16;
        case 32768:
            return 15;
        case 256:
        case kGreyColourCount:
            return 8;
        case 128:
            return 7;
        case 64:
            return 6;
        case 32:
            return 5;
        case 16:
            return 4;
        case 8:
            return 3;
        case 4:
            return 2;
        default:
            return 1;
    }
}

std::string TypeName(int32_t format) {
    const std::string names = LoadString(kStrTypeNames);
    switch (format) {
        case kFormatBmp:
            return FieldItem(names, 0);
        case kFormatGif:
            return FieldItem(names, 1);
        case kFormatJpeg:
            return FieldItem(names, 2);
        case kFormatPng:
            return FieldItem(names, 3);
        case kFormatTiff:
            return FieldItem(names, 4);
        case kFormatWebp:
            return FieldItem(names, 5);
        case kFormatHeif:
            return FieldItem(names, 6);
        case kFormatAvif:
            return FieldItem(names, 7);
        default:
            return std::string();
    }
}

int64_t ActualTenths(int32_t pixels, int32_t dpi, bool headerKnown) {
    if (!headerKnown || dpi <= 0 || pixels < 0) return -1;
    return static_cast<int64_t>(pixels) * 10 / dpi;
}

std::string FormatActualSize(int64_t tenths) {
    if (tenths < 0) return "N/A";
    return Format("%li.%.1d Inches", static_cast<long>(tenths / 10), static_cast<int>(tenths % 10));
}

std::string FormatColours(uint32_t colourCount) {
    const uint32_t c = colourCount == kGreyColourCount ? 256 : colourCount;
    if (c < 1000000) return Format("%li", static_cast<long>(c));
    const long millions = static_cast<long>(c / 1000000);
    const int decimals = static_cast<int>((c % 1000000) / 10000);
    if (decimals == 0) return Format("%li M", millions);
    return Format("%li.%.2d M", millions, decimals);
}

std::string FormatShortDate(int64_t writeTimeNs) {
    const std::tm t = LocalTime(writeTimeNs);
    return Format("%.2d/%.2d/%.2d %.2d:%.2d", t.tm_mon + 1, t.tm_mday, t.tm_year % 100, t.tm_hour,
                  t.tm_min);
}

std::string FormatListDate(int64_t writeTimeNs) {
    const std::tm t = LocalTime(writeTimeNs);
    return Format("%.4d-%.2d-%.2d %.2d:%.2d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour,
                  t.tm_min);
}

std::string ColumnText(const CImageEntry& e, int position, int column) {
    const EntryHeader& h = e.Header();
    const bool known = e.Has(kEntryHeader);
    switch (column) {
        case kColName:
            return e.Name();
        case kColOrder:
            return Format("%lu", static_cast<unsigned long>(position + 1));
        case kColWidth:
            return Format("%lu", static_cast<unsigned long>(h.width));
        case kColHeight:
            return Format("%lu", static_cast<unsigned long>(h.height));
        case kColActualWidth:
            return FormatActualSize(ActualTenths(h.width, h.xResolution, known));
        case kColActualHeight:
            return FormatActualSize(ActualTenths(h.height, h.yResolution, known));
        case kColColors:
            return FormatColours(h.colourCount);
        case kColType:
            return TypeName(e.Type());
        case kColLayers:
            return Format("%lu", static_cast<unsigned long>(h.frameCount));
        case kColDate:
            return FormatShortDate(e.WriteTime());
        case kColSize:
            return FormatFileSize(e.Size());
        default:
            return std::string();
    }
}

int CompareByColumn(const CImageEntry& a, int positionA, const CImageEntry& b, int positionB,
                    int column) {
    const EntryHeader& ha = a.Header();
    const EntryHeader& hb = b.Header();
    int r = 0;
    switch (column) {
        case kColOrder:
            r = Sign(positionA, positionB);
            break;
        case kColWidth:
            r = Sign(ha.width, hb.width);
            break;
        case kColHeight:
            r = Sign(ha.height, hb.height);
            break;
        case kColActualWidth:
            r = Sign(ActualTenths(ha.width, ha.xResolution, a.Has(kEntryHeader)),
                     ActualTenths(hb.width, hb.xResolution, b.Has(kEntryHeader)));
            break;
        case kColActualHeight:
            r = Sign(ActualTenths(ha.height, ha.yResolution, a.Has(kEntryHeader)),
                     ActualTenths(hb.height, hb.yResolution, b.Has(kEntryHeader)));
            break;
        case kColColors:
            r = Sign(SortColours(a), SortColours(b));
            break;
        case kColType:
            r = Sign(a.Type(), b.Type());
            break;
        case kColLayers:
            r = Sign(ha.frameCount, hb.frameCount);
            break;
        // Whole seconds: the stored time's finer part is not shown and does not sort.
        case kColDate:
            r = Sign(a.WriteTime() / 1000000000, b.WriteTime() / 1000000000);
            break;
        case kColSize:
            r = Sign(a.Size(), b.Size());
            break;
        default:
            break;
    }
    return r != 0 ? r : CompareNames(a.Name(), b.Name());
}

}  // namespace xelo
