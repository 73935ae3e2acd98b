// SaveImageAs: decode, crop, resize, reduce and write.
#include "codec/SaveImageAs.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <utility>

#include "codec/BmpWriter.h"
#include "codec/GifWriter.h"
#include "codec/ImageFile.h"
#include "codec/JpegCodec.h"
#include "codec/PngWriter.h"
#include "image/ColourReducer.h"
#include "image/Resampler.h"
#include "image/TavoException.h"

namespace xelo {

namespace {

constexpr uint32_t kUnit = 42;

[[noreturn]] void Fail(uint32_t code, uint32_t line) {
    ThrowError(code, {kComponentImageWriters, kUnit, line});
}

constexpr SaveFormatInfo kFormats[] = {
    {kSaveJpeg, "jpg", "jpg"},
    {kSaveGif, "gif", "gif"},
    {kSaveBmp, "bmp", "bmp"},
    {kSavePng, "png", "png"},
};

struct ExtensionAlias {
    const char* extension;
    int32_t format;
};
constexpr ExtensionAlias kAliases[] = {
    {"jpg", kSaveJpeg}, {"jpeg", kSaveJpeg}, {"jpe", kSaveJpeg}, {"gif", kSaveGif},
    {"giff", kSaveGif}, {"bmp", kSaveBmp},   {"2bp", kSaveBmp},  {"png", kSavePng},
};

bool PaletteFits(const CDibImage& image, uint32_t colours) {
    return image.BytesPerPixel() == 1 && image.Palette() != nullptr &&
           image.Palette()->count <= colours;
}

// BMP palette size for a colour value: 2, 16 or 256.
uint32_t BmpPaletteSize(uint32_t value) {
    if (value < 3) return 2;
    if (value < 17) return 16;
    return 256;
}

// Reduces a 3-byte image to `colours` palette entries (optimised palette, dithered) in place.
void ReduceToPalette(CDibImage& image, uint32_t colours) {
    CDibImage reduced;
    reduced.Create(image.Width(), image.Height(), 1, false);
    const BgrBuffer source{image.Bits(), image.Width(), image.Height(), image.RowPad()};
    ColourReduction options;
    options.maxColours = static_cast<int>(colours);
    options.dither = true;
    int32_t transparentIndex = -1;
    const Rect whole{0, 0, image.Width(), image.Height()};
    if (!ReduceColours(whole, source, reduced.Bits(), reduced.RowPad(), 1, options,
                       reduced.Palette(), transparentIndex)) {
        Fail(kErrInternal, __LINE__);
    }
    reduced.TransferTo(image);
}

}  // namespace

std::span<const SaveFormatInfo> SaveFormats() {
    return kFormats;
}

const SaveFormatInfo* FindSaveFormat(int32_t format) {
    for (const SaveFormatInfo& info : kFormats) {
        if (info.format == format) return &info;
    }
    return nullptr;
}

const SaveFormatInfo* SaveFormatForPath(const std::string& path) {
    const size_t dot = path.rfind('.');
    const size_t slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return nullptr;
    std::string extension = path.substr(dot + 1);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const ExtensionAlias& alias : kAliases) {
        if (extension == alias.extension) return FindSaveFormat(alias.format);
    }
    return nullptr;
}

uint32_t FormatListValue(int32_t format, int position) {
    static constexpr uint32_t kQualities[] = {90, 80, 75, 60, 45};
    static constexpr uint32_t kBmpColours[] = {2, 16, 256, kTrueColourValue};
    switch (format) {
        case kSaveJpeg:
            return kQualities[std::clamp(position, 0, 4)];
        case kSaveGif:
            return 2u << std::clamp(position, 0, 7);
        case kSaveBmp:
            return kBmpColours[std::clamp(position, 0, 3)];
        default:
            return 0;
    }
}

bool CropImage(CDibImage& image, const Rect& rect) {
    const Rect clamped{std::max(rect.left, 0), std::max(rect.top, 0),
                       std::min(rect.right, image.Width()), std::min(rect.bottom, image.Height())};
    if (clamped.IsEmpty()) return false;
    if (clamped.left == 0 && clamped.top == 0 && clamped.right == image.Width() &&
        clamped.bottom == image.Height()) {
        return true;
    }
    // Each kept row moves to the start of its own row or an earlier one, so moving them in order
    // never overwrites a row still to be moved; CropTo then keeps the top-left corner.
    const int bpp = image.BytesPerPixel();
    const size_t rowBytes = static_cast<size_t>(clamped.Width()) * bpp;
    for (int y = 0; y < clamped.Height(); ++y) {
        std::memmove(image.Row(y),
                     image.Row(y + clamped.top) + static_cast<size_t>(clamped.left) * bpp,
                     rowBytes);
        if (image.HasMask()) {
            uint8_t* mask = image.MaskBits();
            std::memmove(mask + y * image.MaskStride(),
                         mask + (y + clamped.top) * image.MaskStride() + clamped.left,
                         static_cast<size_t>(clamped.Width()));
        }
    }
    image.CropTo(clamped.Width(), clamped.Height());
    return true;
}

