#include "codec/RasterCodec.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "codec/DecodeSettings.h"
#include "image/Reducer.h"
#include "image/TavoException.h"

namespace xelo {

namespace {
constexpr uint32_t kUnit = 70;

// Lays `count` pixels of blue, green, red, alpha over the background into blue, green, red.
void Compose(const uint8_t* in, uint8_t* out, int count, bool alpha, const uint8_t background[3]) {
    if (!alpha) {
        for (int i = 0; i < count; ++i, in += 4, out += 3) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
        }
        return;
    }
    for (int i = 0; i < count; ++i, in += 4, out += 3) {
        const unsigned a = in[3];
        for (int c = 0; c < 3; ++c) {
            out[c] = static_cast<uint8_t>((in[c] * a + background[c] * (255 - a) + 127) / 255);
        }
    }
}
}  // namespace

void CRasterCodec::Fail(uint32_t code, uint32_t line) const {
    ThrowError(code, {component_, kUnit, line});
}

void CRasterCodec::AllocatePicture(RgbaPicture& picture, int width, int height,
                                   DecodeBudget* budget) const {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        Fail(kErrFormatInvalid, __LINE__);
    const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
    if (budget != nullptr) budget->Charge(bytes);
    try {
        picture.pixels.assign(bytes, 0);
    } catch (const std::bad_alloc&) {
        Fail(kErrNoMemory, __LINE__);
    }
    picture.width = width;
    picture.height = height;
}

void CRasterCodec::BeginFrame(CImageStream&, CFrameInfo& frame, int index) {
    if (index < 0 || static_cast<size_t>(index) >= frames_.size()) Fail(kErrInvalidParameter, __LINE__);
    const FrameFacts& facts = frames_[static_cast<size_t>(index)];
    frame.frameRect = facts.rect;
    frame.delay = facts.delay;
    frame.disposal = 1;  // every frame is a whole, composed canvas
    frame.bytesPerPixel = 3;
    frame.maskUsed = 0;
    frame.transparent = -1;
}

void CRasterCodec::DecodeFrame(CImageStream& stream, CFrameInfo& frame, int index, bool fast) {
    if (index < 0 || static_cast<size_t>(index) >= frames_.size()) Fail(kErrInvalidParameter, __LINE__);
    const Rect rect = frames_[static_cast<size_t>(index)].rect;
    const Rect visible = Intersect(rect, frame.destRect);
    if (visible.IsEmpty() || frame.destBits == nullptr || frame.destWidth <= 0 ||
        frame.destHeight <= 0) {
        return;
    }
    // The size the whole frame would be shown at.
    const Size wanted{
        static_cast<int>(std::max<int64_t>(1, int64_t{rect.Width()} * frame.destWidth / visible.Width())),
        static_cast<int>(std::max<int64_t>(1, int64_t{rect.Height()} * frame.destHeight / visible.Height()))};
    const size_t stride = static_cast<size_t>(frame.destWidth + frame.destPad) * 3;
    if (visible == rect && frame.destWidth == rect.Width() && frame.destHeight == rect.Height() &&
        DecodeOpaqueInto(index, frame.destBits, stride, frame.budget)) {
        return;
    }
    RgbaPicture picture;
    DecodePicture(stream, index, wanted, fast, frame.budget, picture);
    if (picture.width <= 0 || picture.height <= 0) Fail(kErrFormatInvalid, __LINE__);

    // The visible part in the picture's pixels, rounded outwards.
    auto scale = [](int v, int num, int den, bool up) {
        const int64_t p = int64_t{v} * num;
        return static_cast<int>(up ? (p + den - 1) / den : p / den);
    };
    const int left = visible.left - rect.left, top = visible.top - rect.top;
    Rect source{scale(left, picture.width, rect.Width(), false),
                scale(top, picture.height, rect.Height(), false),
                scale(left + visible.Width(), picture.width, rect.Width(), true),
                scale(top + visible.Height(), picture.height, rect.Height(), true)};
    source = Intersect(source, Rect{0, 0, picture.width, picture.height});
    if (source.IsEmpty()) return;

    const uint32_t bg = AlphaBackground();
    const uint8_t background[3] = {static_cast<uint8_t>(bg >> 16), static_cast<uint8_t>(bg >> 8),
                                   static_cast<uint8_t>(bg)};
    if (source.Width() == frame.destWidth && source.Height() == frame.destHeight) {
        for (int y = 0; y < frame.destHeight; ++y) {
            Compose(picture.Row(source.top + y) + static_cast<size_t>(source.left) * 4,
                    frame.destBits + static_cast<size_t>(y) * stride, frame.destWidth,
                    picture.alpha, background);
        }
        return;
    }
    std::unique_ptr<CRowReducer> reducer;
    try {
        reducer = std::make_unique<CRowReducer>(source.Width(), source.Height(), frame.destWidth,
                                                frame.destHeight, 3, frame.destBits, stride);
    } catch (const std::bad_alloc&) {
        Fail(kErrNoMemory, __LINE__);
    }
    for (int y = source.top; y < source.bottom; ++y) {
        Compose(picture.Row(y) + static_cast<size_t>(source.left) * 4, reducer->Slot(),
                source.Width(), picture.alpha, background);
        reducer->Commit();
    }
}

void CRasterCodec::End() {
    CloseLibrary();
    frames_.clear();
    profile_.clear();
}

}  // namespace xelo
