// CPngCodec: PNG reading through the system's libpng. The frames of an animated PNG, which
// Debian's libpng does not read, are rebuilt as PNG streams of their own (ApngChunks.h) and
// composed on a canvas here, each frame a whole canvas as the animation shows it.
#pragma once

#include <optional>

#include "codec/ApngChunks.h"
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
    void CloseLibrary() override;
    bool DecodeOpaqueInto(int index, uint8_t* rows, size_t stride, DecodeBudget* budget) override;

  private:
    // Decodes the PNG stream `data` into `out`.
    void DecodeStream(const uint8_t* data, size_t size, DecodeBudget* budget,
                      RgbaPicture& out) const;
    // Brings the canvas to frame `index` of the animation.
    void ComposeTo(int index, DecodeBudget* budget);
    // Lays a decoded frame on the canvas as its blend operation says.
    void DrawFrame(const ApngFrame& frame, const RgbaPicture& picture);

    const uint8_t* data_ = nullptr;  // the file's bytes from the header on; not owned
    size_t size_ = 0;
    int orientation_ = 1;
    bool opaque_ = false;  // no alpha channel and no transparent colour
    std::optional<ApngAnimation> animation_;
    RgbaPicture canvas_;             // after frame nextFrame_ - 1, before its disposal
    std::vector<uint8_t> previous_;  // the canvas before the last frame that restores it
    int nextFrame_ = 0;
};

}  // namespace xelo