void ResizeImage(CDibImage& image, const Size& size) {
    if (size.width < 1 || size.height < 1) Fail(kErrInvalidParameter, __LINE__);
    CDibImage resized;
    resized.Create(size.width, size.height, 3, false);
    if (!Resample24(image.Bits(), image.Width(), image.Height(), image.RowPad(),
                    image.BytesPerPixel(), image.Palette(), resized.Bits(), size.width, size.height,
                    resized.RowPad())) {
        Fail(kErrNoMemory, __LINE__);
    }
    uint32_t key = image.Transparent();
    if (image.BytesPerPixel() == 1) {
        const LogPalette* palette = image.Palette();
        if (key != kNoColour && palette != nullptr && key < palette->count) {
            const PaletteEntry& e = palette->entries[key];
            key = MakeColour(e.red, e.green, e.blue);
        } else {
            key = kNoColour;
        }
    }
    resized.SetTransparent(key);
    resized.TransferTo(image);
}

void WriteImageAs(CDibImage& image, const std::string& path, const SaveOptions& options) {
    const bool dpiGiven = options.xDpi > 0 && options.yDpi > 0;
    switch (options.format) {
        case kSaveBmp: {
            Resolution dpi;
            if (dpiGiven) dpi = Resolution{options.xDpi, options.yDpi};
            if (options.value == kKeepDepthValue && image.BytesPerPixel() == 1) {
                // written as it is
            } else if (options.value == kTrueColourValue || options.value == kKeepDepthValue) {
                image.ConvertToTrueColour();
            } else {
                const uint32_t colours = BmpPaletteSize(options.value);
                if (!PaletteFits(image, colours)) {
                    image.ConvertToTrueColour();
                    ReduceToPalette(image, colours);
                    image.Palette()->count = static_cast<uint16_t>(colours);
                }
            }
            WriteBmp(path, image, 100, dpi);
            return;
        }
        case kSaveGif: {
            CGifWriter writer;
            writer.maxColours = RoundColourCount(static_cast<int>(std::min(options.value, 256u)));
            writer.dither = options.dither;
            if (image.BytesPerPixel() == 1 &&
                !PaletteFits(image, static_cast<uint32_t>(writer.maxColours))) {
                image.ConvertToTrueColour();
            }
            WriteGif(writer, path, image, 100);
            return;
        }
        case kSaveJpeg: {
            JpegWriterSettings settings;
            settings.quality = static_cast<uint16_t>(std::min<uint32_t>(options.value, 0xFFFF));
            if (dpiGiven) {
                settings.xDpi = options.xDpi;
                settings.yDpi = options.yDpi;
            }
            WriteJpeg(settings, path, image, 100);
            return;
        }
        case kSavePng: {
            Resolution dpi;
            if (dpiGiven) dpi = Resolution{options.xDpi, options.yDpi};
            WritePng(path, image, 100, dpi);
            return;
        }
        default:
            Fail(kErrInvalidParameter, __LINE__);
    }
}

void SaveImageAs(const std::string& source, const std::string& output, const SaveOptions& options,
                 const SaveEdit& edit) {
    if (FindSaveFormat(options.format) == nullptr) Fail(kErrInvalidParameter, __LINE__);
    CImageFile file;
    CImageFrames frames;
    std::optional<Size> decodeSize;
    if (edit.scaledDecode && edit.size && !edit.crop) {
        ImageInfo info;
        file.ReadInfo(source, info);
        // Only JPEG decodes faster when smaller; the others would be sampled, not filtered.
        if (info.format == kFormatJpeg && edit.size->width < info.width &&
            edit.size->height < info.height) {
            decodeSize = edit.size;
        }
    }
    file.LoadFirstFrame(source, frames, decodeSize);
    if (frames.frames.empty() || frames.frames.front()->image.IsEmpty()) {
        Fail(kErrNoMemory, __LINE__);
    }
    CDibImage& image = frames.frames.front()->image;
    image.MakeTransparentUnique();
    if (edit.crop && !CropImage(image, *edit.crop)) Fail(kErrInvalidParameter, __LINE__);
    if (edit.size && !(Size{image.Width(), image.Height()} == *edit.size)) {
        ResizeImage(image, *edit.size);
    }
    WriteImageAs(image, output, options);
}

}  // namespace xelo
