#include "codec/TiffCodec.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "codec/TiffLibrary.h"
#include "image/TavoException.h"

namespace xelo {

namespace {
// Pages beyond this are not shown; libtiff's own allocations are held to the second limit.
constexpr int kMaxPages = 4096;
constexpr tmsize_t kMaxLibraryAlloc = tmsize_t{256} << 20;
}  // namespace

struct CTiffCodec::Memory {
    const uint8_t* data = nullptr;
    toff_t size = 0;
    toff_t position = 0;
};

namespace {
using Memory = CTiffCodec::Memory;

tmsize_t ReadProc(thandle_t h, void* out, tmsize_t count) {
    auto* m = static_cast<Memory*>(h);
    if (count <= 0 || m->position >= m->size) return 0;
    const auto n = static_cast<tmsize_t>(std::min<toff_t>(static_cast<toff_t>(count), m->size - m->position));
    std::memcpy(out, m->data + m->position, static_cast<size_t>(n));
    m->position += static_cast<toff_t>(n);
    return n;
}

tmsize_t WriteProc(thandle_t, void*, tmsize_t) {
    return 0;
}

toff_t SeekProc(thandle_t h, toff_t offset, int whence) {
    auto* m = static_cast<Memory*>(h);
    toff_t base = 0;
    if (whence == SEEK_CUR) base = m->position;
    if (whence == SEEK_END) base = m->size;
    if (offset > ~toff_t{0} - base) return static_cast<toff_t>(-1);
    m->position = base + offset;
    return m->position;
}

int CloseProc(thandle_t) {
    return 0;
}

toff_t SizeProc(thandle_t h) {
    return static_cast<Memory*>(h)->size;
}

int MapProc(thandle_t h, void** base, toff_t* size) {
    auto* m = static_cast<Memory*>(h);
    *base = const_cast<uint8_t*>(m->data);
    *size = m->size;
    return 1;
}

void UnmapProc(thandle_t, void*, toff_t) {}

// Messages of the library are not shown; failures come back as return values.
int Quiet(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

}  // namespace

CTiffCodec::CTiffCodec() : CRasterCodec(kComponentTiffDecoder) {}
CTiffCodec::~CTiffCodec() {
    End();
}

void CTiffCodec::CloseLibrary() {
    if (tiff_ != nullptr) Tiff().TIFFClose(tiff_);
    tiff_ = nullptr;
    delete memory_;
    memory_ = nullptr;
    directories_.clear();
}

void CTiffCodec::ReadHeader(CImageStream& stream, ImageInfo* info) {
    End();
    const TiffLibrary& libtiff = Tiff();
    uint32_t count = stream.Remaining();
    memory_ = new Memory{stream.Peek(count), count, 0};
    TIFFOpenOptions* options = libtiff.TIFFOpenOptionsAlloc();
    if (options == nullptr) Fail(kErrNoMemory, __LINE__);
    libtiff.TIFFOpenOptionsSetMaxSingleMemAlloc(options, kMaxLibraryAlloc);
    libtiff.TIFFOpenOptionsSetErrorHandlerExtR(options, Quiet, nullptr);
    libtiff.TIFFOpenOptionsSetWarningHandlerExtR(options, Quiet, nullptr);
    tiff_ = libtiff.TIFFClientOpenExt("memory", "r", memory_, ReadProc, WriteProc, SeekProc,
                                      CloseProc, SizeProc, MapProc, UnmapProc, options);
    libtiff.TIFFOpenOptionsFree(options);
    if (tiff_ == nullptr) Fail(kErrFormatInvalid, __LINE__);

    int width = 0, height = 0;
    uint16_t bits = 0, samples = 0, photometric = 0, orientation = 1;
    int directory = 0;
    do {
        uint32_t type = 0, w = 0, h = 0;
        libtiff.TIFFGetField(tiff_, TIFFTAG_SUBFILETYPE, &type);
        if (type & FILETYPE_REDUCEDIMAGE) continue;
        if (libtiff.TIFFGetField(tiff_, TIFFTAG_IMAGEWIDTH, &w) == 0 ||
            libtiff.TIFFGetField(tiff_, TIFFTAG_IMAGELENGTH, &h) == 0 || w == 0 || h == 0 ||
            w > kMaxSide || h > kMaxSide) {
            continue;
        }
        if (directories_.empty()) {
            libtiff.TIFFGetFieldDefaulted(tiff_, TIFFTAG_BITSPERSAMPLE, &bits);
            libtiff.TIFFGetFieldDefaulted(tiff_, TIFFTAG_SAMPLESPERPIXEL, &samples);
            libtiff.TIFFGetFieldDefaulted(tiff_, TIFFTAG_ORIENTATION, &orientation);
            libtiff.TIFFGetField(tiff_, TIFFTAG_PHOTOMETRIC, &photometric);
            uint32_t iccLength = 0;
            const uint8_t* icc = nullptr;
            if (libtiff.TIFFGetField(tiff_, TIFFTAG_ICCPROFILE, &iccLength, &icc) != 0 &&
                icc != nullptr)
                profile_.assign(icc, icc + iccLength);
            if (info != nullptr) {
                float x = 0, y = 0;
                uint16_t unit = RESUNIT_INCH;
                libtiff.TIFFGetFieldDefaulted(tiff_, TIFFTAG_RESOLUTIONUNIT, &unit);
                const float perInch = unit == RESUNIT_CENTIMETER ? 2.54f : 1.0f;
                if (unit != RESUNIT_NONE && libtiff.TIFFGetField(tiff_, TIFFTAG_XRESOLUTION, &x) &&
                    libtiff.TIFFGetField(tiff_, TIFFTAG_YRESOLUTION, &y) && x > 0 && y > 0 &&
                    x < 1e6f && y < 1e6f) {
                    info->xResolution = static_cast<int32_t>(x * perInch + 0.5f);
                    info->yResolution = static_cast<int32_t>(y * perInch + 0.5f);
                }
            }
        }
        directories_.push_back(static_cast<uint16_t>(directory));
        frames_.push_back(FrameFacts{Rect{0, 0, static_cast<int>(w), static_cast<int>(h)}, 0});
        width = std::max(width, static_cast<int>(w));
        height = std::max(height, static_cast<int>(h));
    } while (++directory < kMaxPages && static_cast<int>(directories_.size()) < kMaxPages &&
             libtiff.TIFFReadDirectory(tiff_) != 0);
    if (frames_.empty()) Fail(kErrFormatInvalid, __LINE__);
    orientation_ = orientation >= 1 && orientation <= 8 ? orientation : 1;
    if (info == nullptr) return;
    info->format = kFormatTiff;
    info->width = width;
    info->height = height;
    info->bitsPerPixel = std::clamp(bits * samples, 1, 32);
    info->grey = photometric == PHOTOMETRIC_MINISBLACK || photometric == PHOTOMETRIC_MINISWHITE;
    info->frameCount = static_cast<int32_t>(frames_.size());
    info->loopCount = 1;
    info->background = kNoColour;
    info->palette.count = 0;
}

void CTiffCodec::DecodePicture(CImageStream&, int index, const Size&, bool, DecodeBudget* budget,
                               RgbaPicture& out) {
    if (tiff_ == nullptr) Fail(kErrInternal, __LINE__);
    const TiffLibrary& libtiff = Tiff();
    if (libtiff.TIFFSetDirectory(tiff_, directories_[static_cast<size_t>(index)]) == 0)
        Fail(kErrFormatInvalid, __LINE__);
    char message[1024] = {};
    if (libtiff.TIFFRGBAImageOK(tiff_, message) == 0) Fail(kErrFormatUnsupported, __LINE__);
    TIFFRGBAImage image;
    if (libtiff.TIFFRGBAImageBegin(&image, tiff_, 0, message) == 0)
        Fail(kErrFormatInvalid, __LINE__);
    struct EndImage {
        const TiffLibrary& libtiff;
        TIFFRGBAImage& image;
        ~EndImage() { libtiff.TIFFRGBAImageEnd(&image); }
    } endImage{libtiff, image};
    const auto width = static_cast<int>(image.width), height = static_cast<int>(image.height);
    AllocatePicture(out, width, height, budget);
    // Rows as stored: the recorded orientation is applied by the framework, like every format's.
    image.req_orientation = ORIENTATION_TOPLEFT;
    image.orientation = ORIENTATION_TOPLEFT;
    const bool complete =
        libtiff.TIFFRGBAImageGet(&image, reinterpret_cast<uint32_t*>(out.pixels.data()),
                                 image.width, image.height) != 0;
    out.alpha = image.alpha != 0 || !complete;
    // libtiff packs red in the lowest byte and delivers alpha premultiplied.
    uint8_t* p = out.pixels.data();
    for (size_t i = 0, n = out.pixels.size() / 4; i < n; ++i, p += 4) {
        const uint32_t v = uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 |
                           uint32_t{p[3]} << 24;
        uint32_t r = TIFFGetR(v), g = TIFFGetG(v), b = TIFFGetB(v);
        const uint32_t a = TIFFGetA(v);
        if (out.alpha && a != 0 && a != 255) {
            r = std::min(255u, r * 255 / a);
            g = std::min(255u, g * 255 / a);
            b = std::min(255u, b * 255 / a);
        }
        p[0] = static_cast<uint8_t>(b);
        p[1] = static_cast<uint8_t>(g);
        p[2] = static_cast<uint8_t>(r);
        p[3] = static_cast<uint8_t>(a);
    }
}

}  // namespace xelo
