// CHeifCodec: HEIC and AVIF through the system's libheif. The library applies the file's own
// rotation, mirroring and crop when pictures are turned as recorded; a thumbnail is decoded from
// the small picture the file keeps for it when there is one.
#pragma once

#include <memory>

#include "codec/HeifSource.h"
#include "codec/RasterCodec.h"

struct heif_context;
struct heif_image_handle;
struct heif_image;

namespace xelo {

class CHeifCodec : public CRasterCodec {
  public:
    explicit CHeifCodec(ImageFormat format);
    ~CHeifCodec() override;

    void ReadHeader(CImageStream& stream, ImageInfo* info) override;
    bool DecodesFramesAgain() const override { return true; }
    void UseEmbeddedThumbnail() override { embeddedThumbnail_ = true; }

  protected:
    void DecodePicture(CImageStream& stream, int index, const Size& wanted, bool fast,
                       DecodeBudget* budget, RgbaPicture& out) override;
    void CloseLibrary() override;

  private:
    void ReleaseDecoded();

    ImageFormat format_;
    std::unique_ptr<HeifSource> source_;  // read by the context until it is freed
    heif_context* context_ = nullptr;
    heif_image_handle* handle_ = nullptr;  // the picture decoded: the primary or its thumbnail
    heif_image* decoded_ = nullptr;  // the last decoded picture, whose plane its RgbaPicture shows
    bool embeddedThumbnail_ = false;
    bool transform_ = true;  // the file's rotation and mirroring are applied
};

}  // namespace xelo
