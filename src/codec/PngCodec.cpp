// libpng reports a fatal error by longjmp to the jump buffer of its read structure. Functions
// that call the library hold no object with a destructor after their setjmp and return false
// when it fires; the C++ caller then throws.
#include "codec/PngCodec.h"

#include <csetjmp>
#include <cstring>

#include <png.h>

#include "codec/ExifOrientation.h"
#include "image/TavoException.h"

namespace xelo {

namespace {

struct MemorySource {
    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t position = 0;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
    auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
    if (count > source->size - source->position) png_error(png, "file ends early");
    std::memcpy(out, source->data + source->position, count);
    source->position += count;
}

void ErrorExit(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

// Chunks that libpng decompresses (text, profiles) are held to this size.
constexpr png_alloc_size_t kMaxChunkBytes = 16u << 20;

// A read structure with its info structure, destroyed with the object.
struct Reader {
    png_structp png = nullptr;
    png_infop info = nullptr;
    MemorySource source;

    Reader(const uint8_t* data, size_t size) {
        source.data = data;
        source.size = size;
        png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, ErrorExit, IgnoreWarning);
        if (png != nullptr) info = png_create_info_struct(png);
    }
    ~Reader() { png_destroy_read_struct(&png, &info, nullptr); }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;
};

bool ReadPngInfo(Reader& r) {
    if (setjmp(png_jmpbuf(r.png)) != 0) return false;
    png_set_read_fn(r.png, &r.source, ReadFromMemory);
    png_set_user_limits(r.png, 1 << 16, 1 << 16);
    png_set_chunk_malloc_max(r.png, kMaxChunkBytes);
    png_set_crc_action(r.png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
    png_read_info(r.png, r.info);
    return true;
}

// Asks for blue, green, red (and alpha, unless `opaque`) rows of 8 bits; returns the number of
// interlace passes.
bool SetTransforms(Reader& r, bool opaque, int& passes) {
    if (setjmp(png_jmpbuf(r.png)) != 0) return false;
    png_set_expand(r.png);
    png_set_scale_16(r.png);
    png_set_gray_to_rgb(r.png);
    png_set_bgr(r.png);
    if (!opaque) png_set_filler(r.png, 0xFF, PNG_FILLER_AFTER);
    passes = png_set_interlace_handling(r.png);
    png_read_update_info(r.png, r.info);
    return true;
}

// Reads every pass into the rows; `rowsDone` counts the rows of the last pass reached, so a
// file cut short keeps what it delivered.
bool ReadRows(Reader& r, png_bytep* rows, int height, int passes, int& rowsDone) {
    if (setjmp(png_jmpbuf(r.png)) != 0) return false;
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = 0; y < height; ++y) {
            png_read_row(r.png, rows[y], nullptr);
            if (pass == 0) rowsDone = y + 1;
        }
    }
    return true;
}

}  // namespace

CPngCodec::CPngCodec() : CRasterCodec(kComponentPngDecoder) {}
CPngCodec::~CPngCodec() {
    End();
}

