// CTiffCodec: TIFF through the system's libtiff, each page a frame (reduced-resolution copies
// of a page are left out).
#pragma once

#include "codec/RasterCodec.h"

struct tiff;

namespace xelo {

class CTiffCodec : public CRasterCodec {
  public:
    CTiffCodec();
    ~CTiffCodec() override;

    void ReadHeader(CImageStream& stream, ImageInfo* info) override;
    bool DecodesFramesAgain() const override { return true; }
    int Orientation() const override { return orientation_; }

    struct Memory;  // the file's bytes as libtiff reads them

  protected:
    void DecodePicture(CImageStream& stream, int index, const Size& wanted, bool fast,
                       DecodeBudget* budget, RgbaPicture& out) override;
    void CloseLibrary() override;

  private:
    struct tiff* tiff_ = nullptr;
    Memory* memory_ = nullptr;
    std::vector<uint16_t> directories_;  // the directory of each frame
    int orientation_ = 1;
};

}  // namespace xelo
