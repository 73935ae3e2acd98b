// CDibImage: allocation, release, transfer, crop, true-colour conversion and the transparent key.
#include "image/DibImage.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "image/Resampler.h"
#include "image/TavoException.h"

namespace xelo {

namespace {
constexpr uint32_t kUnit = 1;
constexpr uint8_t kUniqueRed = 127, kUniqueGreen = 128, kUniqueBlue = 129;

[[noreturn]] void ThrowNoMemory(uint32_t line) {
    ThrowError(kErrNoMemory, {kComponentRasterImage, kUnit, line});
}

bool SameColour(const PaletteEntry& a, const PaletteEntry& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}
}  // namespace

size_t CheckedPlaneBytes(int64_t rowPixels, int64_t height, int bytesPerPixel) {
    if (rowPixels < 0 || height < 0 || bytesPerPixel < 1 || bytesPerPixel > 4) {
        ThrowError(kErrInvalidParameter, {kComponentRasterImage, kUnit, __LINE__});
    }
    if (rowPixels != 0 && height > kMaxImagePixels / rowPixels) ThrowNoMemory(__LINE__);
    return static_cast<size_t>(rowPixels * height * bytesPerPixel);
}

PixelBuffer AllocatePixels(size_t bytes) {
    auto* p = static_cast<uint8_t*>(std::calloc(bytes == 0 ? 1 : bytes, 1));
    if (p == nullptr) ThrowNoMemory(__LINE__);
    return PixelBuffer(p);
}

CDibImage::~CDibImage() {
    Release();
}

void CDibImage::Create(int width, int height, int bytesPerPixel, bool withMask) {
    Release();
    if (bytesPerPixel != 1 && bytesPerPixel != 3) {
        ThrowError(kErrInvalidParameter, {kComponentRasterImage, kUnit, __LINE__});
    }
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == 0 || height == 0) return;

    const int rowPad = RowPadFor(width);
    const size_t bytes = CheckedPlaneBytes(int64_t{width} + rowPad, height, bytesPerPixel);
    PixelBuffer pixels = AllocatePixels(bytes);
    PixelBuffer mask;
    if (withMask) mask = AllocatePixels(CheckedPlaneBytes(int64_t{width} + rowPad, height, 1));
    std::unique_ptr<LogPalette> palette;
    if (bytesPerPixel == 1) {
        palette.reset(new (std::nothrow) LogPalette);
        if (!palette) ThrowNoMemory(__LINE__);
        palette->count = 256;
    }

    width_ = width;
    height_ = height;
    rowPad_ = rowPad;
    bytesPerPixel_ = bytesPerPixel;
    pixels_ = std::move(pixels);
    mask_ = std::move(mask);
    ownsPalette_ = true;
    palette_ = palette.release();
}

void CDibImage::Release() {
    if (ownsPalette_) delete palette_;
    palette_ = nullptr;
    ownsPalette_ = true;
    pixels_.reset();
    mask_.reset();
    width_ = height_ = rowPad_ = bytesPerPixel_ = 0;
    transparent_ = kNoColour;
}

void CDibImage::TransferTo(CDibImage& other) {
    if (&other == this) return;
    other.Release();
    other.width_ = width_;
    other.height_ = height_;
    other.rowPad_ = rowPad_;
    other.bytesPerPixel_ = bytesPerPixel_;
    other.pixels_ = std::move(pixels_);
    other.mask_ = std::move(mask_);
    other.transparent_ = transparent_;
    other.ownsPalette_ = ownsPalette_;
    other.palette_ = palette_;
    palette_ = nullptr;
    ownsPalette_ = true;
    Release();
}

void CDibImage::BorrowPalette(LogPalette* palette) {
    if (ownsPalette_) delete palette_;
    palette_ = palette;
    ownsPalette_ = false;
}

void CDibImage::ReleaseMask() {
    mask_.reset();
}

