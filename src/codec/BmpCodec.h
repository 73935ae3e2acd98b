// CBmpCodec: the reader of Windows bitmap files, also serving the 2-bit ".2bp" files.
#pragma once

#include <cstdint>

#include "codec/ImageCodec.h"

namespace xelo {

class CBmpCodec : public CImageCodec {
  public:
    void ReadHeader(CImageStream& stream, ImageInfo* info) override;
    void BeginFrame(CImageStream& stream, CFrameInfo& frame, int index) override;
    void DecodeFrame(CImageStream& stream, CFrameInfo& frame, int index, bool fast) override;
    void End() override;

    // Channel masks of 32-bit (and 16-bit) bit-field files.
    struct Masks {
        uint32_t red = 0;
        uint32_t green = 0;
        uint32_t blue = 0;
    };

  private:
    void ReadPalette(CImageStream& stream, LogPalette& palette) const;

    uint32_t pixelOffset_ = 0;
    int32_t width_ = 0;
    int32_t height_ = 0;
    bool topDown_ = false;
    int32_t coloursUsed_ = 0;
    uint32_t paletteOffset_ = 0;
    int32_t paletteEntrySize_ = 4;
    int32_t bitCount_ = 0;
    bool rgb565_ = false;
    int32_t compression_ = 0;
    Masks masks_;
    int32_t xDpi_ = -1;
    int32_t yDpi_ = -1;
};

}  // namespace xelo
