// The shared codec operations, built on ReadHeader, BeginFrame, DecodeFrame and End.
#include "codec/ImageCodec.h"

#include <algorithm>
#include <cstdint>
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

// What a decoded plane of `size` takes: rows padded to 4 pixels, a mask plane of one byte a pixel.
size_t PlaneBytes(const Size& size, int bytesPerPixel, bool mask) {
    const int64_t row = (int64_t{size.width} + 3) & ~int64_t{3};
    size_t bytes = CheckedPlaneBytes(row, size.height, bytesPerPixel);
    if (mask) bytes += CheckedPlaneBytes(row, size.height, 1);
    return bytes;
}

// The part of a frame that is decoded.
Rect WorkingRect(const CFrameInfo& frame, const FrameScale& scale) {
    return scale.clip ? Intersect(frame.frameRect, *scale.clip) : frame.frameRect;
}

// The size that part is decoded at.
Size DecodedSize(const ImageInfo& info, const Rect& working, const FrameScale& scale) {
    if (scale.targetSize) {
        return Size{ScaledLength(working.Width(), scale.targetSize->width, info.width),
                    ScaledLength(working.Height(), scale.targetSize->height, info.height)};
    }
    if (scale.percent) {
        return Size{ScaledLength(working.Width(), *scale.percent, 100),
                    ScaledLength(working.Height(), *scale.percent, 100)};
    }
    return Size{working.Width(), working.Height()};
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
    if (frame.budget != nullptr && size.width > 0 && size.height > 0) {
        frame.budget->Charge(PlaneBytes(size, frame.bytesPerPixel, frame.maskUsed != 0));
    }
    if (smooth && reducing && !FiltersWhenReducing() && frame.transparent < 0 && !frame.maskUsed) {
        CDibImage full;
        try {
            // The whole frame is held only while it is filtered down; without the memory for
            // it the reduction samples instead.
            if (frame.budget != nullptr)
                frame.budget->Charge(PlaneBytes(whole, frame.bytesPerPixel, false));
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
        DecodeBudget budget;
        CFrameInfo frame;
        frame.budget = &budget;
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
    LoadAllFrames(stream, frames, FrameScale{std::nullopt, std::nullopt, percent}, INT32_MAX);
}

void CImageCodec::LoadFrames(CImageStream& stream, CImageFrames& frames,
                             const std::optional<Size>& targetSize,
                             const std::optional<Rect>& clip) {
    LoadAllFrames(stream, frames, FrameScale{targetSize, clip, std::nullopt}, INT32_MAX);
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

void CImageCodec::LoadFirstFrame(const std::string& path, CImageFrames& frames,
                                 const std::optional<Size>& targetSize) {
    if (path.empty()) Throw(kErrInvalidParameter, __LINE__);
    try {
        WithMappedFile(path, [&](CMappedFile& file) {
            LoadAllFrames(file, frames, FrameScale{targetSize, std::nullopt, std::nullopt}, 1);
        });
    } catch (...) {
        frames.Clear();
        throw;
    }
}

void CImageCodec::LoadFrame(CImageStream& stream, const ImageInfo& info, int index,
                            const FrameScale& scale, DecodeBudget& budget, CImageFrame& out) {
    CFrameInfo frame;
    frame.budget = &budget;
    BeginFrame(stream, frame, index);
    out.delay = static_cast<uint16_t>(std::clamp(frame.delay, 0, 0xFFFF));
    out.disposal = static_cast<uint8_t>(frame.disposal);
    out.interlaced = static_cast<uint8_t>(frame.interlaced);
    out.userInput = static_cast<uint8_t>(frame.userInput);
    out.frameRect = frame.frameRect;
    out.shownRect = Rect{};
    out.image.Release();

    const Rect working = WorkingRect(frame, scale);
    if (working.IsEmpty()) return;
    const Size size = DecodedSize(info, working, scale);
    // Animations and palette pictures other than grey ones keep their palette.
    const bool smooth =
        info.frameCount == 1 && (frame.bytesPerPixel == 3 || info.grey || IsGreyRamp(info.palette));
    if (DecodeInto(stream, frame, index, out.image, size, working, false, smooth)) {
        out.shownRect = working;
    }
}

void CImageCodec::LoadAllFrames(CImageStream& stream, CImageFrames& frames, const FrameScale& scale,
                                int maxFrames) {
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
        const int count = std::min(info.frameCount, maxFrames);
        try {
            frames.frames.reserve(static_cast<size_t>(count));
        } catch (const std::bad_alloc&) {
            Throw(kErrNoMemory, __LINE__);
        }

        // Every frame's pixels are known from the frame headers: a file whose frames together
        // pass the budget is refused before any is decoded.
        DecodeBudget preflight;
        for (int index = 0; index < count; ++index) {
            CFrameInfo frame;
            BeginFrame(stream, frame, index);
            const Rect working = WorkingRect(frame, scale);
            if (working.IsEmpty()) continue;
            const Size size = DecodedSize(info, working, scale);
            if (size.width > 0 && size.height > 0)
                preflight.Charge(CheckedPlaneBytes(size.width, size.height, frame.bytesPerPixel));
        }

        DecodeBudget budget;
        for (int index = 0; index < count; ++index) {
            auto* raw = new (std::nothrow) CImageFrame;
            if (raw == nullptr) Throw(kErrNoMemory, __LINE__);
            frames.frames.emplace_back(raw);
            LoadFrame(stream, info, index, scale, budget, *raw);
        }
    } catch (...) {
        frames.Clear();
        throw;
    }
}

}  // namespace xelo
