// CGifLzwDecoder: the variable-length-code LZW decoder of GIF image data, delivering one row of
// palette indices at a time from the data sub-blocks of a stream.
#pragma once

#include <cstdint>

#include "codec/ImageStream.h"

namespace xelo {

class CGifLzwDecoder {
  public:
    // Largest table and code: 12-bit codes.
    static constexpr int kTableSize = 4096;

    // Starts decoding the data sub-blocks at the stream's position (just after the minimum code
    // size byte). minimumCodeSize must be 1…11.
    void Start(CImageStream* stream, int minimumCodeSize);  // stream not owned
    // Fills `row` with up to `width` indices and returns how many it wrote. An end code ends the
    // row early (the rest of the row keeps its bytes); once the data sub-blocks have ended nothing
    // more is written. Undefined codes and runaway prefix chains throw 46024; data cut off by the
    // end of the file throws the stream's 46023.
    int DecodeRow(uint8_t* row, int width);
    bool DataEnded() const { return dataEnded_; }

  private:
    // 0x1002 marks an undefined table entry and an absent code.
    static constexpr int32_t kUndefined = 0x1002;

    bool ReadCode(int& code);
    void ResetTable();
    // Pushes the string of `code` onto the output stack; returns its first index.
    uint8_t PushString(int code);

    CImageStream* stream_ = nullptr;  // not owned
    int minimumCodeSize_ = 0;
    int clearCode_ = 0;
    int endCode_ = 0;
    int nextCode_ = 0;
    int codeSize_ = 0;
    int codeLimit_ = 0;
    int32_t previousCode_ = kUndefined;
    uint8_t previousFirst_ = 0;
    uint32_t bitBuffer_ = 0;
    int bitCount_ = 0;
    uint32_t blockLeft_ = 0;
    const uint8_t* block_ = nullptr;  // not owned: points into the stream's bytes
    bool dataEnded_ = false;
    int stackDepth_ = 0;

    int32_t prefix_[kTableSize];
    uint8_t suffix_[kTableSize];
    // A string is at most one literal plus a chain of kTableSize steps.
    uint8_t stack_[kTableSize + 1];
};

}  // namespace xelo