void CPngCodec::ReadHeader(CImageStream& stream, ImageInfo* info) {
    End();
    uint32_t count = stream.Remaining();
    data_ = stream.Peek(count);
    size_ = count;
    Reader r(data_, size_);
    if (r.info == nullptr) Fail(kErrNoMemory, __LINE__);
    if (!ReadPngInfo(r)) Fail(kErrFormatInvalid, __LINE__);
    png_uint_32 width = 0, height = 0;
    int depth = 0, colourType = 0;
    png_get_IHDR(r.png, r.info, &width, &height, &depth, &colourType, nullptr, nullptr, nullptr);
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide)
        Fail(kErrFormatInvalid, __LINE__);
    opaque_ = (colourType & PNG_COLOR_MASK_ALPHA) == 0 && png_get_valid(r.png, r.info, PNG_INFO_tRNS) == 0;
    orientation_ = 1;
    png_uint_32 exifLength = 0;
    png_bytep exif = nullptr;
    if (png_get_eXIf_1(r.png, r.info, &exifLength, &exif) != 0 && exif != nullptr)
        orientation_ = TiffBlockOrientation(exif, exifLength);
    png_charp name = nullptr;
    png_bytep icc = nullptr;
    png_uint_32 iccLength = 0;
    int compression = 0;
    if (png_get_iCCP(r.png, r.info, &name, &compression, &icc, &iccLength) != 0 && icc != nullptr)
        profile_.assign(icc, icc + iccLength);
    frames_.assign(1, FrameFacts{Rect{0, 0, static_cast<int>(width), static_cast<int>(height)}, 0});
    animation_ = ReadApng(data_, size_);
    if (animation_) {
        const Rect canvas = frames_.front().rect;
        frames_.clear();
        for (const ApngFrame& frame : animation_->frames)
            frames_.push_back(FrameFacts{canvas, frame.delay});
    }
    if (info == nullptr) return;
    info->format = kFormatPng;
    info->width = static_cast<int32_t>(width);
    info->height = static_cast<int32_t>(height);
    info->bitsPerPixel =
        colourType == PNG_COLOR_TYPE_PALETTE ? depth : depth * png_get_channels(r.png, r.info);
    info->grey = (colourType & PNG_COLOR_MASK_COLOR) == 0;
    info->frameCount = static_cast<int32_t>(frames_.size());
    info->loopCount = animation_ ? animation_->plays : 1;
    info->background = kNoColour;
    info->palette.count = 0;
    png_uint_32 xPpm = 0, yPpm = 0;
    int unit = 0;
    if (png_get_pHYs(r.png, r.info, &xPpm, &yPpm, &unit) != 0 && unit == PNG_RESOLUTION_METER &&
        xPpm < 100000000 && yPpm < 100000000) {
        info->xResolution = static_cast<int32_t>(xPpm * 0.0254 + 0.5);
        info->yResolution = static_cast<int32_t>(yPpm * 0.0254 + 0.5);
    }
}

void CPngCodec::CloseLibrary() {
    animation_.reset();
    canvas_ = RgbaPicture{};
    previous_.clear();
    nextFrame_ = 0;
}

void CPngCodec::DecodePicture(CImageStream&, int index, const Size&, bool, DecodeBudget* budget,
                              RgbaPicture& out) {
    if (data_ == nullptr) Fail(kErrInternal, __LINE__);
    if (!animation_) {
        DecodeStream(data_, size_, budget, out);
        return;
    }
    ComposeTo(index, budget);
    out.width = canvas_.width;
    out.height = canvas_.height;
    out.alpha = true;
    out.pixels.clear();
    out.libraryRows = canvas_.pixels.data();
    out.libraryStride = static_cast<size_t>(canvas_.width) * 4;
}

void CPngCodec::DecodeStream(const uint8_t* data, size_t size, DecodeBudget* budget,
                             RgbaPicture& out) const {
    Reader r(data, size);
    if (r.info == nullptr) Fail(kErrNoMemory, __LINE__);
    int passes = 1;
    if (!ReadPngInfo(r) || !SetTransforms(r, false, passes)) Fail(kErrFormatInvalid, __LINE__);
    const auto width = static_cast<int>(png_get_image_width(r.png, r.info));
    const auto height = static_cast<int>(png_get_image_height(r.png, r.info));
    if (png_get_rowbytes(r.png, r.info) != static_cast<size_t>(width) * 4)
        Fail(kErrFormatInvalid, __LINE__);
    AllocatePicture(out, width, height, budget);
    const int colourType = png_get_color_type(r.png, r.info);
    out.alpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0 ||
                png_get_valid(r.png, r.info, PNG_INFO_tRNS) != 0;
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) rows[static_cast<size_t>(y)] = out.Row(y);
    // A file cut short or damaged in its data shows the rows it delivered; rows not reached
    // stay transparent.
    int rowsDone = 0;
    if (!ReadRows(r, rows.data(), height, passes, rowsDone)) {
        if (rowsDone == 0) Fail(kErrFormatInvalid, __LINE__);
        out.alpha = true;
    }
}

