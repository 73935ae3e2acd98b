// Format dispatch: detect, create the codec, forward.
#include "codec/ImageFile.h"

#include "codec/BmpCodec.h"
#include "codec/ExifReader.h"
#include "codec/FormatDetect.h"
#include "codec/GifCodec.h"
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
        case kFormatGif:
            return std::make_unique<CGifCodec>();
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

bool CImageFile::FiltersWhenReducing() const {
    return codec_ && codec_->FiltersWhenReducing();
}

void CImageFile::End() {
    if (codec_) codec_->End();
    codec_.reset();
}

// A JPEG file with a name is thumbnailed from the JPEG embedded in its Exif block when there is
// one whose header reads; the stream is left at its start, where the JPEG codec begins reading.
// Anything wrong with the embedded picture leaves the main image to be decoded.
void CImageFile::PrepareThumbnail(CImageStream& stream) {
    if (stream.GetFileName().empty() || DetectFormat(stream) != kFormatJpeg) return;
    const uint32_t start = stream.GetPosition();
    try {
        stream.SeekToBegin();
        uint32_t count = stream.GetLength();
        const uint8_t* bytes = stream.Peek(count);
        const std::optional<ExifThumbnail> thumbnail = CExifReader().FindThumbnail(bytes, count);
        if (thumbnail && thumbnail->offset < stream.GetLength()) {
            stream.Seek(thumbnail->offset, CImageStream::kBegin);
            ImageInfo info;
            CJpegCodec().ReadInfo(stream, info);
            stream.Seek(thumbnail->offset, CImageStream::kBegin);
            return;
        }
    } catch (const CTavoException&) {
    }
    stream.Seek(start, CImageStream::kBegin);
}

}  // namespace xelo
