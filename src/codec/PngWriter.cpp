// libpng's fatal errors longjmp back to the guarded function, which holds no object with a
// destructor after its setjmp and returns false.
#include "codec/PngWriter.h"

#include <algorithm>
#include <csetjmp>
#include <exception>
#include <new>
#include <vector>

#include <png.h>

#include "codec/FileWriter.h"
#include "image/Palette.h"
#include "image/FitSize.h"
#include "image/Reducer.h"
#include "image/TavoException.h"

namespace xelo {

namespace {
constexpr uint32_t kUnit = 71;

struct Job {
    const CDibImage* image = nullptr;
    int width = 0;
    int height = 0;
    bool grey = false;
    const int* columns = nullptr;
    uint8_t* row = nullptr;
    CFileWriter* file = nullptr;
    std::exception_ptr fileError;
    int dpiX = 96;
    int dpiY = 96;
};

void WriteToFile(png_structp png, png_bytep data, png_size_t count) {
    auto* job = static_cast<Job*>(png_get_io_ptr(png));
    try {
        job->file->Write(data, count);
    } catch (...) {
        job->fileError = std::current_exception();
        png_error(png, "write failed");
    }
}

void Flush(png_structp) {}

void ErrorExit(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

void FillRow(const Job& job, int y) {
    const CDibImage& image = *job.image;
    const uint8_t* in = image.Row(static_cast<int>(int64_t{y} * image.Height() / job.height));
    const LogPalette* palette = image.Palette();
    uint8_t* out = job.row;
    for (int x = 0; x < job.width; ++x) {
        const int column = job.columns[x];
        if (image.BytesPerPixel() == 1) {
            const uint8_t v = in[column];
            if (job.grey) {
                *out++ = v;
            } else {
                const PaletteEntry& e = palette->entries[v];
                *out++ = e.red;
                *out++ = e.green;
                *out++ = e.blue;
            }
        } else {
            const uint8_t* p = in + 3 * static_cast<size_t>(column);
            *out++ = p[2];
            *out++ = p[1];
            *out++ = p[0];
        }
    }
}

bool Compress(png_structp png, png_infop info, Job& job) {
    if (setjmp(png_jmpbuf(png)) != 0) return false;
    png_set_write_fn(png, &job, WriteToFile, Flush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(job.width),
                 static_cast<png_uint_32>(job.height), 8,
                 job.grey ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(png, info, static_cast<png_uint_32>(job.dpiX / 0.0254 + 0.5),
                 static_cast<png_uint_32>(job.dpiY / 0.0254 + 0.5), PNG_RESOLUTION_METER);
    png_write_info(png, info);
    for (int y = 0; y < job.height; ++y) {
        FillRow(job, y);
        png_write_row(png, job.row);
    }
    png_write_end(png, info);
    return true;
}

[[noreturn]] void Throw(uint32_t code, uint32_t line) {
    ThrowError(code, {kComponentPngEncoder, kUnit, line});
}
}  // namespace

void WritePng(const std::string& path, const CDibImage& image, int percent, Resolution dpi) {
    const int bpp = image.BytesPerPixel();
    if (image.IsEmpty() || percent <= 0 || (bpp != 1 && bpp != 3) ||
        (bpp == 1 && image.Palette() == nullptr)) {
        Throw(kErrInvalidParameter, __LINE__);
    }
    const int64_t width = PercentLength(image.Width(), percent);
    const int64_t height = PercentLength(image.Height(), percent);
    if (width <= 0 || height <= 0 || width > (1 << 24) || height > (1 << 24))
        Throw(kErrInvalidParameter, __LINE__);
    Job job;
    job.image = &image;
    job.width = static_cast<int>(width);
    job.height = static_cast<int>(height);
    job.grey = bpp == 1 && IsGreyRamp(*image.Palette());
    job.dpiX = std::max(1, dpi.x);
    job.dpiY = std::max(1, dpi.y);
    std::vector<uint8_t> row;
    std::vector<int> columns;
    try {
        row.resize(static_cast<size_t>(width) * (job.grey ? 1 : 3));
        columns.resize(static_cast<size_t>(width));
    } catch (const std::bad_alloc&) {
        Throw(kErrNoMemory, __LINE__);
    }
    for (int64_t x = 0; x < width; ++x)
        columns[static_cast<size_t>(x)] = static_cast<int>(x * image.Width() / width);
    job.row = row.data();
    job.columns = columns.data();

    CFileWriter file(path, {kComponentPngEncoder, kUnit, __LINE__});
    job.file = &file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, ErrorExit, IgnoreWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    const bool written = info != nullptr && Compress(png, info, job);
    png_destroy_write_struct(&png, &info);
    if (!written) {
        if (job.fileError) std::rethrow_exception(job.fileError);
        Throw(kErrNoMemory, __LINE__);
    }
    file.Commit();
}

}  // namespace xelo
