// CPngCodec: PNG reading through the system's libpng. Debian's libpng carries no animation
// support, so an animated PNG shows its default image, as libpng reads it.
#pragma once

#include "codec/RasterCodec.h"

namespace xelo {

class CPngCodec : public CRasterCodec {
  public:
    CPngCodec();
    ~CPngCodec() override;

    void ReadHeader(CImageStream& stream, ImageInfo* info) override;
    bool DecodesFramesAgain() const override { return true; }
    int Orientation() const override { return orientation_; }

  protected:
    void DecodePicture(CImageStream& stream, int index, const Size& wanted, bool fast,
                       DecodeBudget* budget, RgbaPicture& out) override;
    void CloseLibrary() override {}
    bool DecodeOpaqueInto(int index, uint8_t* rows, size_t stride, DecodeBudget* budget) override;

  private:
    const uint8_t* data_ = nullptr;  // the file's bytes from the header on; not owned
    size_t size_ = 0;
    int orientation_ = 1;
    bool opaque_ = false;  // no alpha channel and no transparent colour
};

}  // namespace xelo
