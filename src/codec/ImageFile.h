// CImageFile: recognises a file's format and forwards the codec steps to the matching codec.
#pragma once

#include <memory>

#include "codec/ColourProfile.h"
#include "codec/ImageCodec.h"

namespace xelo {

class CImageFile : public CImageCodec {
  public:
    CImageFile() = default;
    ~CImageFile() override;

    void ReadHeader(CImageStream& stream, ImageInfo* info) override;
    void BeginFrame(CImageStream& stream, CFrameInfo& frame, int index) override;
    void DecodeFrame(CImageStream& stream, CFrameInfo& frame, int index, bool fast) override;
    void End() override;
    bool FiltersWhenReducing() const override;
    bool DecodesFramesAgain() const override { return codec_ && codec_->DecodesFramesAgain(); }

    // The codec for a detected format, or null when the format has none.
    static std::unique_ptr<CImageCodec> MakeCodec(ImageFormat format);

  protected:
    void PrepareThumbnail(CImageStream& stream) override;

  private:
    void ConvertColours(const CFrameInfo& frame) const;

    std::unique_ptr<CImageCodec> codec_;
    // The file's recorded orientation when pictures are turned upright, else 1; the codec works
    // on the stored picture of storedSize_ and this object turns what it delivers.
    int orientation_ = 1;
    Size storedSize_;
    bool embeddedThumbnail_ = false;  // the next ReadHeader is for a thumbnail
    // Converts decoded pixels from the file's embedded profile; null when it has none.
    std::shared_ptr<const ColourTransform> colour_;
};

}  // namespace xelo
