// CBmpCodec: Windows bitmap files with core (12-byte), info (40-byte) and later headers; 1, 2, 4,
// 8, 16, 24 and 32 bits per pixel; RLE4 and RLE8; rows bottom-up or top-down.
#include "codec/BmpCodec.h"

#include <bit>
#include <cstring>
#include <vector>

#include "image/TavoException.h"

namespace xelo {

namespace {
constexpr uint32_t kUnit = 40;

constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kCoreHeaderBytes = 12;   // BITMAPCOREHEADER (OS/2 1.x)
constexpr uint32_t kInfoHeaderBytes = 40;   // BITMAPINFOHEADER
constexpr uint32_t kV2HeaderBytes = 52;     // + RGB masks
constexpr uint32_t kV3HeaderBytes = 56;     // + alpha mask
constexpr uint32_t kOs2V2HeaderBytes = 64;  // OS/2 2.x, whose first 40 bytes match the info header
constexpr uint32_t kV4HeaderBytes = 108;
constexpr uint32_t kV5HeaderBytes = 124;
constexpr uint32_t kMaskBytes = 12;

// biCompression values.
constexpr int32_t kBiRgb = 0;
constexpr int32_t kBiRle8 = 1;
constexpr int32_t kBiRle4 = 2;
constexpr int32_t kBiBitfields = 3;

constexpr double kMetresPerInch = 0.0254;

[[noreturn]] void Invalid(uint32_t line) {
    ThrowError(kErrFormatInvalid, {kComponentBmpDecoder, kUnit, line});
}

uint16_t Le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t Le32(const uint8_t* p) {
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}
int32_t LeI32(const uint8_t* p) {
    return static_cast<int32_t>(Le32(p));
}

int32_t DpiFromPixelsPerMetre(int32_t ppm) {
    return static_cast<int32_t>(ppm * kMetresPerInch + 0.5);
}

// Bytes of one file row: padded to 4 bytes except for 32 bits, which is a multiple already.
int64_t FileRowBytes(int bitCount, int64_t width) {
    const int64_t bits = width * bitCount;
    return ((bits + 31) / 32) * 4;
}

// One channel of a bit-field pixel scaled to 0–255.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;

    explicit Channel(uint32_t m) : mask(m) {
        if (m != 0) {
            shift = std::countr_zero(m);
            max = m >> shift;
        }
    }
    uint8_t From(uint32_t v) const {
        if (max == 0) return 0;
        return static_cast<uint8_t>(uint64_t{(v & mask) >> shift} * 255 / max);
    }
};

// Converts the pixels at `columns` of one file row into a destination row.
class RowConverter {
  public:
    RowConverter(int bitCount, bool rgb565, bool bitfields, const CBmpCodec::Masks& masks)
        : bitCount_(bitCount),
          rgb565_(rgb565),
          bitfields_(bitfields && bitCount == 32),
          red_(masks.red),
          green_(masks.green),
          blue_(masks.blue) {}

    void Convert(const uint8_t* row, const std::vector<int>& columns, uint8_t* out) const {
        const size_t n = columns.size();
        switch (bitCount_) {
            case 1:
                for (size_t i = 0; i < n; ++i) {
                    const int c = columns[i];
                    out[i] = (row[c >> 3] >> (7 - (c & 7))) & 1;
                }
                break;
            case 2:
                for (size_t i = 0; i < n; ++i) {
                    const int c = columns[i];
                    out[i] = (row[c >> 2] >> (6 - 2 * (c & 3))) & 3;
                }
                break;
            case 4:
                for (size_t i = 0; i < n; ++i) {
                    const int c = columns[i];
                    out[i] = (row[c >> 1] >> ((c & 1) ? 0 : 4)) & 0x0F;
                }
                break;
            case 8:
                for (size_t i = 0; i < n; ++i)
                    out[i] = row[columns[i]];
                break;
            case 16:
                for (size_t i = 0; i < n; ++i, out += 3) {
                    const unsigned v = Le16(row + 2 * static_cast<size_t>(columns[i]));
                    out[0] = static_cast<uint8_t>((v & 0x1F) << 3);
                    out[1] = static_cast<uint8_t>(rgb565_ ? (v >> 3) & 0xF8 : (v >> 2) & 0xF8);
                    out[2] = static_cast<uint8_t>(rgb565_ ? (v >> 8) & 0xF8 : (v >> 7) & 0xF8);
                }
                break;
            case 24:
                for (size_t i = 0; i < n; ++i, out += 3) {
                    const uint8_t* p = row + 3 * static_cast<size_t>(columns[i]);
                    out[0] = p[0];
                    out[1] = p[1];
                    out[2] = p[2];
                }
                break;
            case 32:
                for (size_t i = 0; i < n; ++i, out += 3) {
                    const uint8_t* p = row + 4 * static_cast<size_t>(columns[i]);
                    if (bitfields_) {
                        const uint32_t v = Le32(p);
                        out[0] = blue_.From(v);
                        out[1] = green_.From(v);
                        out[2] = red_.From(v);
                    } else {
                        out[0] = p[0];
                        out[1] = p[1];
                        out[2] = p[2];
                    }
                }
                break;
            default:
                Invalid(__LINE__);
        }
    }

