// SaveImageAs: the first frame of an image file decoded, cropped and resized as asked, reduced to
// what the output format holds, and written as a BMP, GIF, JPEG or PNG file.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "image/DibImage.h"
#include "image/Geometry.h"

namespace xelo {

enum SaveFormat : int32_t {
    kSaveBmp = 1,
    kSaveJpeg = 2,
    kSaveGif = 3,
    kSavePng = 4,
};

// One row per format the save paths write; a new format is a new row and a new branch in
// WriteImageAs.
struct SaveFormatInfo {
    int32_t format;
    const char* extension;  // written after the output name's "."
    const char* name;       // as the tool's --format takes it
};
std::span<const SaveFormatInfo> SaveFormats();
const SaveFormatInfo* FindSaveFormat(int32_t format);
// The format a file name's extension asks for (case ignored; "jpeg", "jpe" and "2bp" included),
// or null.
const SaveFormatInfo* SaveFormatForPath(const std::string& path);

// Colour value of a BMP written with 24 bits per pixel.
constexpr uint32_t kTrueColourValue = 16777216;
// Colour value of a BMP written at the picture's own depth: a palette picture as it is, any other
// with 24 bits.
constexpr uint32_t kKeepDepthValue = 0;

// The value a position of the save sheet's list of `format` stands for: JPEG quality 90, 80, 75,
// 60, 45; GIF 2, 4, ..., 256 colours; BMP 2, 16, 256 colours or 24 bits.
uint32_t FormatListValue(int32_t format, int position);

struct SaveOptions {
    int32_t format = kSaveJpeg;
    uint32_t value = 75;  // JPEG: quality; GIF and BMP: colour count
    int32_t xDpi = 0;     // written when both are positive
    int32_t yDpi = 0;
    bool dither = true;  // GIF: error diffusion when reducing
};

// What to do with the picture between decoding and writing.
struct SaveEdit {
    std::optional<Rect> crop;  // clamped to the image; an empty result is 46002
    std::optional<Size> size;  // resampled when it differs from the (cropped) size
    // A JPEG reduced without a crop may be decoded at the library scale that keeps at least twice
    // the target size, which is much faster than decoding the whole picture.
    bool scaledDecode = false;
};

// Writes `image` (already at its final size) as `options` asks. Allocation and writer failures
// throw CTavoException; the writers leave nothing at `path` then. `image` may be expanded to
// 3 bytes per pixel on the way.
void WriteImageAs(CDibImage& image, const std::string& path, const SaveOptions& options);

// Decodes frame 0 of `source`, applies `edit` and writes `output`. `output` may name `source`: the
// file is replaced only when the new one was written whole.
void SaveImageAs(const std::string& source, const std::string& output, const SaveOptions& options,
                 const SaveEdit& edit = {});

// Crops `image` to `rect` clamped to it; false (image unchanged) when nothing of it is left.
bool CropImage(CDibImage& image, const Rect& rect);
// Resamples `image` into a 3-byte image of `size`; a 1-byte image's transparent index becomes its
// palette colour.
void ResizeImage(CDibImage& image, const Size& size);

}  // namespace xelo
