// Format dispatch: detect, create the codec, forward.
#include "codec/ImageFile.h"

#include "codec/BmpCodec.h"
#include "codec/FormatDetect.h"
#include "codec/JpegCodec.h"
#include "image/TavoException.h"

namespace xelo {

namespace {
constexpr uint32_t kUnit = 30;
}

CImageFile::~CImageFile() {
    End();
}

std::unique_ptr<CImageCodec> CImageFile::MakeCodec(ImageFormat format) {
    switch (format) {
        case kFormatBmp:
            return std::make_unique<CBmpCodec>();
        case kFormatJpeg:
            return std::make_unique<CJpegCodec>();
        default:
            return nullptr;
    }
}

void CImageFile::ReadHeader(CImageStream& stream, ImageInfo* info) {
    End();
    codec_ = MakeCodec(DetectFormat(stream));
    if (!codec_) ThrowError(kErrFormatUnsupported, {kComponentFormatDispatcher, kUnit, __LINE__});
    codec_->ReadHeader(stream, info);
}

void CImageFile::BeginFrame(CImageStream& stream, CFrameInfo& frame, int index) {
    if (!codec_) ThrowError(kErrInternal, {kComponentFormatDispatcher, kUnit, __LINE__});
    codec_->BeginFrame(stream, frame, index);
}

void CImageFile::DecodeFrame(CImageStream& stream, CFrameInfo& frame, int index, bool fast) {
    if (!codec_) ThrowError(kErrInternal, {kComponentFormatDispatcher, kUnit, __LINE__});
    codec_->DecodeFrame(stream, frame, index, fast);
}

void CImageFile::End() {
    if (codec_) codec_->End();
    codec_.reset();
}

void CImageFile::PrepareThumbnail(CImageStream&) {}

}  // namespace xelo