  private:
    int bitCount_;
    bool rgb565_;
    bool bitfields_;
    Channel red_, green_, blue_;
};

// Decodes run-length rows (8-bit, or 4-bit with two nibbles per byte) one file row at a time.
// Delta escapes move the position; pixels they skip keep index 0. Clearing a row costs only what
// the row before wrote, so a wide picture with little data is walked in time bounded by the data.
class RleReader {
public:
    RleReader(CImageStream& stream, int width, bool fourBit)
        : stream_(stream), width_(width), fourBit_(fourBit), row_(AllocatePixels(static_cast<size_t>(width))) {}

    bool Ended() const { return ended_; }

    // The next file row: `width` palette indices.
    const uint8_t* NextRow() {
        std::fill(row_.get(), row_.get() + dirtyEnd_, 0);
        dirtyEnd_ = 0;
        if (!ended_) {
            if (blankRows_ > 0) {
                --blankRows_;
            } else {
                DecodeRow();
            }
        }
        return row_.get();
    }

private:
    void Put(int64_t x, uint8_t index) {
        row_.get()[x] = index;
        dirtyEnd_ = std::max<int64_t>(dirtyEnd_, x + 1);
    }

    void DecodeRow() {
        int64_t x = startColumn_;
        startColumn_ = 0;
        for (;;) {
            if (x >= width_) {
                // A full row may still carry its end-of-row escape; take it with the row.
                uint32_t n = 2;
                const uint8_t* p = stream_.Peek(n);
                if (n == 2 && p[0] == 0 && p[1] == 0) stream_.Skip(2);
                return;
            }
            const uint8_t* pair = stream_.Read(2);
            const int count = pair[0];
            const uint8_t value = pair[1];
            if (count > 0) {
                // An encoded run; what reaches past the row's end is cut.
                for (int i = 0; i < count && x < width_; ++i, ++x) {
                    Put(x, fourBit_ ? ((i & 1) ? (value & 0x0F) : (value >> 4)) : value);
                }
                continue;
            }
            switch (value) {
                case 0: return;  // end of row
                case 1:          // end of bitmap
                    ended_ = true;
                    return;
                case 2: {  // delta: dx right, dy rows further
                    const uint8_t* d = stream_.Read(2);
                    if (d[1] == 0) {
                        x += d[0];
                        continue;
                    }
                    blankRows_ = d[1] - 1;
                    startColumn_ = std::min<int64_t>(x + d[0], width_);
                    return;
                }
                default: {  // absolute run of `value` pixels, padded to an even byte count
                    const uint32_t bytes = fourBit_ ? (value + 1u) / 2 : value;
                    const uint8_t* data = stream_.Read(bytes);
                    for (int i = 0; i < value && x < width_; ++i, ++x) {
                        Put(x, fourBit_ ? ((i & 1) ? (data[i / 2] & 0x0F) : (data[i / 2] >> 4))
                                        : data[i]);
                    }
                    if (bytes & 1) stream_.Skip(1);
                    continue;
                }
            }
        }
    }

    CImageStream& stream_;
    int width_;
    bool fourBit_;
    PixelBuffer row_;  // calloc'd: a wide row costs nothing until written
    int64_t dirtyEnd_ = 0;
    bool ended_ = false;
    int blankRows_ = 0;
    int64_t startColumn_ = 0;
};

}  // namespace

void CBmpCodec::End() {
    pixelOffset_ = 0;
    width_ = height_ = 0;
    topDown_ = false;
    coloursUsed_ = 0;
    paletteOffset_ = 0;
    paletteEntrySize_ = 4;
    bitCount_ = 0;
    rgb565_ = false;
    compression_ = 0;
    masks_ = Masks{};
    xDpi_ = yDpi_ = -1;
}

