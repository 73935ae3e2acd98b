// CGifCodec: block index, frame facts and the placement of decoded rows (sequential or
// interlaced) into a scaled, clipped destination.
#include "codec/GifCodec.h"

#include <cstring>
#include <new>

#include "image/TavoException.h"

namespace xelo {

namespace {
constexpr uint32_t kUnit = 50;

constexpr uint32_t kSignatureBytes = 6;
constexpr uint32_t kScreenDescriptorBytes = 7;
constexpr uint32_t kDescriptorBytes = 9;  // left, top, width, height, packed
constexpr uint32_t kControlBytes = 5;     // block size, packed, delay, transparent index
constexpr uint8_t kExtensionIntroducer = 0x21;
constexpr uint8_t kImageSeparator = 0x2C;
constexpr uint8_t kTrailer = 0x3B;
constexpr uint8_t kGraphicControlLabel = 0xF9;
constexpr int kMaxMinimumCodeSize = 11;  // 12 would make the clear code 4096, past the table
constexpr int32_t kNoControlDelay = 100;
constexpr uint32_t kNoBackground = 0x00FFFFFF;

[[noreturn]] void Throw(uint32_t code, uint32_t line) {
    ThrowError(code, {kComponentGifDecoder, kUnit, line});
}

uint16_t Le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

// Reads `count` RGB triples into the palette (when one is given) and sets its count.
void ReadColourTable(CImageStream& stream, int count, LogPalette* palette) {
    const uint8_t* rgb = stream.Read(static_cast<uint32_t>(count) * 3);
    if (palette == nullptr) return;
    for (int i = 0; i < count; ++i, rgb += 3)
        palette->entries[i] = PaletteEntry{rgb[0], rgb[1], rgb[2], 0};
    palette->count = static_cast<uint16_t>(count);
}

// Sub-blocks from `pos`: a length byte and that many bytes, up to a zero length byte. Returns
// the position after the terminator, or a position past `length` when the data is cut off.
uint64_t SkipSubBlocks(const uint8_t* data, uint32_t length, uint64_t pos) {
    while (pos < length) {
        const uint8_t n = data[pos];
        pos += 1 + uint64_t{n};
        if (n == 0) return pos;
    }
    return uint64_t{length} + 1;
}
}  // namespace

CGifCodec::CGifCodec() = default;
CGifCodec::~CGifCodec() = default;

void CGifCodec::End() {
    screenWidth_ = screenHeight_ = 0;
    controlOffsets_.clear();
    descriptorOffsets_.clear();
    globalColourCount_ = 0;
    globalPalette_ = LogPalette{};
    backgroundIndex_ = 0;
    globalBits_ = 0;
    row_.clear();
    row_.shrink_to_fit();
}

void CGifCodec::ReadHeader(CImageStream& stream, ImageInfo* info) {
    End();
    stream.SeekToBegin();
    if (stream.GetLength() < kSignatureBytes) Throw(kErrFormatInvalid, __LINE__);
    const uint8_t* signature = stream.Read(kSignatureBytes);
    if (std::memcmp(signature, "GIF87a", 6) != 0 && std::memcmp(signature, "GIF89a", 6) != 0) {
        Throw(kErrFormatInvalid, __LINE__);
    }
    const uint8_t* screen = stream.Read(kScreenDescriptorBytes);
    screenWidth_ = Le16(screen);
    screenHeight_ = Le16(screen + 2);
    const uint8_t packed = screen[4];
    backgroundIndex_ = screen[5];
    globalBits_ = (packed & 7) + 1;
    if (packed & 0x80) {
        globalColourCount_ = 1 << globalBits_;
        ReadColourTable(stream, globalColourCount_, &globalPalette_);
    }

    uint32_t length = stream.GetLength();
    stream.SeekToBegin();
    const uint8_t* data = stream.Peek(length);
    IndexBlocks(data, length, kSignatureBytes + kScreenDescriptorBytes + 3 * globalColourCount_);
    if (descriptorOffsets_.empty()) Throw(kErrFormatInvalid, __LINE__);

    if (info != nullptr) {
        info->format = kFormatGif;
        info->width = screenWidth_;
        info->height = screenHeight_;
        if (backgroundIndex_ < globalColourCount_) {
            const PaletteEntry& e = globalPalette_.entries[backgroundIndex_];
            info->background = MakeColour(e.red, e.green, e.blue);
        } else {
            info->background = kNoBackground;
        }
        info->bitsPerPixel = 8;
        info->frameCount = FrameCount();
        info->loopCount = 1;  // loop-count extensions are not read
        info->grey = false;
        info->palette = globalPalette_;
        info->palette.count = static_cast<uint16_t>(globalColourCount_);
    }
}

void CGifCodec::IndexBlocks(const uint8_t* data, uint32_t length, uint32_t start) {
    uint64_t pos = start;
    uint32_t pendingControl = 0;
    try {
        while (pos < length) {
            const uint8_t block = data[pos];
            if (block == kTrailer) break;
            if (block == kExtensionIntroducer) {
                if (pos + 1 >= length) break;
                pendingControl =
                    data[pos + 1] == kGraphicControlLabel ? static_cast<uint32_t>(pos + 2) : 0;
                pos = SkipSubBlocks(data, length, pos + 2);
            } else if (block == kImageSeparator) {
                controlOffsets_.push_back(pendingControl);
                descriptorOffsets_.push_back(static_cast<uint32_t>(pos + 1));
                pendingControl = 0;
                pos += 1 + kDescriptorBytes;
                if (pos > length) break;
                const uint8_t packed = data[pos - 1];
                if (packed & 0x80) pos += 3u << ((packed & 7) + 1);
                pos += 1;  // minimum code size
                pos = SkipSubBlocks(data, length, pos);
            } else {
                // Bytes after the last image other than the trailer are tolerated.
                if (descriptorOffsets_.empty()) Throw(kErrFormatInvalid, __LINE__);
                break;
            }
        }
    } catch (const std::bad_alloc&) {
        Throw(kErrNoMemory, __LINE__);
    }
}

void CGifCodec::BeginFrame(CImageStream& stream, CFrameInfo& frame, int index) {
    if (index < 0 || index >= FrameCount()) return;
    frame.delay = kNoControlDelay;
    frame.disposal = 0;
    frame.userInput = 0;
    frame.transparent = -1;
    if (const uint32_t control = controlOffsets_[index]; control != 0) {
        stream.Seek(control, CImageStream::kBegin);
        const uint8_t* c = stream.Read(kControlBytes);
        // A control block shorter than its four data bytes carries no facts.
        if (c[0] >= 4) {
            frame.disposal = (c[1] >> 2) & 7;
            frame.userInput = (c[1] & 2) != 0;
            frame.delay = Le16(c + 2);
            frame.transparent = (c[1] & 1) ? c[4] : -1;
        }
    }
    stream.Seek(descriptorOffsets_[index], CImageStream::kBegin);
    const uint8_t* d = stream.Read(kDescriptorBytes);
    const int left = Le16(d);
    const int top = Le16(d + 2);
    frame.frameRect = Rect{left, top, left + Le16(d + 4), top + Le16(d + 6)};
    frame.interlaced = (d[8] & 0x40) != 0;
    frame.bytesPerPixel = 1;
    frame.maskUsed = 0;
    if (frame.destPalette != nullptr) {
        if (d[8] & 0x80) {
            ReadColourTable(stream, 1 << ((d[8] & 7) + 1), frame.destPalette);
        } else {
            *frame.destPalette = globalPalette_;
            frame.destPalette->count = static_cast<uint16_t>(globalColourCount_);
        }
    }
}

void CGifCodec::DecodeFrame(CImageStream& stream, CFrameInfo& frame, int index, bool) {
    if (index < 0 || index >= FrameCount()) Throw(kErrInternal, __LINE__);
    const Rect& rect = frame.frameRect;
    Rect visible = Intersect(rect, frame.destRect);
    if (visible.IsEmpty() || frame.destBits == nullptr || frame.destWidth <= 0 ||
        frame.destHeight <= 0) {
        return;
    }
    // Frame-relative from here on.
    visible = Rect{visible.left - rect.left, visible.top - rect.top, visible.right - rect.left,
                   visible.bottom - rect.top};
    const int frameWidth = rect.Width();
    const int destWidth = frame.destWidth;
    const int destHeight = frame.destHeight;
    const size_t destStride = static_cast<size_t>(destWidth + frame.destPad);

    std::vector<int> columns;
    std::vector<int> firstDestRow;  // per visible source row: first destination row, or -1
    std::vector<int> destRowCount;  // per visible source row: destination rows it fills
    try {
        if (!lzw_) lzw_ = std::make_unique<CGifLzwDecoder>();
        row_.assign(static_cast<size_t>(frameWidth), 0);
        columns.resize(static_cast<size_t>(destWidth));
        firstDestRow.assign(static_cast<size_t>(visible.Height()), -1);
        destRowCount.assign(static_cast<size_t>(visible.Height()), 0);
    } catch (const std::bad_alloc&) {
        Throw(kErrNoMemory, __LINE__);
    }
    for (int x = 0; x < destWidth; ++x)
        columns[x] = visible.left + static_cast<int>(int64_t{x} * visible.Width() / destWidth);
    for (int y = 0; y < destHeight; ++y) {
        const int source = static_cast<int>(int64_t{y} * visible.Height() / destHeight);
        if (firstDestRow[source] < 0) firstDestRow[source] = y;
        ++destRowCount[source];
    }

    // Decoder set-up: the palette in force and the start of the image data.
    stream.Seek(descriptorOffsets_[index] + 8, CImageStream::kBegin);
    const uint8_t packed = stream.Read8();
    if (packed & 0x80) {
        ReadColourTable(stream, 1 << ((packed & 7) + 1), frame.destPalette);
    } else if (frame.destPalette != nullptr) {
        *frame.destPalette = globalPalette_;
        frame.destPalette->count = static_cast<uint16_t>(globalColourCount_);
    }
    int minimumCodeSize = stream.Read8();
    if (minimumCodeSize == 0) minimumCodeSize = globalBits_;
    if (minimumCodeSize > kMaxMinimumCodeSize) Throw(kErrFormatInvalid, __LINE__);
    lzw_->Start(&stream, minimumCodeSize);

    // Writes the decoded frame row `source` (frame-relative) to the destination rows it feeds.
    int rowsLeft = destHeight;
    auto place = [&](int source) {
        const int v = source - visible.top;
        if (v < 0 || v >= visible.Height() || firstDestRow[v] < 0) return;
        uint8_t* out = frame.destBits + static_cast<size_t>(firstDestRow[v]) * destStride;
        for (int x = 0; x < destWidth; ++x)
            out[x] = row_[columns[x]];
        for (int n = 1; n < destRowCount[v]; ++n)
            std::memcpy(out + n * destStride, out, static_cast<size_t>(destWidth));
        rowsLeft -= destRowCount[v];
    };

    // Once the image data has ended, the rows not reached keep the destination's contents.
    auto decodeRow = [&](int r) {
        if (lzw_->DecodeRow(row_.data(), frameWidth) == 0 && lzw_->DataEnded()) return false;
        place(r);
        return true;
    };
    if (!frame.interlaced) {
        const int lastRow = visible.bottom - 1;
        for (int r = 0; r <= lastRow && rowsLeft > 0; ++r) {
            if (!decodeRow(r)) return;
        }
        return;
    }
    static constexpr int kPassStart[4] = {0, 4, 2, 1};
    static constexpr int kPassStep[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4 && rowsLeft > 0; ++pass) {
        for (int r = kPassStart[pass]; r < rect.Height() && rowsLeft > 0; r += kPassStep[pass]) {
            if (!decodeRow(r)) return;
        }
    }
}

}  // namespace xelo
