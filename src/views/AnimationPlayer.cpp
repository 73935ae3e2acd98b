#include "views/AnimationPlayer.h"

#include <algorithm>
#include <cstring>

#include "image/ErrorCodes.h"
#include "image/Palette.h"
#include "image/RenderTransformed.h"
#include "image/TavoException.h"

namespace xelo {

namespace {

constexpr uint32_t kUnit = 650;

BgrBuffer BufferOf(CDibImage& image) {
    return BgrBuffer{image.Bits(), image.Width(), image.Height(), image.RowPad()};
}

void FillRect(CDibImage& image, const Rect& r, uint32_t colour) {
    const auto red = static_cast<uint8_t>(colour & 0xFF);
    const auto green = static_cast<uint8_t>((colour >> 8) & 0xFF);
    const auto blue = static_cast<uint8_t>((colour >> 16) & 0xFF);
    for (int y = r.top; y < r.bottom; ++y) {
        uint8_t* p = image.Row(y) + static_cast<size_t>(r.left) * 3;
        for (int x = r.left; x < r.right; ++x, p += 3) {
            p[0] = blue;
            p[1] = green;
            p[2] = red;
        }
    }
}

void CopyRect(const CDibImage& from, CDibImage& to, const Rect& r) {
    const size_t bytes = static_cast<size_t>(r.Width()) * 3;
    for (int y = r.top; y < r.bottom; ++y)
        std::memcpy(to.Row(y) + static_cast<size_t>(r.left) * 3,
                    from.Row(y) + static_cast<size_t>(r.left) * 3, bytes);
}

}  // namespace

void AnimationPlayer::Reset(int frameCount) {
    count_ = std::max(0, frameCount);
    index_ = 0;
    playing_ = false;
}

bool AnimationPlayer::PreviousFrame() {
    if (!CanPreviousFrame()) return false;
    --index_;
    return true;
}

bool AnimationPlayer::NextFrame() {
    if (!CanNextFrame()) return false;
    ++index_;
    return true;
}

bool AnimationPlayer::Play() {
    if (!CanPlay()) return false;
    playing_ = true;
    index_ = 0;
    return true;
}

bool AnimationPlayer::Stop() {
    if (!CanStop()) return false;
    playing_ = false;
    return true;
}

void AnimationPlayer::Tick() {
    if (!playing_ || count_ <= 0) return;
    index_ = (index_ + 1) % count_;
}

void FillBuffer(const BgrBuffer& buffer, uint32_t colour) {
    if (buffer.height <= 0 || buffer.width <= 0) return;
    // The first row pixel by pixel, the others copied from it.
    uint8_t* first = buffer.Row(0);
    for (int x = 0; x < buffer.width; ++x) {
        first[3 * x] = BlueOf(colour);
        first[3 * x + 1] = GreenOf(colour);
        first[3 * x + 2] = RedOf(colour);
    }
    for (int y = 1; y < buffer.height; ++y)
        std::memcpy(buffer.Row(y), first, static_cast<size_t>(buffer.width) * 3);
}

void FillImage(CDibImage& image, uint32_t colour) {
    FillBuffer(BufferOf(image), colour);
}

void ComposeFrame(const CImageFrame& frame, Point offset, CDibImage& composition, CDibImage& shown,
                  uint32_t background) {
    if (composition.BytesPerPixel() != 3 || shown.BytesPerPixel() != 3 ||
        composition.Width() != shown.Width() || composition.Height() != shown.Height())
        ThrowError(kErrInvalidParameter, {kComponentRasterImage, kUnit, __LINE__});
    const Rect whole{0, 0, shown.Width(), shown.Height()};
    CopyRect(composition, shown, whole);
    const Rect placed{offset.x, offset.y, offset.x + frame.image.Width(),
                      offset.y + frame.image.Height()};
    const Rect area = Intersect(placed, whole);
    if (area.IsEmpty() || frame.image.IsEmpty()) return;
    RenderTransformed(frame.image, placed, BufferOf(shown), area, kOrientNormal);
    switch (frame.disposal) {
        case 0:
        case 1:
            CopyRect(shown, composition, area);
            break;
        case 2:
            FillRect(composition, area, background);
            break;
        default:
            break;
    }
}

}  // namespace xelo
