// Format dispatch: detect, create the codec, forward.
#include "codec/ImageFile.h"

#include <algorithm>
#include <cstring>

#include "codec/BmpCodec.h"
#include "codec/DecodeSettings.h"
#include "codec/ExifOrientation.h"
#include "codec/ExifReader.h"
#include "codec/FormatDetect.h"
#include "codec/GifCodec.h"
#include "codec/HeifCodec.h"
#include "codec/JpegCodec.h"
#include "codec/Orientation.h"
#include "codec/PngCodec.h"
#include "codec/TiffCodec.h"
#include "codec/WebpCodec.h"
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
        case kFormatPng:
            return std::make_unique<CPngCodec>();
        case kFormatWebp:
            return std::make_unique<CWebpCodec>();
        case kFormatTiff:
            return std::make_unique<CTiffCodec>();
        case kFormatHeif:
        case kFormatAvif:
            return std::make_unique<CHeifCodec>(format);
        default:
            return nullptr;
    }
}

void CImageFile::ReadHeader(CImageStream& stream, ImageInfo* info) {
    const bool embedded = embeddedThumbnail_;
    End();
    const ImageFormat format = DetectFormat(stream);
    codec_ = MakeCodec(format);
    if (!codec_) ThrowError(kErrFormatUnsupported, {kComponentFormatDispatcher, kUnit, __LINE__});
    if (embedded) codec_->UseEmbeddedThumbnail();
    ImageInfo scratch;
    ImageInfo& facts = info != nullptr ? *info : scratch;
    codec_->ReadHeader(stream, &facts);
    storedSize_ = Size{facts.width, facts.height};
    orientation_ = 1;
    // The recorded orientation and profile of a JPEG file are the main picture's, also when an
    // embedded one is decoded.
    const uint8_t* bytes = nullptr;
    uint32_t count = 0;
    if (format == kFormatJpeg) {
        const uint32_t position = stream.GetPosition();
        stream.SeekToBegin();
        count = stream.GetLength();
        bytes = stream.Peek(count);
        stream.Seek(position, CImageStream::kBegin);
    }
    colour_ = TransformFor(format == kFormatJpeg ? JpegIccProfile(bytes, count)
                                                 : codec_->EmbeddedProfile());
    if (!CameraOrientationEnabled()) return;
    if (format == kFormatJpeg) {
        orientation_ = JpegOrientation(bytes, count);
    } else {
        orientation_ = codec_->Orientation();
    }
    if (OrientationTransposes(orientation_)) std::swap(facts.width, facts.height);
}

void CImageFile::BeginFrame(CImageStream& stream, CFrameInfo& frame, int index) {
    if (!codec_) ThrowError(kErrInternal, {kComponentFormatDispatcher, kUnit, __LINE__});
    codec_->BeginFrame(stream, frame, index);
    frame.frameRect = OrientRect(frame.frameRect, orientation_, storedSize_);
}

// A turned picture is decoded as stored into a picture of its own, then turned into the target.
void CImageFile::DecodeFrame(CImageStream& stream, CFrameInfo& frame, int index, bool fast) {
    if (!codec_) ThrowError(kErrInternal, {kComponentFormatDispatcher, kUnit, __LINE__});
    if (orientation_ == 1) {
        codec_->DecodeFrame(stream, frame, index, fast);
        ConvertColours(frame);
        return;
    }
    const int inverse = InverseOrientation(orientation_);
    const Size upright = OrientedSize(storedSize_, orientation_);
    CFrameInfo stored = frame;
    stored.frameRect = OrientRect(frame.frameRect, inverse, upright);
    const Size size = OrientedSize(Size{frame.destWidth, frame.destHeight}, orientation_);
    if (frame.budget != nullptr && size.width > 0 && size.height > 0)
        frame.budget->Charge(CheckedPlaneBytes(size.width + 3, size.height, frame.bytesPerPixel + 1));
    CDibImage picture;
    picture.Create(size.width, size.height, frame.bytesPerPixel, frame.destMaskBits != nullptr);
    if (picture.IsEmpty()) return;
    AttachDestination(stored, picture, OrientRect(frame.destRect, inverse, upright));
    codec_->DecodeFrame(stream, stored, index, fast);
    FinishDestination(stored, picture);
    CDibImage turned;
    OrientImage(picture, turned, orientation_);
    if (frame.destPalette != nullptr && turned.Palette() != nullptr)
        *frame.destPalette = *turned.Palette();
    const int width = std::min(turned.Width(), frame.destWidth);
    const int height = std::min(turned.Height(), frame.destHeight);
    const size_t stride = static_cast<size_t>(frame.destWidth + frame.destPad) * frame.bytesPerPixel;
    const size_t maskStride = static_cast<size_t>(frame.destWidth + frame.destPad);
    for (int y = 0; y < height; ++y) {
        std::memcpy(frame.destBits + y * stride, turned.Row(y),
                    static_cast<size_t>(width) * frame.bytesPerPixel);
        if (frame.destMaskBits != nullptr && turned.HasMask())
            std::memcpy(frame.destMaskBits + y * maskStride, turned.MaskBits() + y * turned.MaskStride(),
                        static_cast<size_t>(width));
    }
    frame.maskUsed = stored.maskUsed;
    frame.transparent = stored.transparent;
    frame.destWidth = width;
    frame.destHeight = height;
    ConvertColours(frame);
}

void CImageFile::ConvertColours(const CFrameInfo& frame) const {
    if (!colour_ || frame.bytesPerPixel != 3) return;
    colour_->Apply(frame.destBits, frame.destWidth, frame.destHeight,
                   static_cast<size_t>(frame.destWidth + frame.destPad) * 3);
}

bool CImageFile::FiltersWhenReducing() const {
    return codec_ && codec_->FiltersWhenReducing();
}

void CImageFile::End() {
    if (codec_) codec_->End();
    codec_.reset();
    orientation_ = 1;
    embeddedThumbnail_ = false;
    colour_.reset();
}

// A JPEG file with a name is thumbnailed from the JPEG embedded in its Exif block when there is
// one whose header reads; the stream is left at its start, where the JPEG codec begins reading.
// Anything wrong with the embedded picture leaves the main image to be decoded.
void CImageFile::PrepareThumbnail(CImageStream& stream) {
    const ImageFormat format = DetectFormat(stream);
    if (format == kFormatHeif || format == kFormatAvif) embeddedThumbnail_ = true;
    if (stream.GetFileName().empty() || format != kFormatJpeg) return;
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
