// WriteBmp: bottom-up rows, a colour table for palette output, nearest-neighbour scaling.
#include "codec/BmpWriter.h"

#include <cstring>
#include <vector>

#include "codec/FileWriter.h"
#include "image/FitSize.h"
#include "image/TavoException.h"

namespace xelo {

namespace {
constexpr uint32_t kUnit = 41;
constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;
constexpr double kInchesPerMetre = 39.37;

[[noreturn]] void Throw(uint32_t code, uint32_t line) {
    ThrowError(code, {kComponentImageWriters, kUnit, line});
}

int32_t PixelsPerMetre(int dpi) {
    return static_cast<int32_t>(dpi * kInchesPerMetre + 0.5);
}
}  // namespace

void WriteBmp(const std::string& path, const BmpSource& source, int percent, Resolution dpi) {
    if (source.bits == nullptr || source.width <= 0 || source.height <= 0 || percent <= 0 ||
        (source.bytesPerPixel != 1 && source.bytesPerPixel != 3) ||
        (source.bytesPerPixel == 1 && source.palette == nullptr)) {
        Throw(kErrInvalidParameter, __LINE__);
    }
    const int64_t outWidth = PercentLength(source.width, percent);
    const int64_t outHeight = PercentLength(source.height, percent);
    if (outWidth <= 0 || outHeight <= 0 || outWidth > INT32_MAX || outHeight > INT32_MAX) {
        Throw(kErrInvalidParameter, __LINE__);
    }

    int bitCount = 24;
    int colours = 0;
    if (source.bytesPerPixel == 1) {
        const int n = source.palette->count;
        if (n <= 2) {
            bitCount = 1;
            colours = 2;
        } else if (n <= 16) {
            bitCount = 4;
            colours = 16;
        } else {
            bitCount = 8;
            colours = 256;
        }
    }
    const int64_t rowBytes = (outWidth * bitCount + 31) / 32 * 4;
    const uint32_t pixelOffset = kFileHeaderBytes + kInfoHeaderBytes + 4 * colours;
    const int64_t fileSize = rowBytes * outHeight + pixelOffset;
    if (fileSize > UINT32_MAX) Throw(kErrInvalidParameter, __LINE__);

    CFileWriter file(path, {kComponentImageWriters, kUnit, __LINE__});
    file.Write("BM", 2);
    file.WriteLe32(static_cast<uint32_t>(fileSize));
    file.WriteLe32(0);  // bfReserved1, bfReserved2
    file.WriteLe32(pixelOffset);

    file.WriteLe32(kInfoHeaderBytes);
    file.WriteLe32(static_cast<uint32_t>(outWidth));
    file.WriteLe32(static_cast<uint32_t>(outHeight));  // positive: rows bottom-up
    file.WriteLe16(1);                                 // biPlanes
    file.WriteLe16(static_cast<uint16_t>(bitCount));
    file.WriteLe32(0);  // biCompression
    file.WriteLe32(0);  // biSizeImage
    file.WriteLe32(static_cast<uint32_t>(PixelsPerMetre(dpi.x)));
    file.WriteLe32(static_cast<uint32_t>(PixelsPerMetre(dpi.y)));
    file.WriteLe32(0);  // biClrUsed
    file.WriteLe32(0);  // biClrImportant

    for (int i = 0; i < colours; ++i) {
        uint8_t entry[4] = {0, 0, 0, 0};
        if (i < source.palette->count && i < 256) {
            const PaletteEntry& e = source.palette->entries[i];
            entry[0] = e.blue;
            entry[1] = e.green;
            entry[2] = e.red;
        }
        file.Write(entry, 4);
    }

    const size_t sourceStride =
        static_cast<size_t>(source.width + source.rowPad) * source.bytesPerPixel;
    std::vector<int> columns(static_cast<size_t>(outWidth));
    for (int64_t x = 0; x < outWidth; ++x)
        columns[x] = static_cast<int>(x * source.width / outWidth);
    std::vector<uint8_t> row(static_cast<size_t>(rowBytes), 0);
    int64_t previousSourceRow = -1;
    for (int64_t n = 0; n < outHeight; ++n) {
        const int64_t y = source.bottomUp ? n : outHeight - 1 - n;
        const int64_t sourceRow = y * source.height / outHeight;
        if (sourceRow != previousSourceRow) {
            const uint8_t* in = source.bits + sourceRow * sourceStride;
            std::fill(row.begin(), row.end(), 0);
            for (int64_t x = 0; x < outWidth; ++x) {
                const int c = columns[x];
                switch (bitCount) {
                    case 24: {
                        const uint8_t* p = in + static_cast<size_t>(c) * 3;
                        uint8_t* o = row.data() + x * 3;
                        o[0] = source.keepByteOrder ? p[0] : p[2];
                        o[1] = p[1];
                        o[2] = source.keepByteOrder ? p[2] : p[0];
                        break;
                    }
                    case 8:
                        row[x] = in[c];
                        break;
                    case 4:
                        row[x / 2] |= static_cast<uint8_t>((in[c] & 0x0F) << ((x & 1) ? 0 : 4));
                        break;
                    default:
                        row[x / 8] |= static_cast<uint8_t>((in[c] & 1) << (7 - (x & 7)));
                        break;
                }
            }
            previousSourceRow = sourceRow;
        }
        file.Write(row.data(), row.size());
    }
    file.Commit();
}

void WriteBmp(const std::string& path, const CDibImage& image, int percent, Resolution dpi) {
    BmpSource source;
    source.bits = image.Bits();
    source.width = image.Width();
    source.rowPad = image.RowPad();
    source.height = image.Height();
    source.bytesPerPixel = image.BytesPerPixel();
    source.palette = image.Palette();
    source.keepByteOrder = true;
    WriteBmp(path, source, percent, dpi);
}

}  // namespace xelo
