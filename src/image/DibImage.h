// CDibImage: the in-memory raster image of 1 byte per pixel with a palette or 3 bytes per pixel
// (blue, green, red), top-down rows padded to a multiple of 4 pixels, with an optional 8-bit
// mask plane and a transparent key.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "image/Palette.h"

namespace xelo {

// Largest image the program will allocate; bigger requests fail with "Not enough memory.".
constexpr int64_t kMaxImagePixels = int64_t{1} << 28;

// Bytes of a padded plane of `rowPixels` × `height` pixels of `bytesPerPixel`, or throws 46040
// when the product overflows or exceeds kMaxImagePixels.
size_t CheckedPlaneBytes(int64_t rowPixels, int64_t height, int bytesPerPixel);

// Pixel memory from calloc: zeroed, and fresh zero pages for big planes.
struct FreeDeleter {
    void operator()(uint8_t* p) const { std::free(p); }
};
using PixelBuffer = std::unique_ptr<uint8_t, FreeDeleter>;
// Zeroed memory of `bytes`, or throws 46040.
PixelBuffer AllocatePixels(size_t bytes);

class CDibImage {
  public:
    CDibImage() = default;
    virtual ~CDibImage();
    CDibImage(const CDibImage&) = delete;
    CDibImage& operator=(const CDibImage&) = delete;

    // Releases, then allocates zeroed pixels (and mask). Sizes <= 0 leave the image empty.
    void Create(int width, int height, int bytesPerPixel, bool withMask);
    void Release();
    // Moves everything into `other` (released first) and leaves this image empty.
    void TransferTo(CDibImage& other);
    void ConvertToTrueColour();
    // Keeps the top-left newWidth × newHeight pixels.
    void CropTo(int newWidth, int newHeight);
    void ReleaseMask();
    void MakeTransparentUnique();

    bool IsEmpty() const { return pixels_ == nullptr; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int RowPad() const { return rowPad_; }
    int BytesPerPixel() const { return bytesPerPixel_; }
    // Row stride in bytes of the pixel plane; the mask plane's stride is Width() + RowPad().
    size_t Stride() const { return static_cast<size_t>(width_ + rowPad_) * bytesPerPixel_; }
    size_t MaskStride() const { return static_cast<size_t>(width_ + rowPad_); }

    uint8_t* Bits() { return pixels_.get(); }
    const uint8_t* Bits() const { return pixels_.get(); }
    uint8_t* Row(int y) { return pixels_.get() + static_cast<size_t>(y) * Stride(); }
    const uint8_t* Row(int y) const { return pixels_.get() + static_cast<size_t>(y) * Stride(); }
    uint8_t* MaskBits() { return mask_.get(); }
    const uint8_t* MaskBits() const { return mask_.get(); }
    bool HasMask() const { return mask_ != nullptr; }

    // Key colour: a palette index for 1-byte images, 0x00BBGGRR for 3-byte images.
    uint32_t Transparent() const { return transparent_; }
    void SetTransparent(uint32_t key) { transparent_ = key; }

    LogPalette* Palette() { return palette_; }
    const LogPalette* Palette() const { return palette_; }
    bool OwnsPalette() const { return ownsPalette_; }
    // Points the image at a palette it does not own (not owned; must outlive the image's use).
    void BorrowPalette(LogPalette* palette);

  private:
    int width_ = 0;
    int height_ = 0;
    int rowPad_ = 0;
    int bytesPerPixel_ = 0;
    PixelBuffer pixels_;
    PixelBuffer mask_;
    uint32_t transparent_ = kNoColour;
    bool ownsPalette_ = true;
    LogPalette* palette_ = nullptr;  // owned when ownsPalette_
};

// Padding in pixels that makes a row of `width` pixels a multiple of 4 pixels.
constexpr int RowPadFor(int width) {
    return (4 - width % 4) % 4;
}

}  // namespace xelo
