// libpng reading and writing. libpng reports errors by longjmp, so the functions that call it
// create every C++ object before setjmp and none after.
#include "codec/ThumbnailPng.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

#include "image/Palette.h"

namespace xelo {

namespace {

struct FileCloser {
    void operator()(FILE* f) const {
        if (f) std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

void CollectText(png_structp png, png_infop info, PngTextKeys& keys) {
    png_textp text = nullptr;
    int count = 0;
    if (png_get_text(png, info, &text, &count) <= 0 || text == nullptr) return;
    for (int i = 0; i < count; ++i) {
        if (text[i].key == nullptr || text[i].text == nullptr) continue;
        const size_t length = text[i].compression >= PNG_ITXT_COMPRESSION_NONE
                                  ? text[i].itxt_length
                                  : text[i].text_length;
        keys[text[i].key] = std::string(text[i].text, length);
    }
}

// The libpng part of reading; false on any libpng error. `rows` lives in the caller so that no
// C++ object is made after setjmp.
bool ReadWithLibpng(FILE* file, CDibImage& image, PngTextKeys& keys, uint32_t background,
                    std::vector<png_bytep>& rows) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    png_infop end = info ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || end == nullptr) {
        png_destroy_read_struct(&png, &info, &end);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, &end);
        return false;
    }
    png_init_io(png, file);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (width < 1 || height < 1 || width > kThumbnailPngMaxSide || height > kThumbnailPngMaxSide) {
        png_destroy_read_struct(&png, &info, &end);
        return false;
    }
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_color_16 back{};
    back.red = static_cast<png_uint_16>(background & 0xFF);
    back.green = static_cast<png_uint_16>((background >> 8) & 0xFF);
    back.blue = static_cast<png_uint_16>((background >> 16) & 0xFF);
    png_set_background(png, &back, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_channels(png, info) != 3 || png_get_bit_depth(png, info) != 8) {
        png_destroy_read_struct(&png, &info, &end);
        return false;
    }
    try {
        image.Create(static_cast<int>(width), static_cast<int>(height), 3, false);
        rows.resize(height);
    } catch (...) {
        png_destroy_read_struct(&png, &info, &end);
        return false;
    }
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = image.Row(static_cast<int>(y));
    png_read_image(png, rows.data());
    png_read_end(png, end);
    CollectText(png, info, keys);
    CollectText(png, end, keys);
    png_destroy_read_struct(&png, &info, &end);
    return true;
}

bool WriteWithLibpng(FILE* file, const CDibImage& image, const std::vector<png_text>& text,
                     const std::vector<png_bytep>& rows) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    // Thumbnails are written once and read often; a fast level keeps the cold start quick.
    png_set_compression_level(png, 3);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.Width()),
                 static_cast<png_uint_32>(image.Height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_text(png, info, const_cast<png_textp>(text.data()), static_cast<int>(text.size()));
    png_write_info(png, info);
    png_set_bgr(png);
    png_write_image(png, const_cast<png_bytepp>(rows.data()));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool ReadThumbnailPng(const std::string& path, CDibImage& image, PngTextKeys& keys,
                      uint32_t background) {
    image.Release();
    keys.clear();
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) return false;
    uint8_t signature[8];
    if (std::fread(signature, 1, 8, file.get()) != 8 || png_sig_cmp(signature, 0, 8) != 0) {
        return false;
    }
    std::rewind(file.get());
    std::vector<png_bytep> rows;
    const bool ok = ReadWithLibpng(file.get(), image, keys, background, rows);
    if (!ok) image.Release();
    return ok;
}

bool WriteThumbnailPng(FILE* file, const CDibImage& image, const PngTextKeys& keys) {
    if (image.IsEmpty()) return false;
    // A palette picture is written through a 3-byte copy.
    CDibImage converted;
    const CDibImage* source = &image;
    if (image.BytesPerPixel() != 3) {
        converted.Create(image.Width(), image.Height(), 3, false);
        const LogPalette* palette = image.Palette();
        if (palette == nullptr) return false;
        for (int y = 0; y < image.Height(); ++y) {
            const uint8_t* in = image.Row(y);
            uint8_t* out = converted.Row(y);
            for (int x = 0; x < image.Width(); ++x) {
                const PaletteEntry& e = palette->entries[in[x]];
                out[3 * x] = e.blue;
                out[3 * x + 1] = e.green;
                out[3 * x + 2] = e.red;
            }
        }
        source = &converted;
    }
    std::vector<png_bytep> rows(static_cast<size_t>(source->Height()));
    for (int y = 0; y < source->Height(); ++y) {
        rows[static_cast<size_t>(y)] = const_cast<png_bytep>(source->Row(y));
    }
    std::vector<png_text> text;
    for (const auto& [key, value] : keys) {
        png_text t{};
        t.compression = PNG_TEXT_COMPRESSION_NONE;
        t.key = const_cast<char*>(key.c_str());
        t.text = const_cast<char*>(value.c_str());
        t.text_length = value.size();
        text.push_back(t);
    }
    return WriteWithLibpng(file, *source, text, rows) && std::fflush(file) == 0;
}

}  // namespace xelo
