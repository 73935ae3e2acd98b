// CGifWriter: header, global table, graphic control extension, image descriptor and data
// sub-blocks; LZW codes through an open-addressing hash table that starts afresh (with a clear
// code) once the code table is full.
#include "codec/GifWriter.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "image/ColourReducer.h"
#include "image/FitSize.h"
#include "image/TavoException.h"

namespace xelo {

namespace {
constexpr uint32_t kUnit = 53;
constexpr int kHashSlots = 8192;
constexpr uint32_t kEmptySlot = 0xFFFFFFFF;
constexpr int kLastCode = 4095;  // codes stay below this; reaching it means a clear
constexpr int kMaxCodeSize = 12;
constexpr int kMaxSide = 0xFFFF;

[[noreturn]] void Throw(uint32_t code, uint32_t line) {
    ThrowError(code, {kComponentImageWriters, kUnit, line});
}

// Smallest n from 1 to 8 with 2^n ≥ the palette's entry count.
int BitsFor(const LogPalette* palette) {
    const int count = palette ? palette->count : 0;
    int bits = 1;
    while (bits < 8 && (1 << bits) < count)
        ++bits;
    return bits;
}
}  // namespace

CGifWriter::CGifWriter() = default;

CGifWriter::~CGifWriter() = default;

void CGifWriter::Require(uint32_t bits, uint32_t line) const {
    if ((state_ & bits) != bits) Throw(kErrInternal, line);
}

void CGifWriter::Open(const std::string& path) {
    if ((state_ & kFileOpen) || path.empty()) Throw(kErrInternal, __LINE__);
    if (!hashTable_) {
        hashTable_.reset(new (std::nothrow) uint32_t[kHashSlots]);
        if (!hashTable_) Throw(kErrNoMemory, __LINE__);
    }
    file_ = std::make_unique<CFileWriter>(path, Origin{kComponentImageWriters, kUnit, __LINE__});
    state_ = kFileOpen;
}

void CGifWriter::WritePalette(const LogPalette* palette, int bits) {
    uint8_t table[256 * 3] = {};
    const int count = std::min<int>(palette->count, 1 << bits);
    for (int i = 0; i < count; ++i) {
        table[i * 3] = palette->entries[i].red;
        table[i * 3 + 1] = palette->entries[i].green;
        table[i * 3 + 2] = palette->entries[i].blue;
    }
    file_->Write(table, static_cast<size_t>(3) << bits);
}

void CGifWriter::WriteHeader(int width, int height, const LogPalette* palette) {
    Require(kFileOpen, __LINE__);
    if (state_ & kHeaderWritten) Throw(kErrInternal, __LINE__);
    if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide) {
        Throw(kErrInvalidParameter, __LINE__);
    }
    globalBits_ = BitsFor(palette);
    file_->Write("GIF89a", 6);
    file_->WriteLe16(static_cast<uint16_t>(width));
    file_->WriteLe16(static_cast<uint16_t>(height));
    file_->WriteByte(
        static_cast<uint8_t>((palette ? 0x80 : 0) | (globalBits_ - 1) << 4 | (globalBits_ - 1)));
    file_->WriteByte(0);  // background index
    file_->WriteByte(0);  // pixel aspect ratio
    if (palette) WritePalette(palette, globalBits_);
    state_ |= kHeaderWritten;
}

void CGifWriter::WriteControl(int disposal, bool userInput, int delay, int transparent) {
    Require(kFileOpen | kHeaderWritten, __LINE__);
    if (state_ & kImageStarted) Throw(kErrInternal, __LINE__);
    const bool hasTransparent = transparent >= 0 && transparent <= 255;
    const uint8_t bytes[8] = {
        0x21,
        0xF9,
        0x04,
        static_cast<uint8_t>((disposal & 7) << 2 | (userInput ? 2 : 0) | (hasTransparent ? 1 : 0)),
        static_cast<uint8_t>(delay & 0xFF),
        static_cast<uint8_t>((delay >> 8) & 0xFF),
        static_cast<uint8_t>(hasTransparent ? transparent : 0),
        0x00};
    file_->Write(bytes, sizeof bytes);
}