void CBmpCodec::ReadHeader(CImageStream& stream, ImageInfo* info) {
    End();
    stream.SeekToBegin();
    const uint8_t* fileHeader = stream.Read(kFileHeaderBytes);
    if (fileHeader[0] != 'B' || fileHeader[1] != 'M') Invalid(__LINE__);
    pixelOffset_ = Le32(fileHeader + 10);

    const uint32_t headerSize = stream.ReadLe32();
    stream.Seek(-4, CImageStream::kCurrent);
    int64_t width = 0, height = 0;
    int planes = 0;
    bool masksInHeader = false;
    switch (headerSize) {
        case kCoreHeaderBytes: {
            const uint8_t* h = stream.Read(kCoreHeaderBytes);
            width = Le16(h + 4);
            height = Le16(h + 6);
            planes = Le16(h + 8);
            bitCount_ = Le16(h + 10);
            paletteEntrySize_ = 3;
            break;
        }
        case kInfoHeaderBytes:
        case kV2HeaderBytes:
        case kV3HeaderBytes:
        case kOs2V2HeaderBytes:
        case kV4HeaderBytes:
        case kV5HeaderBytes: {
            const uint8_t* h = stream.Read(headerSize);
            width = LeI32(h + 4);
            height = LeI32(h + 8);
            planes = Le16(h + 12);
            bitCount_ = Le16(h + 14);
            compression_ = LeI32(h + 16);
            const int32_t xPixelsPerMetre = LeI32(h + 24);
            const int32_t yPixelsPerMetre = LeI32(h + 28);
            const uint32_t used = Le32(h + 32);
            coloursUsed_ = used > 0x7FFFFFFF ? 0 : static_cast<int32_t>(used);
            if (xPixelsPerMetre != 0 && yPixelsPerMetre != 0) {
                xDpi_ = DpiFromPixelsPerMetre(xPixelsPerMetre);
                yDpi_ = DpiFromPixelsPerMetre(yPixelsPerMetre);
            }
            paletteEntrySize_ = 4;
            // Version 2 and later headers hold the channel masks themselves.
            if (headerSize >= kV2HeaderBytes && headerSize != kOs2V2HeaderBytes) {
                masks_ = Masks{Le32(h + 40), Le32(h + 44), Le32(h + 48)};
                masksInHeader = true;
            }
            break;
        }
        default:
            Invalid(__LINE__);
    }
    if (planes != 1 || width <= 0 || height == 0 || bitCount_ == 0) Invalid(__LINE__);
    if (height < 0) {
        // Top-down rows; run-length files cannot be stored that way.
        topDown_ = true;
        height = -height;
    }

    // Whitelist bit counts and the compressions each may use.
    switch (bitCount_) {
        case 1:
        case 2:
        case 24:
            if (compression_ != kBiRgb) Invalid(__LINE__);
            break;
        case 4:
            if (compression_ != kBiRgb && compression_ != kBiRle4) Invalid(__LINE__);
            break;
        case 8:
            if (compression_ != kBiRgb && compression_ != kBiRle8) Invalid(__LINE__);
            break;
        case 16:
        case 32:
            if (compression_ != kBiRgb && compression_ != kBiBitfields) Invalid(__LINE__);
            break;
        default:
            Invalid(__LINE__);
    }
    if (topDown_ && (compression_ == kBiRle4 || compression_ == kBiRle8)) Invalid(__LINE__);
    if (width > kMaxImagePixels || height > kMaxImagePixels) Invalid(__LINE__);
    width_ = static_cast<int32_t>(width);
    height_ = static_cast<int32_t>(height);

    if (compression_ == kBiBitfields) {
        if (!masksInHeader) {
            const uint8_t* m = stream.Read(kMaskBytes);
            masks_ = Masks{Le32(m), Le32(m + 4), Le32(m + 8)};
        }
        rgb565_ = bitCount_ == 16 && masks_.green == 0x07E0;
    }
    if (bitCount_ <= 8) paletteOffset_ = stream.GetPosition();

    // Uncompressed rows must all be in the file (the last one may lack its padding); checking
    // here keeps a header that claims more rows than the file holds from costing memory.
    if (compression_ != kBiRle4 && compression_ != kBiRle8) {
        const int64_t lastRowBytes = (width * bitCount_ + 7) / 8;
        const int64_t needed = FileRowBytes(bitCount_, width) * (height - 1) + lastRowBytes;
        if (int64_t{pixelOffset_} + needed > int64_t{stream.GetLength()}) {
            ThrowError(kErrEndOfFile, {kComponentBmpDecoder, kUnit, __LINE__});
        }
    }

    if (info != nullptr) {
        info->format = kFormatBmp;
        info->width = width_;
        info->height = height_;
        info->background = kNoColour;
        info->bitsPerPixel = bitCount_;
        info->frameCount = 1;
        info->loopCount = 1;
        info->xResolution = xDpi_;
        info->yResolution = yDpi_;
        info->grey = false;
        info->palette.count = 0;
        if (bitCount_ <= 8) ReadPalette(stream, info->palette);
    }
}

