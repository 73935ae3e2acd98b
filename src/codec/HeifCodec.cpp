#include "codec/HeifCodec.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "codec/DecodeSettings.h"
#include "codec/HeifLibrary.h"
#include "image/TavoException.h"

namespace xelo {

namespace {
// The longest side an embedded thumbnail needs to serve the 128-pixel shared thumbnails.
constexpr int kMinThumbnailSide = 128;
}  // namespace

CHeifCodec::CHeifCodec(ImageFormat format) : CRasterCodec(kComponentHeifDecoder), format_(format) {}
CHeifCodec::~CHeifCodec() {
    End();
}

void CHeifCodec::CloseLibrary() {
    ReleaseDecoded();
    if (context_ != nullptr || handle_ != nullptr) {
        const HeifLibrary& heif = Heif();
        if (handle_ != nullptr) heif.heif_image_handle_release(handle_);
        if (context_ != nullptr) heif.heif_context_free(context_);
    }
    handle_ = nullptr;
    context_ = nullptr;
    source_.reset();
}

void CHeifCodec::ReleaseDecoded() {
    if (decoded_ != nullptr) Heif().heif_image_release(decoded_);
    decoded_ = nullptr;
}

void CHeifCodec::ReadHeader(CImageStream& stream, ImageInfo* info) {
    const bool thumbnail = embeddedThumbnail_;
    embeddedThumbnail_ = false;
    End();
    const HeifLibrary& heif = Heif();
    uint32_t count = stream.Remaining();
    const uint8_t* data = stream.Peek(count);
    context_ = heif.heif_context_alloc();
    if (context_ == nullptr) Fail(kErrNoMemory, __LINE__);
    heif.heif_context_set_maximum_image_size_limit(context_, kMaxSide);
    // A thumbnail is one small picture: worker threads would cost more than they save.
    if (thumbnail) heif.heif_context_set_max_decoding_threads(context_, 0);
    source_ = std::make_unique<HeifSource>(data, count);
    if (heif.heif_context_read_from_reader(context_, &HeifSource::Reader(), source_.get(), nullptr)
                .code != heif_error_Ok ||
        heif.heif_context_get_primary_image_handle(context_, &handle_).code != heif_error_Ok) {
        Fail(kErrFormatInvalid, __LINE__);
    }
    transform_ = CameraOrientationEnabled();
    const bool alpha = heif.heif_image_handle_has_alpha_channel(handle_) != 0;
    const int bits = heif.heif_image_handle_get_luma_bits_per_pixel(handle_);
    if (thumbnail && heif.heif_image_handle_get_number_of_thumbnails(handle_) > 0) {
        heif_item_id id = 0;
        heif_image_handle* small = nullptr;
        if (heif.heif_image_handle_get_list_of_thumbnail_IDs(handle_, &id, 1) == 1 &&
            heif.heif_image_handle_get_thumbnail(handle_, id, &small).code == heif_error_Ok) {
            // One too small for the desktop's thumbnail sizes leaves the main picture to decode.
            const bool big =
                std::max(heif.heif_image_handle_get_width(small),
                         heif.heif_image_handle_get_height(small)) >= kMinThumbnailSide;
            heif.heif_image_handle_release(big ? handle_ : small);
            if (big) handle_ = small;
        }
    }
    const int width = transform_ ? heif.heif_image_handle_get_width(handle_)
                                 : heif.heif_image_handle_get_ispe_width(handle_);
    const int height = transform_ ? heif.heif_image_handle_get_height(handle_)
                                  : heif.heif_image_handle_get_ispe_height(handle_);
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        Fail(kErrFormatInvalid, __LINE__);
    frames_.assign(1, FrameFacts{Rect{0, 0, width, height}, 0});
    const size_t iccLength = heif.heif_image_handle_get_raw_color_profile_size(handle_);
    if (iccLength > 0 && iccLength < (size_t{16} << 20)) {
        profile_.resize(iccLength);
        if (heif.heif_image_handle_get_raw_color_profile(handle_, profile_.data()).code !=
            heif_error_Ok)
            profile_.clear();
    }
    if (info == nullptr) return;
    info->format = format_;
    info->width = width;
    info->height = height;
    info->bitsPerPixel = std::clamp(bits, 1, 16) * (alpha ? 4 : 3);
    info->grey = false;
    info->frameCount = 1;
    info->loopCount = 1;
    info->background = kNoColour;
    info->palette.count = 0;
}

void CHeifCodec::DecodePicture(CImageStream&, int, const Size&, bool, DecodeBudget* budget,
                               RgbaPicture& out) {
    if (handle_ == nullptr) Fail(kErrInternal, __LINE__);
    const HeifLibrary& heif = Heif();
    const Rect rect = frames_.front().rect;
    // The library's own planes: the coded picture and its interleaved conversion.
    if (budget != nullptr) budget->Charge(static_cast<size_t>(rect.Width()) * rect.Height() * 5);
    const bool alpha = heif.heif_image_handle_has_alpha_channel(handle_) != 0;
    heif_decoding_options* options = heif.heif_decoding_options_alloc();
    if (options == nullptr) Fail(kErrNoMemory, __LINE__);
    options->ignore_transformations = transform_ ? 0 : 1;
    options->convert_hdr_to_8bit = 1;
    ReleaseDecoded();
    heif_image* image = nullptr;
    // Red, green, blue, alpha whether or not the picture has alpha: the library's own plane then
    // becomes the picture, turned to blue, green, red in place, without a copy.
    const heif_error error = heif.heif_decode_image(handle_, &image, heif_colorspace_RGB,
                                                    heif_chroma_interleaved_RGBA, options);
    heif.heif_decoding_options_free(options);
    if (error.code != heif_error_Ok || image == nullptr) {
        if (image != nullptr) heif.heif_image_release(image);
        Fail(error.code == heif_error_Memory_allocation_error ? kErrNoMemory : kErrFormatInvalid,
             __LINE__);
    }
    decoded_ = image;
    const int width = heif.heif_image_get_width(image, heif_channel_interleaved);
    const int height = heif.heif_image_get_height(image, heif_channel_interleaved);
    int stride = 0;
    uint8_t* plane = heif.heif_image_get_plane(image, heif_channel_interleaved, &stride);
    if (plane == nullptr || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
        stride < width * 4) {
        Fail(kErrFormatInvalid, __LINE__);
    }
    for (int y = 0; y < height; ++y) {
        uint8_t* p = plane + static_cast<size_t>(y) * static_cast<size_t>(stride);
        for (int x = 0; x < width; ++x, p += 4)
            std::swap(p[0], p[2]);
    }
    out.width = width;
    out.height = height;
    out.alpha = alpha;
    out.pixels.clear();
    out.libraryRows = plane;
    out.libraryStride = static_cast<size_t>(stride);
}

}  // namespace xelo