void CGifWriter::BeginImage(int left, int top, int width, int height,
                            const LogPalette* localPalette, bool interlaced) {
    Require(kFileOpen | kHeaderWritten, __LINE__);
    if (state_ & kImageStarted) Throw(kErrInternal, __LINE__);
    for (int v : {left, top, width, height}) {
        if (v < 0 || v > kMaxSide) Throw(kErrInvalidParameter, __LINE__);
    }
    const int localBits = localPalette ? BitsFor(localPalette) : 0;
    file_->WriteByte(0x2C);
    file_->WriteLe16(static_cast<uint16_t>(left));
    file_->WriteLe16(static_cast<uint16_t>(top));
    file_->WriteLe16(static_cast<uint16_t>(width));
    file_->WriteLe16(static_cast<uint16_t>(height));
    file_->WriteByte(static_cast<uint8_t>((localPalette ? 0x80 | (localBits - 1) : 0) |
                                          (interlaced ? 0x40 : 0)));
    if (localPalette) WritePalette(localPalette, localBits);

    minCodeSize_ = std::max(2, localPalette ? localBits : globalBits_);
    file_->WriteByte(static_cast<uint8_t>(minCodeSize_));
    clearCode_ = 1 << minCodeSize_;
    endCode_ = clearCode_ + 1;
    bitBuffer_ = 0;
    bitCount_ = 0;
    block_[0] = 0;
    prefix_ = kNoPrefix;
    pixelsLeft_ = static_cast<uint32_t>(width) * static_cast<uint32_t>(height);
    state_ |= kImageStarted;
    ClearTable();
    PutCode(clearCode_);
    if (pixelsLeft_ == 0) FinishImage();
}

void CGifWriter::ClearTable() {
    nextCode_ = clearCode_ + 2;
    codeSize_ = minCodeSize_ + 1;
    codeLimit_ = 1 << codeSize_;
    std::fill(hashTable_.get(), hashTable_.get() + kHashSlots, kEmptySlot);
}

void CGifWriter::PutCode(int code) {
    bitBuffer_ |= static_cast<uint32_t>(code) << bitCount_;
    bitCount_ += static_cast<uint32_t>(codeSize_);
    while (bitCount_ >= 8) {
        block_[++block_[0]] = static_cast<uint8_t>(bitBuffer_ & 0xFF);
        bitBuffer_ >>= 8;
        bitCount_ -= 8;
        if (block_[0] == 255) FlushBlock();
    }
    if (nextCode_ >= codeLimit_ && codeSize_ < kMaxCodeSize) {
        ++codeSize_;
        codeLimit_ <<= 1;
    }
}

void CGifWriter::FlushBlock() {
    if (block_[0] == 0) return;
    file_->Write(block_, static_cast<size_t>(block_[0]) + 1);
    block_[0] = 0;
}

void CGifWriter::WritePixels(const uint8_t* indices, uint32_t count) {
    Require(kFileOpen | kHeaderWritten | kImageStarted, __LINE__);
    if (count > pixelsLeft_) Throw(kErrInternal, __LINE__);
    const uint32_t mask = (1u << minCodeSize_) - 1;
    uint32_t* table = hashTable_.get();
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t c = indices[i] & mask;
        if (prefix_ == kNoPrefix) {
            prefix_ = static_cast<int32_t>(c);
            continue;
        }
        const uint32_t key = (static_cast<uint32_t>(prefix_) << 8) + c;
        uint32_t slot = ((key >> 12) ^ key) & (kHashSlots - 1);
        for (;;) {
            const uint32_t entry = table[slot];
            if (entry == kEmptySlot) break;
            if ((entry >> 12) == key) break;
            slot = (slot + 1) & (kHashSlots - 1);
        }
        if (table[slot] != kEmptySlot) {
            prefix_ = static_cast<int32_t>(table[slot] & 0xFFF);
            continue;
        }
        PutCode(prefix_);
        if (nextCode_ < kLastCode) {
            table[slot] = (key << 12) | static_cast<uint32_t>(nextCode_);
            ++nextCode_;
        } else {
            PutCode(clearCode_);
            ClearTable();
        }
        prefix_ = static_cast<int32_t>(c);
    }
    pixelsLeft_ -= count;
    if (pixelsLeft_ == 0) FinishImage();
}

void CGifWriter::FinishImage() {
    if (prefix_ != kNoPrefix) PutCode(prefix_);
    PutCode(endCode_);
    if (bitCount_ > 0) {
        block_[++block_[0]] = static_cast<uint8_t>(bitBuffer_ & 0xFF);
        bitBuffer_ = 0;
        bitCount_ = 0;
        if (block_[0] == 255) FlushBlock();
    }
    FlushBlock();
    file_->WriteByte(0);  // block terminator
    prefix_ = kNoPrefix;
    state_ &= ~kImageStarted;
}

