// The shared codec operations, built on ReadHeader, BeginFrame, DecodeFrame and End.
#include "codec/ImageCodec.h"

#include <new>

#include "codec/MappedFile.h"
#include "image/FitSize.h"
#include "image/Reducer.h"
#include "image/TavoException.h"

namespace xelo {

namespace {
constexpr uint32_t kUnit = 20;

[[noreturn]] void Throw(uint32_t code, uint32_t line) {
    ThrowError(code, {kComponentCodecFramework, kUnit, line});
}

// Calls End when the scope is left, also by an exception.
class EndGuard {
  public:
    explicit EndGuard(CImageCodec& codec) : codec_(codec) {}
    ~EndGuard() { codec_.End(); }
    EndGuard(const EndGuard&) = delete;
    EndGuard& operator=(const EndGuard&) = delete;

  private:
    CImageCodec& codec_;
};

int32_t ScaledLength(int64_t length, int64_t numerator, int64_t denominator) {
    if (denominator <= 0) return 0;
    return static_cast<int32_t>(
        std::clamp<int64_t>(length * numerator / denominator, 0, INT32_MAX));
}
}  // namespace

void CImageFrames::Clear() {
    frames.clear();
    format = kFormatUnknown;
    width = height = colourCount = frameCount = 0;
    background = kNoColour;
    loopCount = 1;
}

void AttachDestination(CFrameInfo& frame, CDibImage& image, const Rect& destRect) {
    frame.destRect = destRect;
    frame.destBits = image.Bits();
    frame.destMaskBits = image.MaskBits();
    frame.destPad = image.RowPad();
    frame.destWidth = image.Width();
    frame.destHeight = image.Height();
    frame.destPalette = image.Palette();
}

void FinishDestination(const CFrameInfo& frame, CDibImage& image) {
    if (image.HasMask() && !frame.maskUsed) image.ReleaseMask();
    if (frame.destWidth < image.Width() || frame.destHeight < image.Height()) {
        image.CropTo(frame.destWidth, frame.destHeight);
    }
}

void CImageCodec::PrepareThumbnail(CImageStream&) {}

bool CImageCodec::DecodeInto(CImageStream& stream, CFrameInfo& frame, int index, CDibImage& image,
                             const Size& size, const Rect& destRect, bool fast, bool smooth) {
    const Size whole{destRect.Width(), destRect.Height()};
    const bool reducing = size.width >= 1 && size.height >= 1 && size.width <= whole.width &&
                          size.height <= whole.height && size != whole;
    if (smooth && reducing && !FiltersWhenReducing() && frame.transparent < 0 && !frame.maskUsed) {
        CDibImage full;
        try {
            full.Create(whole.width, whole.height, frame.bytesPerPixel, false);
        } catch (const CTavoException& e) {
            if (e.GetCode() != kErrNoMemory) throw;
        }
        if (!full.IsEmpty()) {
            AttachDestination(frame, full, destRect);
            DecodeFrame(stream, frame, index, fast);
            FinishDestination(frame, full);
            if (!CanReduceSmoothly(full)) {
                full.TransferTo(image);
                return true;
            }
            // A codec that delivered fewer pixels keeps its share of the target.
            const Size reduced{
                std::max(1, static_cast<int>(int64_t{size.width} * full.Width() / whole.width)),
                std::max(1, static_cast<int>(int64_t{size.height} * full.Height() / whole.height))};
            ReduceImage(full, image, reduced);
            return true;
        }
    }
    image.Create(size.width, size.height, frame.bytesPerPixel, frame.maskUsed != 0);
    if (image.IsEmpty()) return false;
    image.SetTransparent(frame.transparent < 0 ? kNoColour
                                               : static_cast<uint32_t>(frame.transparent));
    AttachDestination(frame, image, destRect);
    DecodeFrame(stream, frame, index, fast);
    FinishDestination(frame, image);
    return true;
}

void CImageCodec::ReadInfo(CImageStream& stream, ImageInfo& info) {
    EndGuard end(*this);
    ReadHeader(stream, &info);
}

void CImageCodec::ReadInfo(const std::string& path, ImageInfo& info) {
    if (path.empty()) Throw(kErrInvalidParameter, __LINE__);
    WithMappedFile(path, [&](CMappedFile& file) { ReadInfo(file, info); });
}

void CImageCodec::ReadFrameInfo(CImageStream& stream, CFrameInfo& frame, int index) {
    EndGuard end(*this);
    ImageInfo scratch;
    ReadHeader(stream, &scratch);
    BeginFrame(stream, frame, index);
}

void CImageCodec::ReadThumbnail(CImageStream& stream, CDibImage& image, int maxWidth,
                                int maxHeight) {
    EndGuard end(*this);
    try {
        PrepareThumbnail(stream);
        ImageInfo info;
        ReadHeader(stream, &info);
        if (info.frameCount == 0) Throw(kErrNoImages, __LINE__);
        CFrameInfo frame;
        BeginFrame(stream, frame, 0);
        const Size fitted =
            FitSize(maxWidth, maxHeight, frame.frameRect.Width(), frame.frameRect.Height(), false);
        DecodeInto(stream, frame, 0, image, fitted, frame.frameRect, true, true);
    } catch (...) {
        image.Release();
        throw;
    }
}

void CImageCodec::ReadThumbnail(const std::string& path, CDibImage& image, int maxWidth,
                                int maxHeight) {
    if (path.empty() || maxWidth < 1 || maxHeight < 1) Throw(kErrInvalidParameter, __LINE__);
    try {
        WithMappedFile(path,
                       [&](CMappedFile& file) { ReadThumbnail(file, image, maxWidth, maxHeight); });
    } catch (...) {
        image.Release();  // pixels of a file that changed underneath are not kept
        throw;
    }
}

void CImageCodec::LoadFramesScaled(CImageStream& stream, CImageFrames& frames, int percent) {
    LoadAllFrames(stream, frames, Scaling::kPercent, std::nullopt, std::nullopt, percent);
}

void CImageCodec::LoadFrames(CImageStream& stream, CImageFrames& frames,
                             const std::optional<Size>& targetSize,
                             const std::optional<Rect>& clip) {
    LoadAllFrames(stream, frames, targetSize ? Scaling::kTargetSize : Scaling::kNone, targetSize,
                  clip, 100);
}

void CImageCodec::LoadFrames(const std::string& path, CImageFrames& frames,
                             const std::optional<Size>& targetSize,
                             const std::optional<Rect>& clip) {
    if (path.empty()) Throw(kErrInvalidParameter, __LINE__);
    try {
        WithMappedFile(path,
                       [&](CMappedFile& file) { LoadFrames(file, frames, targetSize, clip); });
    } catch (...) {
        frames.Clear();
        throw;
    }
}

void CImageCodec::LoadAllFrames(CImageStream& stream, CImageFrames& frames, Scaling scaling,
                                const std::optional<Size>& targetSize,
                                const std::optional<Rect>& clip, int percent) {
    EndGuard end(*this);
    try {
        frames.Clear();
        ImageInfo info;
        ReadHeader(stream, &info);
        if (info.frameCount <= 0) Throw(kErrNoImages, __LINE__);
        frames.format = info.format;
        frames.width = info.width;
        frames.height = info.height;
        frames.colourCount =
            (info.format == kFormatJpeg && info.grey)
                ? 257
                : (info.bitsPerPixel >= 1 && info.bitsPerPixel < 31 ? (1 << info.bitsPerPixel) : 0);
        frames.background = info.background;
        frames.frameCount = info.frameCount;
        frames.loopCount = info.loopCount;
        try {
            frames.frames.reserve(static_cast<size_t>(info.frameCount));
        } catch (const std::bad_alloc&) {
            Throw(kErrNoMemory, __LINE__);
        }

        for (int index = 0; index < info.frameCount; ++index) {
            auto* raw = new (std::nothrow) CImageFrame;
            if (raw == nullptr) Throw(kErrNoMemory, __LINE__);
            frames.frames.emplace_back(raw);
            CImageFrame& out = *raw;

            CFrameInfo frame;
            BeginFrame(stream, frame, index);
            out.delay = static_cast<uint16_t>(std::clamp(frame.delay, 0, 0xFFFF));
            out.disposal = static_cast<uint8_t>(frame.disposal);
            out.interlaced = static_cast<uint8_t>(frame.interlaced);
            out.userInput = static_cast<uint8_t>(frame.userInput);
            out.frameRect = frame.frameRect;

            const Rect working = clip ? Intersect(frame.frameRect, *clip) : frame.frameRect;
            if (working.IsEmpty()) continue;
            Size size{working.Width(), working.Height()};
            if (scaling == Scaling::kTargetSize) {
                size = Size{ScaledLength(working.Width(), targetSize->width, info.width),
                            ScaledLength(working.Height(), targetSize->height, info.height)};
            } else if (scaling == Scaling::kPercent) {
                size = Size{ScaledLength(working.Width(), percent, 100),
                            ScaledLength(working.Height(), percent, 100)};
            }
            // Animations and palette pictures other than grey ones keep their palette.
            const bool smooth = info.frameCount == 1 &&
                                (frame.bytesPerPixel == 3 || info.grey || IsGreyRamp(info.palette));
            if (DecodeInto(stream, frame, index, out.image, size, working, false, smooth)) {
                out.shownRect = working;
            }
        }
    } catch (...) {
        frames.Clear();
        throw;
    }
}

}  // namespace xelo