void CDibImage::CropTo(int newWidth, int newHeight) {
    if (IsEmpty()) return;
    newWidth = std::clamp(newWidth, 0, width_);
    newHeight = std::clamp(newHeight, 0, height_);
    if (newWidth == 0 || newHeight == 0) {
        Release();
        return;
    }
    const int newPad = RowPadFor(newWidth);
    if (newWidth + newPad == width_ + rowPad_) {
        width_ = newWidth;
        height_ = newHeight;
        rowPad_ = newPad;
        return;
    }
    // The row length changes: copy each kept row into new planes of the new length.
    const size_t newStride = static_cast<size_t>(newWidth + newPad) * bytesPerPixel_;
    PixelBuffer pixels =
        AllocatePixels(CheckedPlaneBytes(newWidth + newPad, newHeight, bytesPerPixel_));
    PixelBuffer mask;
    if (mask_) mask = AllocatePixels(CheckedPlaneBytes(newWidth + newPad, newHeight, 1));
    for (int y = 0; y < newHeight; ++y) {
        std::memcpy(pixels.get() + y * newStride, Row(y), newStride);
        if (mask_) {
            std::memcpy(mask.get() + static_cast<size_t>(y) * (newWidth + newPad),
                        mask_.get() + static_cast<size_t>(y) * MaskStride(), newWidth + newPad);
        }
    }
    pixels_ = std::move(pixels);
    if (mask_) mask_ = std::move(mask);
    width_ = newWidth;
    height_ = newHeight;
    rowPad_ = newPad;
}

void CDibImage::MakeTransparentUnique() {
    if (bytesPerPixel_ != 1 || IsEmpty() || palette_ == nullptr || transparent_ == kNoColour) {
        return;
    }
    const uint32_t count = std::min<uint32_t>(palette_->count, 256);
    if (transparent_ >= count) {
        transparent_ = kNoColour;
        return;
    }
    PaletteEntry* entries = palette_->entries;
    const PaletteEntry key = entries[transparent_];
    bool duplicated = false;
    for (uint32_t i = 0; i < count && !duplicated; ++i) {
        duplicated = i != transparent_ && SameColour(entries[i], key);
    }
    if (!duplicated) return;

    // The replacement must occur nowhere else: start from (127, 128, 129) and step the blue
    // channel, then green, until the colour is free. 256 entries cannot cover 2^24 colours, so
    // this ends within 256 tries.
    PaletteEntry candidate{kUniqueRed, kUniqueGreen, kUniqueBlue, key.flags};
    for (;;) {
        bool taken = false;
        for (uint32_t i = 0; i < count && !taken; ++i) {
            taken = i != transparent_ && SameColour(entries[i], candidate);
        }
        if (!taken) break;
        if (++candidate.blue == 0) ++candidate.green;
    }
    entries[transparent_] = candidate;
}

void CDibImage::ConvertToTrueColour() {
    if (IsEmpty() || bytesPerPixel_ == 3) return;
    MakeTransparentUnique();

    const size_t rowPixels = static_cast<size_t>(width_ + rowPad_);
    PixelBuffer pixels = AllocatePixels(CheckedPlaneBytes(rowPixels, height_, 3));
    if (!Resample24(pixels_.get(), width_, height_, rowPad_, 1, palette_, pixels.get(), width_,
                    height_, rowPad_)) {
        ThrowNoMemory(__LINE__);
    }
    PixelBuffer mask;
    if (mask_) {
        mask = AllocatePixels(CheckedPlaneBytes(rowPixels, height_, 1));
        if (!Resample8(mask_.get(), width_, height_, rowPad_, mask.get(), width_, height_,
                       rowPad_)) {
            ThrowNoMemory(__LINE__);
        }
    }

    if (transparent_ != kNoColour && palette_ != nullptr && transparent_ < 256) {
        const PaletteEntry& e = palette_->entries[transparent_];
        transparent_ = MakeColour(e.red, e.green, e.blue);
    } else {
        transparent_ = kNoColour;
    }
    pixels_ = std::move(pixels);
    if (mask_) mask_ = std::move(mask);
    if (ownsPalette_) delete palette_;
    palette_ = nullptr;
    ownsPalette_ = true;
    bytesPerPixel_ = 3;
}

}  // namespace xelo