void CGifWriter::Close() {
    Require(kFileOpen, __LINE__);
    if (state_ & kImageStarted) Throw(kErrInternal, __LINE__);  // pixels still missing
    file_->WriteByte(0x3B);
    file_->Commit();
    file_.reset();
    state_ = 0;
}

void CGifWriter::Abandon() {
    file_.reset();
    state_ = 0;
}

void WriteGif(CGifWriter& writer, const std::string& path, const GifSource& source, int percent) {
    if (source.bits == nullptr || source.width <= 0 || source.height <= 0 || percent <= 0 ||
        (source.bytesPerPixel != 1 && source.bytesPerPixel != 3)) {
        Throw(kErrInvalidParameter, __LINE__);
    }
    const int64_t outWidth = PercentLength(source.width, percent);
    const int64_t outHeight = PercentLength(source.height, percent);
    if (outWidth <= 0 || outHeight <= 0 || outWidth > kMaxSide || outHeight > kMaxSide) {
        Throw(kErrInvalidParameter, __LINE__);
    }

    // A true-colour source is reduced first into indices of the same size.
    const uint8_t* indices = source.bits;
    size_t stride = static_cast<size_t>(source.width + source.rowPad) * source.bytesPerPixel;
    LogPalette reducedPalette;
    const LogPalette* palette = source.palette;
    int32_t transparent = -1;
    PixelBuffer reduced;
    if (source.bytesPerPixel == 3) {
        const int pad = RowPadFor(source.width);
        reduced = AllocatePixels(CheckedPlaneBytes(source.width + pad, source.height, 1));
        ColourReduction options;
        options.maxColours = writer.maxColours;
        options.dither = writer.dither;
        options.fixedPalette = writer.fixedPalette;
        options.keyColour = writer.transparentColour;
        const BgrBuffer buffer{const_cast<uint8_t*>(source.bits), source.width, source.height,
                               source.rowPad};
        ReduceColours(Rect{0, 0, source.width, source.height}, buffer, reduced.get(), pad, 1,
                      options, &reducedPalette, transparent);
        indices = reduced.get();
        stride = static_cast<size_t>(source.width + pad);
        palette = &reducedPalette;
        if (writer.transparentColour == kNoColour) transparent = -1;
    } else {
        transparent = writer.transparentIndex;
    }
    const int paletteCount = palette ? palette->count : 0;

    std::vector<uint8_t> row;
    std::vector<int> columns;
    try {
        row.resize(static_cast<size_t>(outWidth));
        columns.resize(static_cast<size_t>(outWidth));
    } catch (const std::bad_alloc&) {
        Throw(kErrNoMemory, __LINE__);
    }
    const double xRatio = static_cast<double>(source.width) / static_cast<double>(outWidth);
    const double yRatio = static_cast<double>(source.height) / static_cast<double>(outHeight);
    for (int64_t x = 0; x < outWidth; ++x)
        columns[x] = std::min(source.width - 1, static_cast<int>(x * xRatio));

    try {
        writer.Open(path);
        writer.WriteHeader(static_cast<int>(outWidth), static_cast<int>(outHeight), palette);
        if (transparent >= 0 && transparent < paletteCount)
            writer.WriteControl(0, false, 0, transparent);
        writer.BeginImage(0, 0, static_cast<int>(outWidth), static_cast<int>(outHeight), nullptr,
                          false);
        int previous = -1;
        for (int64_t y = 0; y < outHeight; ++y) {
            const int sourceRow = std::min(source.height - 1, static_cast<int>(y * yRatio));
            if (sourceRow != previous) {
                const uint8_t* in = indices + static_cast<size_t>(sourceRow) * stride;
                for (int64_t x = 0; x < outWidth; ++x)
                    row[x] = in[columns[x]];
                previous = sourceRow;
            }
            writer.WritePixels(row.data(), static_cast<uint32_t>(outWidth));
        }
        writer.Close();
    } catch (...) {
        writer.Abandon();
        throw;
    }
}

void WriteGif(CGifWriter& writer, const std::string& path, const CDibImage& image, int percent) {
    GifSource source;
    source.bits = image.Bits();
    source.width = image.Width();
    source.rowPad = image.RowPad();
    source.height = image.Height();
    source.bytesPerPixel = image.BytesPerPixel();
    source.palette = image.Palette();
    if (image.Transparent() != kNoColour) {
        if (image.BytesPerPixel() == 1) {
            writer.transparentIndex = static_cast<int32_t>(image.Transparent());
        } else {
            writer.transparentColour = image.Transparent();
        }
    }
    WriteGif(writer, path, source, percent);
}

}  // namespace xelo
