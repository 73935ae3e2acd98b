// CWebpCodec: WebP stills and animations through the system's libwebp. Animations are decoded
// by the library's animation decoder into whole canvases, one frame after another.
#pragma once

#include "codec/RasterCodec.h"

struct WebPDemuxer;
struct WebPAnimDecoder;

namespace xelo {

class CWebpCodec : public CRasterCodec {
  public:
    CWebpCodec();
    ~CWebpCodec() override;

    void ReadHeader(CImageStream& stream, ImageInfo* info) override;
    bool DecodesFramesAgain() const override { return true; }
    int Orientation() const override { return orientation_; }

  protected:
    void DecodePicture(CImageStream& stream, int index, const Size& wanted, bool fast,
                       DecodeBudget* budget, RgbaPicture& out) override;
    void CloseLibrary() override;
    bool DecodeOpaqueInto(int index, uint8_t* rows, size_t stride, DecodeBudget* budget) override;

  private:
    void DecodeStill(const Size& wanted, bool fast, DecodeBudget* budget, RgbaPicture& out);
    void DecodeAnimated(int index, DecodeBudget* budget, RgbaPicture& out);

    const uint8_t* data_ = nullptr;  // not owned
    size_t size_ = 0;
    WebPDemuxer* demux_ = nullptr;
    WebPAnimDecoder* animation_ = nullptr;
    int nextFrame_ = 0;  // the frame the animation decoder delivers next
    bool animated_ = false;
    bool alpha_ = false;
    int orientation_ = 1;
};

}  // namespace xelo