void CPngCodec::ComposeTo(int index, DecodeBudget* budget) {
    const Rect canvas = frames_.front().rect;
    if (canvas_.pixels.empty() || index < nextFrame_) {
        // The canvas and the copy a frame that restores the previous canvas keeps.
        if (budget != nullptr)
            budget->Charge(static_cast<size_t>(canvas.Width()) * canvas.Height() * 4);
        AllocatePicture(canvas_, canvas.Width(), canvas.Height(), budget);
        previous_.clear();
        nextFrame_ = 0;
    }
    const auto& frames = animation_->frames;
    for (; nextFrame_ <= index; ++nextFrame_) {
        const auto k = static_cast<size_t>(nextFrame_);
        if (k > 0) {
            const ApngFrame& shown = frames[k - 1];
            for (int y = shown.rect.top; y < shown.rect.bottom; ++y) {
                uint8_t* row = canvas_.Row(y) + static_cast<size_t>(shown.rect.left) * 4;
                const size_t bytes = static_cast<size_t>(shown.rect.Width()) * 4;
                if (shown.dispose == kApngDisposeBackground) std::memset(row, 0, bytes);
                if (shown.dispose == kApngDisposePrevious && !previous_.empty())
                    std::memcpy(row, previous_.data() + (row - canvas_.pixels.data()), bytes);
            }
        }
        if (frames[k].dispose == kApngDisposePrevious) previous_ = canvas_.pixels;
        const std::vector<uint8_t> stream = ApngFrameStream(data_, *animation_, k);
        RgbaPicture picture;
        try {
            DecodeStream(stream.data(), stream.size(), budget, picture);
            if (picture.width != frames[k].rect.Width() ||
                picture.height != frames[k].rect.Height())
                Fail(kErrFormatInvalid, __LINE__);
        } catch (...) {
            canvas_ = RgbaPicture{};  // a later request starts the animation over
            throw;
        }
        DrawFrame(frames[k], picture);
    }
}

void CPngCodec::DrawFrame(const ApngFrame& frame, const RgbaPicture& picture) {
    for (int y = 0; y < picture.height; ++y) {
        const uint8_t* in = picture.Row(y);
        uint8_t* out = canvas_.Row(frame.rect.top + y) + static_cast<size_t>(frame.rect.left) * 4;
        if (frame.blend == kApngBlendSource || !picture.alpha) {
            std::memcpy(out, in, static_cast<size_t>(picture.width) * 4);
            continue;
        }
        // Over, with straight (not premultiplied) alpha on both sides.
        for (int x = 0; x < picture.width; ++x, in += 4, out += 4) {
            const unsigned a = in[3], b = out[3] * (255u - a) / 255u, sum = a + b;
            if (a == 255 || sum == 0) {
                std::memcpy(out, in, 4);
                continue;
            }
            for (int c = 0; c < 3; ++c)
                out[c] = static_cast<uint8_t>((in[c] * a + out[c] * b + sum / 2) / sum);
            out[3] = static_cast<uint8_t>(sum);
        }
    }
}

bool CPngCodec::DecodeOpaqueInto(int, uint8_t* rows, size_t stride, DecodeBudget*) {
    if (!opaque_ || data_ == nullptr || animation_) return false;
    Reader r(data_, size_);
    if (r.info == nullptr) Fail(kErrNoMemory, __LINE__);
    int passes = 1;
    if (!ReadPngInfo(r) || !SetTransforms(r, true, passes)) Fail(kErrFormatInvalid, __LINE__);
    const auto width = static_cast<size_t>(png_get_image_width(r.png, r.info));
    const auto height = static_cast<int>(png_get_image_height(r.png, r.info));
    if (png_get_rowbytes(r.png, r.info) != width * 3 || static_cast<int>(width) != frames_[0].rect.Width() ||
        height != frames_[0].rect.Height()) {
        Fail(kErrFormatInvalid, __LINE__);
    }
    std::vector<png_bytep> pointers(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) pointers[static_cast<size_t>(y)] = rows + static_cast<size_t>(y) * stride;
    // Rows a damaged file does not reach stay as they were (the framework's zeroed picture).
    int rowsDone = 0;
    if (!ReadRows(r, pointers.data(), height, passes, rowsDone) && rowsDone == 0)
        Fail(kErrFormatInvalid, __LINE__);
    return true;
}

}  // namespace xelo
