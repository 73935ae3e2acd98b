// CGifCodec: the reader of GIF87a and GIF89a files, still and animated. The header step indexes
// every image of the file in one pass; each frame is decoded on demand into 1-byte indices with
// its own palette, rectangle, delay, disposal and transparent index.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "codec/GifLzwDecoder.h"
#include "codec/ImageCodec.h"

namespace xelo {

class CGifCodec : public CImageCodec {
  public:
    CGifCodec();
    ~CGifCodec() override;

    void ReadHeader(CImageStream& stream, ImageInfo* info) override;
    void BeginFrame(CImageStream& stream, CFrameInfo& frame, int index) override;
    void DecodeFrame(CImageStream& stream, CFrameInfo& frame, int index, bool fast) override;
    void End() override;
    bool DecodesFramesAgain() const override { return true; }

    int FrameCount() const { return static_cast<int>(descriptorOffsets_.size()); }

  private:
    void IndexBlocks(const uint8_t* data, uint32_t length, uint32_t position);

    int32_t screenWidth_ = 0;
    int32_t screenHeight_ = 0;
    // Per frame: offset of the graphic control extension's data (0 = none) and of the image
    // descriptor's first field.
    std::vector<uint32_t> controlOffsets_;
    std::vector<uint32_t> descriptorOffsets_;
    int32_t globalColourCount_ = 0;
    LogPalette globalPalette_;
    int32_t backgroundIndex_ = 0;
    int32_t globalBits_ = 0;
    std::vector<uint8_t> row_;
    std::unique_ptr<CGifLzwDecoder> lzw_;  // 24 KB of tables, kept off the stack
};

}  // namespace xelo