void CBmpCodec::ReadPalette(CImageStream& stream, LogPalette& palette) const {
    const int32_t count =
        (coloursUsed_ < 1 || coloursUsed_ > 256) ? (1 << bitCount_) : coloursUsed_;
    const uint32_t saved = stream.GetPosition();
    stream.Seek(paletteOffset_, CImageStream::kBegin);
    // A table cut short by the end of the file leaves the missing entries black.
    const uint32_t present = std::min<uint32_t>(count, stream.Remaining() / paletteEntrySize_);
    const uint8_t* table = stream.Read(present * paletteEntrySize_);
    palette.count = static_cast<uint16_t>(count);
    for (int32_t i = 0; i < 256; ++i) {
        PaletteEntry& e = palette.entries[i];
        if (static_cast<uint32_t>(i) < present) {
            const uint8_t* p = table + static_cast<size_t>(i) * paletteEntrySize_;
            e = PaletteEntry{p[2], p[1], p[0], 0};
        } else {
            e = PaletteEntry{};
        }
    }
    stream.Seek(saved, CImageStream::kBegin);
}

void CBmpCodec::BeginFrame(CImageStream&, CFrameInfo& frame, int) {
    frame.frameRect = Rect{0, 0, width_, height_};
    frame.bytesPerPixel = bitCount_ <= 8 ? 1 : 3;
    frame.maskUsed = 0;
    frame.transparent = -1;
    frame.delay = 0;
    frame.disposal = 0;
}

void CBmpCodec::DecodeFrame(CImageStream& stream, CFrameInfo& frame, int, bool) {
    const Rect visible = Intersect(Rect{0, 0, width_, height_}, frame.destRect);
    if (visible.IsEmpty() || frame.destBits == nullptr || frame.destWidth <= 0 ||
        frame.destHeight <= 0) {
        return;
    }
    const int bytesPerPixel = bitCount_ <= 8 ? 1 : 3;
    if (bytesPerPixel == 1 && frame.destPalette != nullptr) ReadPalette(stream, *frame.destPalette);

    const int destWidth = frame.destWidth;
    const int destHeight = frame.destHeight;
    const size_t destStride = static_cast<size_t>(destWidth + frame.destPad) * bytesPerPixel;
    const size_t destRowBytes = static_cast<size_t>(destWidth) * bytesPerPixel;
    std::vector<int> columns(destWidth);
    for (int x = 0; x < destWidth; ++x) {
        columns[x] = visible.left + static_cast<int>(int64_t{x} * visible.Width() / destWidth);
    }

    const bool runLength = compression_ == kBiRle4 || compression_ == kBiRle8;
    const int64_t rowBytes = FileRowBytes(bitCount_, width_);
    if (rowBytes > UINT32_MAX) Invalid(__LINE__);
    stream.Seek(pixelOffset_, CImageStream::kBegin);

    const RowConverter converter(bitCount_, rgb565_, compression_ == kBiBitfields, masks_);
    std::unique_ptr<RleReader> rle;
    if (runLength) rle = std::make_unique<RleReader>(stream, width_, compression_ == kBiRle4);
    const uint8_t* runRow = nullptr;

    // File rows are read in order: bottom-up files fill the destination from its last row,
    // top-down files from its first.
    int64_t nextFileRow = 0;
    int64_t previousFileRow = -1;
    for (int n = 0; n < destHeight; ++n) {
        const int y = topDown_ ? n : destHeight - 1 - n;
        const int sourceRow =
            visible.top + static_cast<int>(int64_t{y} * visible.Height() / destHeight);
        const int64_t fileRow = topDown_ ? sourceRow : int64_t{height_} - 1 - sourceRow;
        uint8_t* out = frame.destBits + static_cast<size_t>(y) * destStride;
        if (fileRow == previousFileRow) {
            const uint8_t* done = out + (topDown_ ? -static_cast<ptrdiff_t>(destStride)
                                                  : static_cast<ptrdiff_t>(destStride));
            std::memcpy(out, done, destRowBytes);
            continue;
        }
        if (runLength) {
            if (rle->Ended()) {
                // After the end-of-bitmap code every row keeps index 0.
                std::memset(out, 0, destRowBytes);
                previousFileRow = fileRow;
                continue;
            }
            while (nextFileRow <= fileRow) {
                runRow = rle->NextRow();
                ++nextFileRow;
            }
            for (int x = 0; x < destWidth; ++x)
                out[x] = runRow[columns[x]];
        } else {
            if (fileRow > nextFileRow) {
                stream.Seek((fileRow - nextFileRow) * rowBytes, CImageStream::kCurrent);
            }
            const uint8_t* row = stream.Read(static_cast<uint32_t>(rowBytes));
            converter.Convert(row, columns, out);
            nextFileRow = fileRow + 1;
        }
        previousFileRow = fileRow;
    }
}

}  // namespace xelo
