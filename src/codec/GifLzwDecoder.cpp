// The GIF LZW decoder: codes are read least significant bit first from the data sub-blocks; the
// code size grows as the table fills, up to 12 bits, and a clear code starts the table afresh.
#include "codec/GifLzwDecoder.h"

#include <algorithm>

#include "image/TavoException.h"

namespace xelo {

namespace {
constexpr uint32_t kUnit = 51;
constexpr int kMaxCodeSize = 12;

[[noreturn]] void Corrupt(uint32_t line) {
    ThrowError(kErrFormatInvalid, {kComponentGifDecoder, kUnit, line});
}
}  // namespace

void CGifLzwDecoder::Start(CImageStream* stream, int minimumCodeSize) {
    stream_ = stream;
    minimumCodeSize_ = minimumCodeSize;
    clearCode_ = 1 << minimumCodeSize;
    endCode_ = clearCode_ + 1;
    bitBuffer_ = 0;
    bitCount_ = 0;
    blockLeft_ = 0;
    block_ = nullptr;
    dataEnded_ = false;
    stackDepth_ = 0;
    ResetTable();
}

void CGifLzwDecoder::ResetTable() {
    std::fill(prefix_, prefix_ + kTableSize, kUndefined);
    previousCode_ = kUndefined;
    nextCode_ = clearCode_ + 2;
    codeSize_ = minimumCodeSize_ + 1;
    codeLimit_ = 1 << codeSize_;
}

bool CGifLzwDecoder::ReadCode(int& code) {
    while (bitCount_ < codeSize_) {
        if (blockLeft_ == 0) {
            // A zero length byte is the block terminator: the image data ends here.
            const uint8_t length = stream_->Read8();
            if (length == 0) {
                dataEnded_ = true;
                return false;
            }
            block_ = stream_->Read(length);
            blockLeft_ = length;
        }
        bitBuffer_ |= uint32_t{*block_++} << bitCount_;
        --blockLeft_;
        bitCount_ += 8;
    }
    code = static_cast<int>(bitBuffer_ & ((1u << codeSize_) - 1));
    bitBuffer_ >>= codeSize_;
    bitCount_ -= codeSize_;
    ++nextCode_;
    if (nextCode_ > codeLimit_ && codeSize_ < kMaxCodeSize) {
        codeLimit_ <<= 1;
        ++codeSize_;
    }
    return true;
}

uint8_t CGifLzwDecoder::PushString(int code) {
    int steps = 0;
    while (code >= clearCode_) {
        if (code >= kTableSize || prefix_[code] == kUndefined || ++steps > kTableSize) {
            Corrupt(__LINE__);
        }
        stack_[stackDepth_++] = suffix_[code];
        code = prefix_[code];
    }
    stack_[stackDepth_++] = static_cast<uint8_t>(code);
    return static_cast<uint8_t>(code);
}

int CGifLzwDecoder::DecodeRow(uint8_t* row, int width) {
    int x = 0;
    while (stackDepth_ > 0 && x < width)
        row[x++] = stack_[--stackDepth_];
    while (x < width && !dataEnded_) {
        int code = 0;
        if (!ReadCode(code) || code == endCode_) return x;
        if (code == clearCode_) {
            ResetTable();
            continue;
        }
        const int entry = nextCode_ - 2;  // the entry this code defines
        uint8_t first = 0;
        if (code < clearCode_) {
            first = static_cast<uint8_t>(code);
            row[x++] = first;
        } else {
            if (prefix_[code] == kUndefined) {
                // The string being defined by this very code: the previous string plus its own
                // first index.
                if (code != entry || previousCode_ == kUndefined) Corrupt(__LINE__);
                prefix_[entry] = previousCode_;
                suffix_[entry] = previousFirst_;
            }
            first = PushString(code);
            while (stackDepth_ > 0 && x < width)
                row[x++] = stack_[--stackDepth_];
        }
        if (previousCode_ != kUndefined && entry < kTableSize) {
            prefix_[entry] = previousCode_;
            suffix_[entry] = first;
        }
        previousCode_ = code;
        previousFirst_ = first;
    }
    return x;
}

}  // namespace xelo
